// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsystem.h"

#include <QGuiApplication>

namespace forms {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace forms
