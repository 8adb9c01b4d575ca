// SPDX-License-Identifier: GPL-3.0-or-later
//
// Which window system the program runs on, for the few things that differ.
#pragma once

namespace forms {

// X11 through Qt's xcb platform (the offscreen platform is neither).
[[nodiscard]] bool onX11();
[[nodiscard]] bool onWayland();

} // namespace forms
