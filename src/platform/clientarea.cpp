// SPDX-License-Identifier: GPL-3.0-or-later
#include "clientarea.h"

#include "accessibility.h"

#include <QPaintEvent>
#include <QPainter>

namespace forms {

ClientArea::ClientArea(QWidget *parent)
    : QWidget(parent)
{
    readClientAreasInOrder(staticMetaObject.className());
}

void ClientArea::setBackground(const QColor &colour)
{
    m_background = colour;
    update();
}

void ClientArea::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), m_background);
}

} // namespace forms
