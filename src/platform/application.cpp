// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "registry.h"

namespace forms {

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

void failWith(const std::exception &error)
{
    fail(QStringLiteral("internal error: ") + QString::fromLocal8Bit(error.what()));
}

} // namespace forms
