// SPDX-License-Identifier: GPL-3.0-or-later
//
// Where message boxes and the end of the program go: the program shows a
// real message box and leaves the event loop; tests record them instead.
#pragma once

#include <QString>

#include <functional>

namespace forms {

struct Host {
    std::function<void(const QString &prompt, const QString &title)> messageBox;
    std::function<void(int status)> end;
};

// The host in force: empty members where the program's own behaviour holds.
[[nodiscard]] Host &host();

} // namespace forms
