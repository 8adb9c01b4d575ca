// SPDX-License-Identifier: GPL-3.0-or-later
//
// The look of every window: one style everywhere, so that every text is
// measured against the same frames, and one icon.
#pragma once

#include <QIcon>

class QStyle;

namespace forms {

// Fusion, with a focus mark on push buttons that shows plainly which button
// Enter and space will press.
[[nodiscard]] QStyle *makeStyle();

// A new instance of the style the application draws with (the one above, or
// one the user chose), for a control's own proxy style to build on: a proxy
// made without one builds on the desktop's style instead.
[[nodiscard]] QStyle *makeApplicationStyle();

[[nodiscard]] QIcon programIcon();

} // namespace forms
