// SPDX-License-Identifier: GPL-3.0-or-later
//
// Everything that depends on the window system, X11 and Wayland alike: which
// one the program runs on, what an X11 window manager is told and asked that
// Qt has no words for (the only code that speaks xcb), and how a window keeps
// its fixed size and its way back from minimized on each.
#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

namespace forms {

// Whether a display is named, on the command line or in the environment.
[[nodiscard]] bool displayNamed(int argc, char **argv);
// Wayland lets no program place its own windows, and Numora's windows are
// placed by design: where an X server is there too (Xwayland), Numora runs
// on it. Before the application is made.
void preferX11(int argc, char **argv);

// Whether the program may put its windows where it wants: not on Wayland.
[[nodiscard]] bool windowsCanBePlaced();

// Calls changed with a top-level window whenever one of its X11 properties
// changes: a window manager may set a window's frame extents after it has
// mapped and moved it, and their property change is the only sign. Once, at
// start; on other window systems it does nothing.
void watchWindowProperties(std::function<void(QWidget *window)> changed);

// Keeps a top-level window with a layout at the size its layout gives it,
// whatever a title bar offers (maximize, full screen), and brings it
// straight back when it is minimized where nothing else could: a window
// without a task-bar entry, and any window on Wayland.
void keepAsDesigned(QWidget *window, bool inTaskBar);

// Shows the window, restored if minimized, raised and focused.
void bringToFront(QWidget *window);

// The first Latin letter, as a capital, on the key with this XKB keycode in
// any layout of the user's keymap; 0 where it has none, and where the keymap
// cannot be read (Wayland: Qt gives no public access to the keymap it was
// sent). The keymap is asked each time, so that a layout changed meanwhile
// (setxkbmap) counts.
[[nodiscard]] char latinLetterOf(quint32 keycode);

} // namespace forms
