// SPDX-License-Identifier: GPL-3.0-or-later
//
// The controls the windows are made of, with their keyboard rules, placed by
// rectangles in twips and given their stacking and tab order.
#pragma once

#include <QCheckBox>
#include <QTextEdit>

#include <initializer_list>

class QLabel;
class QPushButton;

namespace forms {

// A check box whose box sits at the right end of the control and whose
// caption wraps at spaces to its left. A click anywhere on it toggles it.
class CheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit CheckBox(const QString &caption, QWidget *parent);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    // Room the caption needs at the control's current width.
    [[nodiscard]] QRect captionBounds() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    [[nodiscard]] bool hitButton(const QPoint &pos) const override;

private:
    [[nodiscard]] QRect indicatorRect() const;
    [[nodiscard]] QRect captionRect() const;
    [[nodiscard]] int captionFlags() const;
};

// A multi-line text box that shows text but lets nobody change it: the caret
// moves and text can be selected and copied. Every line is centred, lines
// never wrap, and the view never scrolls, so what is shown stays in place.
// Enter is left to the window, which gives it to its default button.
class TextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent);
    void setCenteredText(const QString &text);
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// Each kind of control, named and placed by its rectangle in twips, in the
// font and colours given (the window's own where none are).
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &twipsBox,
                 const QFont &font, const QColor &colour, Qt::Alignment alignment);
QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption,
                       const QRect &twipsBox);
CheckBox *addCheckBox(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &twipsBox, const QFont &font, const QColor &colour,
                      const QColor &background);
TextBox *addTextBox(QWidget *parent, const QString &name, const QString &text,
                    const QRect &twipsBox, const QFont &font, const QColor &colour,
                    const QColor &background);

// Controls given in stacking order, first on top.
void stack(std::initializer_list<QWidget *> topFirst);
// Controls given in tab order; the first has the focus as the window opens.
void setTabOrder(std::initializer_list<QWidget *> order);

} // namespace forms
