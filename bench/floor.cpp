// SPDX-License-Identifier: GPL-3.0-or-later
//
// The floor Numora is measured against: a bare Qt Widgets program that shows
// one message box like Numora's first and nothing else.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Welcome..."),
                             QStringLiteral("Welcome to Numora !"));
    return 0;
}
