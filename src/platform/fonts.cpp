// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

namespace forms {

QString familyFor(const QString &face)
{
    // Looking families up costs a font-database query; the answer never
    // changes during a run.
    static QHash<QString, QString> cache;
    const auto cached = cache.constFind(face);
    if (cached != cache.constEnd())
        return *cached;
    QString family = QGuiApplication::font().family();
    if (QFontDatabase::hasFamily(face)) {
        family = face;
    } else {
        for (const auto &entry : FaceSubstitutes) {
            if (face == QLatin1String(entry.face)
                && QFontDatabase::hasFamily(QLatin1String(entry.substitute))) {
                family = QLatin1String(entry.substitute);
                break;
            }
        }
    }
    cache.insert(face, family);
    return family;
}

QFont font(const QString &face, double points, bool bold)
{
    QFont result(familyFor(face));
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
