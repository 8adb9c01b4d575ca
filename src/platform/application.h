// SPDX-License-Identifier: GPL-3.0-or-later
//
// The application: its object, the program's message boxes and its end, and
// where both go: a real message box and the end of the event loop, or
// another host's record of them (the tests').
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

struct Host {
    std::function<void(const QString &prompt, const QString &title)> messageBox;
    std::function<void(int status)> end;
};

// The host in force: empty members where the program's own behaviour holds.
[[nodiscard]] Host &host();

// Shows a message box and returns once it is dismissed.
void messageBox(const QString &prompt, const QString &title);

// Ends the program at once: every window goes without further events. The
// program then exits with status.
void endProgram(int status = 0);
[[nodiscard]] bool hasEnded();
[[nodiscard]] int exitStatus();
// Forgets that the program ended, so that it can run again.
void clearEnd();

// The exit status after an error the program cannot go on from.
inline constexpr int FailureStatus = 70;
// Such an error: says what it was on standard error and in a message box,
// then ends the program with FailureStatus.
void fail(const QString &what);
// Ends the program with what the exception says.
void failWith(const std::exception &error);

} // namespace forms
