// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace forms {

QString familyFor(const QString &face)
{
    // Looking families up costs a font-database query; the answer never
    // changes during a run.
    static QHash<QString, QString> cache;
    const auto cached = cache.constFind(face);
    if (cached != cache.constEnd())
        return *cached;
    // The named face where it is installed, its substitute where that is,
    // the toolkit's default otherwise.
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

QIcon programIcon()
{
    // One icon shared by every window: Qt caches the pixmaps it makes of an
    // icon for the window system under that icon's own key, so an icon made
    // anew for each window would add its pixmaps to the cache each time.
    static const QIcon icon(QStringLiteral(":/numora/numora.xpm"));
    return icon;
}

namespace {
class FocusStyle : public QProxyStyle
{
public:
    FocusStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && (option->state & State_HasFocus)) {
            const QRect focus = subElementRect(SE_PushButtonFocusRect, option, widget);
            painter->save();
            QPen pen(option->palette.color(QPalette::Active, QPalette::Highlight));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(focus.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }
};
} // namespace

QStyle *makeStyle()
{
    return new FocusStyle;
}

} // namespace forms
