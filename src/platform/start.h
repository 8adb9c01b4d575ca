// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program's start: the command line, the choice of platform, the
// display, and the event loop.
#pragma once

#include <QString>

#include <functional>

namespace forms {

// Everything the application does once, at start, for every window to come:
// the user's language, the style (the program's own where ownStyle, else the
// one the user chose),
// the icon, the font substitutes, the input guard, what screen readers see,
// and the window manager's notices. Later calls change nothing.
void setUp(bool ownStyle);

// Parses the command line, opens the display, lets registerWindows tell the
// layer about every window, loads and shows the startup window and runs the
// event loop. Returns the process exit status.
int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows);

} // namespace forms
