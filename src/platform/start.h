// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program's start: the command line, the choice of platform, the
// display, and the event loop.
#pragma once

#include <QString>

#include <functional>

namespace forms {

// Parses the command line, opens the display, lets registerWindows tell the
// layer about every window, loads and shows the startup window and runs the
// event loop. Returns the process exit status.
int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows);

} // namespace forms
