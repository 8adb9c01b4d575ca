// SPDX-License-Identifier: GPL-3.0-or-later
//
// The screen windows are placed on (the primary one) and twips, the unit
// of every layout: 1/1440 inch, converted with the screen's logical DPI so
// that Qt's high-DPI scaling enlarges a whole window and its fonts together.
#pragma once

#include <QRect>

namespace forms {

[[nodiscard]] int twips(double value);
[[nodiscard]] double toTwips(int pixels);
[[nodiscard]] QRect twipsRect(const QRect &box);

// The primary screen in pixels, and its size in twips.
[[nodiscard]] QRect screenGeometry();
[[nodiscard]] double screenWidth();
[[nodiscard]] double screenHeight();

} // namespace forms
