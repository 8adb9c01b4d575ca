// SPDX-License-Identifier: GPL-3.0-or-later
#include "style.h"

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
