// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "accessibility.h"
#include "application.h"
#include "fonts.h"
#include "placement.h"
#include "screen.h"
#include "style.h"
#include "windowsystem.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace forms {

namespace {
// How long after the window has become active its first control takes the
// focus, with a screen reader listening (see Form::event).
constexpr int FirstFocusDelayMs = 150;
} // namespace

// The area below the menu bar that holds the window's controls. It paints
// its background colour itself rather than taking it from a palette of its
// own: the style caches what it draws under the palette's identity, and a
// palette made for each window would add to that cache every time a window
// opens (can go once the style caches by what a palette holds).
// Screen readers read its controls in reading order.
class ClientArea : public QWidget
{
public:
    explicit ClientArea(QWidget *parent)
        : QWidget(parent)
    {
        readInOrder(this);
    }

    void setBackground(const QColor &colour)
    {
        m_background = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter(this).fillRect(event->rect(), m_background);
    }

private:
    QColor m_background;
};

Form::Form(const QString &name, Frame frame)
{
    setObjectName(name);
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    // A plain window rather than a dialog: shown in the task bar, and
    // parentless like every window of the program.
    flags |= frame == Frame::FixedTool ? Qt::Tool : Qt::Window;
    setWindowFlags(flags);
    setWindowIcon(programIcon());
    setFont(defaultFont());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    keepAsDesigned(this, frame != Frame::FixedTool);
    m_client = new ClientArea(this);
    m_client->setObjectName(QStringLiteral("client"));
    layout->addWidget(m_client);
}

void Form::setFormEnabled(bool enabled)
{
    // Disabling a window takes the focus from its controls, and enabling it
    // does not give it back: Enter would then reach whatever Qt picks.
    if (!enabled && isEnabled())
        m_lastFocus = focusWidget();
    setEnabled(enabled);
    if (enabled) {
        m_front = nullptr;
        if (m_lastFocus)
            m_lastFocus->setFocus(Qt::OtherFocusReason);
    }
}

void Form::disableFor(Form &front)
{
    setFormEnabled(false);
    m_front = &front;
}

void Form::giveFirstFocus()
{
    QPointer<QWidget> first = m_firstFocus;
    m_firstFocus = nullptr;
    setFocusPolicy(Qt::NoFocus);
    if (first && (!focusWidget() || focusWidget() == this))
        first->setFocus(Qt::ActiveWindowFocusReason);
}

void Form::bringToFront()
{
    forms::bringToFront(this);
}

QWidget *Form::clientArea() const
{
    return m_client;
}

void Form::setClientSize(int widthTwips, int heightTwips)
{
    m_client->setFixedSize(twips(widthTwips), twips(heightTwips));
    layout()->activate();
}

void Form::setBackground(const QColor &colour)
{
    m_client->setBackground(colour);
}

QMenu *Form::addMenu(const QString &objectName, const QString &caption)
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setObjectName(QStringLiteral("menuBar"));
        // Never the desktop's global menu: it belongs to this window.
        m_menuBar->setNativeMenuBar(false);
        layout()->setMenuBar(m_menuBar);
    }
    QMenu *menu = m_menuBar->addMenu(caption);
    menu->setObjectName(objectName);
    menu->menuAction()->setObjectName(objectName);
    // The open menu is announced by its caption, as its menu bar entry is.
    menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return menu;
}

QAction *Form::addMenuItem(QMenu *menu, const QString &objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

double Form::outerWidth() const
{
    return toTwips(outerSize(this).width());
}

double Form::outerHeight() const
{
    return toTwips(outerSize(this).height());
}

void Form::moveTo(double leftTwips, double topTwips)
{
    // Positions count from the primary screen's top-left corner.
    const QPoint origin = screenGeometry().topLeft();
    moveFrameTo(this, origin + QPoint(twips(leftTwips), twips(topTwips)));
}

bool Form::takesInput() const
{
    return isEnabled() && !m_unloading && !hasEnded();
}

void Form::placeBy(std::function<void()> placement)
{
    keepPlaced(this, std::move(placement));
}

void Form::closeEvent(QCloseEvent *event)
{
    // A disabled window takes no input at all, and the window manager's
    // close request is input too: the window that opened About must stay.
    if (hasEnded() || (!isEnabled() && !m_unloading)) {
        event->ignore();
        return;
    }
    emit closeRequested();
    event->setAccepted(m_unloading);
}

void Form::changeEvent(QEvent *event)
{
    // Disabling a window disables its widgets but not its menu items, which
    // could still be triggered by an assistive tool; they follow the window.
    if (event->type() == QEvent::EnabledChange) {
        for (QAction *action : findChildren<QAction *>())
            action->setEnabled(isEnabled());
    }
    QDialog::changeEvent(event);
}

bool Form::event(QEvent *event)
{
    // Show where the keyboard focus is from the start, not only once Tab has
    // been pressed: the user may not have a mouse.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        setAttribute(Qt::WA_KeyboardFocusChange);
    // With a screen reader listening, the first control takes the focus a
    // moment after the window has become active, the window itself holding
    // it until then. Orca 48 can learn of the key that opened the window
    // only once the window is up: it then presents the window and takes
    // whatever has the focus by then as already presented, so the focused
    // control, and what it says, would go unheard. A key or click meanwhile
    // gives the control its focus at once. Can go once Orca presents the
    // focused control of a window it has just presented (Orca 48.1 does not).
    if (event->type() == QEvent::Show && QAccessible::isActive() && !m_firstFocus) {
        if (QWidget *first = focusWidget(); first && first != this) {
            m_firstFocus = first;
            setFocusPolicy(Qt::StrongFocus);
            setFocus(Qt::OtherFocusReason);
        }
    }
    if (event->type() == QEvent::WindowActivate && m_firstFocus)
        QTimer::singleShot(FirstFocusDelayMs, this, &Form::giveFirstFocus);
    if (m_firstFocus
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)) {
        giveFirstFocus();
        if (event->type() == QEvent::KeyPress && focusWidget() && focusWidget() != this)
            return QCoreApplication::sendEvent(focusWidget(), event);
    }
    // While the window is disabled for another, using it brings that one
    // back: a window manager that raises the window clicked, or that lets
    // the other be minimized, would otherwise leave it hidden.
    if (m_front && !isEnabled() && !m_unloading && !hasEnded()) {
        switch (event->type()) {
        case QEvent::WindowActivate:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_front && !isEnabled())
                        m_front->bringToFront();
                },
                Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return QDialog::event(event);
}

} // namespace forms
