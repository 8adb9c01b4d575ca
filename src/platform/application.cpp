// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "messagebox.h"

#include <QWidget>

#include <cstdio>

namespace forms {

namespace {

struct End {
    bool ended = false;
    int status = 0;
};

End &end()
{
    static End e;
    return e;
}

} // namespace

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        failWith(error);
    } catch (...) {
        fail(QStringLiteral("internal error of an unknown kind"));
    }
    return false;
}

Host &host()
{
    static Host current;
    return current;
}

void messageBox(const QString &prompt, const QString &title)
{
    if (host().messageBox)
        host().messageBox(prompt, title);
    else
        runMessageBox(prompt, title);
}

void endProgram(int status)
{
    if (end().ended)
        return;
    end() = {true, status};
    // Every window of the program goes; a message box that may still be
    // running belongs to whoever runs it.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("forms::Form")) {
            window->hide();
            window->deleteLater();
        }
    }
    if (host().end)
        host().end(status);
    else
        QCoreApplication::exit(status);
}

bool hasEnded()
{
    return end().ended;
}

int exitStatus()
{
    return end().status;
}

void clearEnd()
{
    end() = {};
}

void fail(const QString &what)
{
    static bool failing = false;
    std::fprintf(stderr, "numora: %s\n", qPrintable(what));
    std::fflush(stderr);
    // One box, even if showing it brings up another error.
    if (!failing) {
        failing = true;
        //: Message box after an error the program cannot go on from; the
        //: error's own text (in English) follows on the next line.
        const QString prompt
            = QCoreApplication::translate("forms", "Numora has to stop because of an error:");
        //: Title of that message box.
        messageBox(prompt + QLatin1Char('\n') + what,
                   QCoreApplication::translate("forms", "Numora - Error"));
        failing = false;
    }
    endProgram(FailureStatus);
}

void failWith(const std::exception &error)
{
    fail(QStringLiteral("internal error: ") + QString::fromLocal8Bit(error.what()));
}

} // namespace forms
