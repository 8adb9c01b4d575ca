// SPDX-License-Identifier: GPL-3.0-or-later
//
// Which window system the program runs on, and what it tells and asks an X11
// window manager or server that Qt has no words for: the only code that
// speaks xcb.
#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

namespace forms {

// X11 through Qt's xcb platform (the offscreen platform is neither).
[[nodiscard]] bool onX11();
[[nodiscard]] bool onWayland();

// The calls below do nothing on other window systems.

// Calls changed with a top-level window whenever one of its X11 properties
// changes: a window manager may set a window's frame extents after it has
// mapped and moved it, and their property change is the only sign. Called
// once; later calls change nothing.
void watchWindowProperties(std::function<void(QWidget *window)> changed);

// Qt marks a tool window as a utility window, which some window managers
// (icewm among them) still list in the task bar. Before the window is
// mapped it can say so itself; Qt keeps states it finds there when it maps
// it.
void keepOutOfTaskBar(QWidget *window);

// The first Latin letter, as a capital, on the key with this XKB keycode in
// any layout of the user's keymap; 0 where it has none. The keymap is asked
// each time, so that a layout changed meanwhile (setxkbmap) counts.
[[nodiscard]] char latinLetterOf(quint32 keycode);

} // namespace forms
