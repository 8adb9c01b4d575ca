// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The colours every window is painted in.
namespace colours {
inline constexpr QColor Background{255, 192, 192};
inline constexpr QColor Navy{0, 0, 128};
inline constexpr QColor TitleGreen{0, 255, 0};
inline constexpr QColor TitleBlue{128, 128, 255};
inline constexpr QColor DigitYellow{255, 255, 0};
inline constexpr QColor Red{255, 0, 0};
inline constexpr QColor Lavender{192, 192, 255};
} // namespace colours
