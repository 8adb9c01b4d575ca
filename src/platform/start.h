// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace forms {

inline constexpr char ApplicationId[] = "org.example.numora";

// Parses the command line, opens the display, lets registerWindows tell the
// layer about every window, loads and shows the startup window and runs the
// event loop. Returns the process exit status.
int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows);

} // namespace forms
