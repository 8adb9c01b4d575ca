// SPDX-License-Identifier: GPL-3.0-or-later
//
// The only kind of message box the program shows: modal, with the
// information icon and a single OK button, centred as the windows are.
#pragma once

#include <QString>

#include <memory>

class QMessageBox;

namespace forms {

// Shows the box and returns once it is dismissed. The program asks for its
// boxes through messageBox (application.h), which decides where they go.
void runMessageBox(const QString &prompt, const QString &title);
// The box that runMessageBox shows, for those who want to look at it.
[[nodiscard]] std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt,
                                                          const QString &title);

} // namespace forms
