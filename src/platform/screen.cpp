// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace forms {

namespace {

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int twips(double value)
{
    return qRound(value * logicalDpi() / 1440.0);
}

double toTwips(int pixels)
{
    return pixels * 1440.0 / logicalDpi();
}

QRect twipsRect(int left, int top, int width, int height)
{
    // Convert edges rather than sizes so that neighbouring controls stay
    // flush after rounding.
    const int x = twips(left);
    const int y = twips(top);
    return {x, y, twips(left + width) - x, twips(top + height) - y};
}

QRect screenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

double screenWidth()
{
    return toTwips(screenGeometry().width());
}

double screenHeight()
{
    return toTwips(screenGeometry().height());
}

} // namespace forms
