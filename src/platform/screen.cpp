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

QRect twipsRect(const QRect &box)
{
    // Edges rather than sizes, so that neighbouring controls stay flush
    // after rounding.
    const int x = twips(box.x());
    const int y = twips(box.y());
    return {x, y, twips(box.x() + box.width()) - x, twips(box.y() + box.height()) - y};
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
