// SPDX-License-Identifier: GPL-3.0-or-later
//
// The area below a window's menu bar that holds its controls.
#pragma once

#include <QColor>
#include <QWidget>

namespace forms {

// It paints its background colour itself rather than taking it from a
// palette of its own: the style caches what it draws under the palette's
// identity, and a palette made for each window would add to that cache
// every time a window opens. Screen readers read its controls in reading
// order.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    explicit ClientArea(QWidget *parent);
    void setBackground(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
};

} // namespace forms
