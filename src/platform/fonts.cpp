// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

namespace forms {

void substituteFaces()
{
    for (const auto &entry : FaceSubstitutes)
        QFont::insertSubstitution(QLatin1String(entry.face), QLatin1String(entry.substitute));
}

QFont font(const QString &face, double points, bool bold)
{
    QFont result(face);
    result.setPointSizeF(points);
    result.setWeight(bold ? QFont::Bold : QFont::Normal);
    result.setItalic(false);
    result.setUnderline(false);
    result.setStrikeOut(false);
    return result;
}

QFont defaultFont()
{
    return font(QStringLiteral("MS Sans Serif"), 9);
}

} // namespace forms
