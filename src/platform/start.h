// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>

#include <functional>

namespace forms {

// The application object. An error that escapes a handler as a C++
// exception would otherwise leave Qt in undefined behaviour; here it is
// caught where Qt delivers events and handed to fail().
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Parses the command line, opens the display, lets registerWindows tell the
// layer about every window, loads and shows the startup window and runs the
// event loop. Returns the process exit status.
int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows);

} // namespace forms
