// SPDX-License-Identifier: GPL-3.0-or-later
#include "style.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace forms {

namespace {
class FocusStyle : public QProxyStyle
{
public:
    FocusStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
        setObjectName(QLatin1String(Name));
    }

    static constexpr char Name[] = "numora";

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

QStyle *makeApplicationStyle()
{
    const QStyle *application = QApplication::style();
    if (application->objectName() == QLatin1String(FocusStyle::Name))
        return makeStyle();
    return QStyleFactory::create(application->name());
}

QIcon programIcon()
{
    // One icon shared by every window: Qt caches the pixmaps it makes of an
    // icon for the window system under that icon's own key, so an icon made
    // anew for each window would add its pixmaps to the cache each time.
    // Can go once Qt keeps those pixmaps other than by the icon's own key.
    static const QIcon icon(QStringLiteral(":/numora/numora.xpm"));
    return icon;
}

} // namespace forms
