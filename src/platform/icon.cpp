// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.h"

namespace forms {

QIcon programIcon()
{
    // One icon shared by every window: Qt caches the pixmaps it makes of an
    // icon for the window system under that icon's own key, so an icon made
    // anew for each window would add its pixmaps to the cache each time.
    static const QIcon icon(QStringLiteral(":/numora/numora.xpm"));
    return icon;
}

} // namespace forms
