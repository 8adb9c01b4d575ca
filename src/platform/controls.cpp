// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "screen.h"
#include "style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextCursor>

namespace forms {

namespace {
constexpr int CaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

// Enter belongs to the window, which gives it to its default button: a
// control that would act on it passes it on instead.
bool passEnterOn(QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    event->ignore();
    return true;
}

// Right to left, the whole layout is mirrored in the parent.
void place(QWidget *control, const QString &name, const QRect &twipsBox)
{
    control->setObjectName(name);
    const QWidget *parent = control->parentWidget();
    control->setGeometry(
        QStyle::visualRect(parent->layoutDirection(), parent->rect(), twipsRect(twipsBox)));
}

void setColours(QWidget *control, QPalette::ColorRole foreground, const QColor &colour,
                QPalette::ColorRole backgroundRole, const QColor &background)
{
    QPalette palette = control->palette();
    palette.setColor(foreground, colour);
    if (background.isValid())
        palette.setColor(backgroundRole, background);
    control->setPalette(palette);
}

// The whole check box answers a click, so the whole of it is what the style
// (and through it assistive technology) reports as the clickable part.
class WholeClickStyle : public QProxyStyle
{
public:
    WholeClickStyle()
        : QProxyStyle(makeApplicationStyle())
    {
    }

    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override
    {
        if (element == SE_CheckBoxClickRect)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }
};
} // namespace

CheckBox::CheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    auto *style = new WholeClickStyle;
    style->setParent(this);
    setStyle(style);
}

QRect CheckBox::indicatorRect() const
{
    const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return QStyle::visualRect(layoutDirection(), rect(),
                              {width() - w - 1, (height() - h) / 2, w, h});
}

// Right to left, the box is at the left end and the caption to its right.
QRect CheckBox::captionRect() const
{
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
    QRect r = rect();
    r.setRight(width() - indicatorRect().width() - 1 - spacing - 1);
    // Room for the focus frame around the caption.
    return QStyle::visualRect(layoutDirection(), rect(), r.adjusted(2, 1, -2, -1));
}

int CheckBox::captionFlags() const
{
    return int(QStyle::visualAlignment(layoutDirection(), Qt::Alignment(CaptionFlags)));
}

QRect CheckBox::captionBounds() const
{
    return fontMetrics().boundingRect(captionRect(), captionFlags(), text());
}

QSize CheckBox::sizeHint() const
{
    return size().isValid() && !size().isEmpty() ? size() : QCheckBox::sizeHint();
}

QSize CheckBox::minimumSizeHint() const
{
    return {0, 0};
}

void CheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = indicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);

    const QRect caption = captionRect();
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, captionFlags(), text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionBounds().adjusted(-2, -1, 2, 1).intersected(rect());
        focus.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CheckBox::event(QEvent *event)
{
    // Some platform themes (GNOME's among them) make Enter press a focused
    // check box; here only the space bar ticks it.
    return !passEnterOn(event) && QCheckBox::event(event);
}

bool CheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

TextBox::TextBox(QWidget *parent)
    : QTextEdit(parent)
{
    // Rows of numbers, which read left to right in every language.
    setLayoutDirection(Qt::LeftToRight);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    document()->setDocumentMargin(2);
    // The text is sized to the box; keep every row where it was laid out,
    // even when the caret goes past the last row or the wheel turns.
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [bar](int value) {
            if (value != bar->minimum())
                bar->setValue(bar->minimum());
        });
    }
}

void TextBox::setCenteredText(const QString &text)
{
    QString plain = text;
    // Line breaks arrive as CR LF; the document wants one separator.
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(plain);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Nothing is typed here, so no input method serves it: no on-screen
    // keyboard comes up for it, and the first key press in it does not wait
    // for the compose table to be read.
    if (query == Qt::ImEnabled)
        return false;
    return QTextEdit::inputMethodQuery(query);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    // A plain box shows no focus of its own; mark it inside the margin, where
    // no text is drawn, so the layout stays the same with or without focus.
    if (hasFocus()) {
        QPainter painter(viewport());
        QPen pen(palette().color(QPalette::Highlight));
        pen.setWidth(2);
        painter.setPen(pen);
        painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    }
}

bool TextBox::event(QEvent *event)
{
    // The focus mark is drawn on the viewport, which a change of focus does
    // not repaint by itself.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        viewport()->update();
    return !passEnterOn(event) && QTextEdit::event(event);
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &twipsBox,
                 const QFont &font, const QColor &colour, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    // Plain text always: a label never interprets what it shows.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setWordWrap(true);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(font);
    setColours(label, QPalette::WindowText, colour, QPalette::Window, {});
    place(label, name, twipsBox);
    return label;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption,
                       const QRect &twipsBox)
{
    auto *button = new QPushButton(caption, parent);
    place(button, name, twipsBox);
    return button;
}

CheckBox *addCheckBox(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &twipsBox, const QFont &font, const QColor &colour,
                      const QColor &background)
{
    auto *box = new CheckBox(caption, parent);
    box->setFont(font);
    setColours(box, QPalette::WindowText, colour, QPalette::Window, background);
    place(box, name, twipsBox);
    return box;
}

TextBox *addTextBox(QWidget *parent, const QString &name, const QString &text,
                    const QRect &twipsBox, const QFont &font, const QColor &colour,
                    const QColor &background)
{
    auto *box = new TextBox(parent);
    box->setFont(font);
    setColours(box, QPalette::Text, colour, QPalette::Base, background);
    box->setCenteredText(text);
    place(box, name, twipsBox);
    return box;
}

void stack(std::initializer_list<QWidget *> topFirst)
{
    for (QWidget *control : topFirst)
        control->lower();
}

void setTabOrder(std::initializer_list<QWidget *> order)
{
    // The first in tab order has the focus when its window is shown.
    if (order.size() > 0)
        (*order.begin())->setFocus();
    QWidget *previous = nullptr;
    for (QWidget *control : order) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace forms
