// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "accessibility.h"
#include "fonts.h"
#include "inputguard.h"
#include "placement.h"
#include "registry.h"
#include "screen.h"
#include "style.h"
#include "x11.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace forms {

namespace {
constexpr auto Stretched = Qt::WindowMaximized | Qt::WindowFullScreen;
// How long after the window has become active its first control takes the
// focus, with a screen reader listening (see Form::event).
constexpr int FirstFocusDelayMs = 150;
} // namespace

// The area below the menu bar that holds the window's controls. It paints
// its background colour itself rather than taking it from a palette of its
// own: the style caches what it draws under the palette's identity, and a
// palette made for each window would add to that cache every time a window
// opens. Screen readers read its controls in reading order.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    explicit ClientArea(QWidget *parent)
        : QWidget(parent)
    {
        readClientAreasInOrder(staticMetaObject.className());
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
    : m_frame(frame)
{
    guardInput();
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
    // On Wayland a maximized window must take the size the compositor gives
    // it, or the compositor ends the program; there the windows only keep a
    // minimum size, and go back to it when the maximizing is taken back.
    layout->setSizeConstraint(onWayland() ? QLayout::SetMinimumSize : QLayout::SetFixedSize);
    m_ownSize.setSingleShot(true);
    m_ownSize.setInterval(250);
    connect(&m_ownSize, &QTimer::timeout, this, [this] {
        if (!(windowState() & Stretched) && size() != minimumSize())
            resize(minimumSize());
    });
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
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
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
    return isEnabled() && !m_unloading && !hasEnded() && forms::find(objectName()) == this;
}

void Form::placeBy(std::function<void()> placement)
{
    keepPlaced(this, std::move(placement));
}

void Form::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!onWayland())
        return;
    // On Wayland the window has now taken the compositor's maximized size,
    // as it must; only now may it ask to be normal again.
    if (windowState() & Stretched) {
        m_ownSize.stop();
        keepItsSize();
        return;
    }
    // Any other size the compositor offers, as when the user drags an edge
    // of Qt's own frame, is a size the window may decline: once the sizes
    // stop coming it goes back to its own. Not at once: the new size and
    // the new state of a maximize reach the window one after the other, and
    // until both are known the window must keep the size it has taken.
    if (size() != minimumSize())
        m_ownSize.start();
}

void Form::keepItsSize()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (windowState() & Stretched)
                setWindowState(windowState() & ~Stretched);
        },
        Qt::QueuedConnection);
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (m_unloading) {
        event->accept();
        // The user closed this window as the program replaced it (Alt+F4
        // just after Next): the close is meant for the window in its place.
        if (m_replacedBy && !hasEnded())
            m_replacedBy->close();
        return;
    }
    // A disabled window takes no input at all, and the window manager's
    // close request is input too: the window that opened About must stay.
    if (!isEnabled() || hasEnded())
        return;
    unload(objectName());
    event->accept();
}

void Form::changeEvent(QEvent *event)
{
    // Disabling a window disables its widgets but not its menu items, which
    // could still be triggered by an assistive tool; they follow the window.
    if (event->type() == QEvent::EnabledChange) {
        for (QAction *action : findChildren<QAction *>())
            action->setEnabled(isEnabled());
    }
    // The windows have a fixed size, but some title bars offer to maximize
    // them anyway: some window managers', and Qt's own on Wayland, where the
    // window must first take the size it is given (see resizeEvent).
    if (event->type() == QEvent::WindowStateChange && (windowState() & Stretched) && !onWayland())
        keepItsSize();

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
    // gives the control its focus at once.
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
    // Shown, but not yet mapped.
    if (event->type() == QEvent::Show && m_frame == Frame::FixedTool)
        keepOutOfTaskBar(this);
    // A window with no task-bar entry (About) has no way back from
    // minimized but the window manager's Alt+Tab, where there is one, while
    // the window it was opened from waits for it; and on Wayland a program
    // has no way back from minimized, nor has the user on a desktop without
    // a window list (weston's). Such a window comes straight back. Qt's own
    // title bar on Wayland minimizes the window behind the widget's back,
    // so the window itself is watched.
    if (event->type() == QEvent::Show && !m_watchingMinimize
        && (m_frame == Frame::FixedTool || onWayland())) {
        m_watchingMinimize = true;
        connect(
            windowHandle(), &QWindow::windowStateChanged, this,
            [this](Qt::WindowState state) {
                if ((state & Qt::WindowMinimized) && !m_unloading && !hasEnded()) {
                    windowHandle()->setWindowStates(Qt::WindowNoState);
                    if (onWayland()) {
                        hide();
                        show();
                    }
                    bringToFront();
                }
            },
            Qt::QueuedConnection);
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

void Form::keyPressEvent(QKeyEvent *event)
{
    // No window has a cancel button, so Escape does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form::reject()
{
    // Only the window's own handlers decide when it goes.
}

} // namespace forms

#include "form.moc"
