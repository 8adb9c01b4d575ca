// SPDX-License-Identifier: GPL-3.0-or-later
//
// The application object, and where the program's message boxes and its end
// go: a real message box and the end of the event loop, or, in tests, a
// record of them.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

namespace forms {

// An error that escapes a handler as a C++ exception would otherwise leave Qt
// in undefined behaviour; here it is caught where Qt delivers events and
// reported as the program's failure.
class Application : public QApplication
{
    Q_OBJECT

public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

// Ends the program with what the exception says (see fail()).
void failWith(const std::exception &error);

struct Host {
    std::function<void(const QString &prompt, const QString &title)> messageBox;
    std::function<void(int status)> end;
};

// The host in force: empty members where the program's own behaviour holds.
[[nodiscard]] Host &host();

} // namespace forms
