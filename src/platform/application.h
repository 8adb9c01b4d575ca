// SPDX-License-Identifier: GPL-3.0-or-later
//
// The application object. An error that escapes a handler as a C++
// exception would otherwise leave Qt in undefined behaviour; here it is
// caught where Qt delivers events and reported as the program's failure.
#pragma once

#include <QApplication>

#include <exception>

namespace forms {

class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Ends the program with what the exception says (see fail()).
void failWith(const std::exception &error);

} // namespace forms
