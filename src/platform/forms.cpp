// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms.h"

#include "accesskeys.h"
#include "resources.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QVBoxLayout>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace forms {

namespace {

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, QPointer<Form>> loaded;
    Host host;
    bool ended = false;
    int status = 0;
    // The window manager's frame is known only once a window is on screen,
    // but windows are placed before that. Frames of the same kind look the
    // same, so the last one seen stands in for the one to come.
    QMargins frame;
};

Registry &registry()
{
    static Registry r;
    return r;
}

constexpr auto Stretched = Qt::WindowMaximized | Qt::WindowFullScreen;

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QRect screenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// The window manager's frame around a window on screen; none before it is
// framed, and none where there is no window manager.
QMargins frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins frame = handle && window->isVisible() ? handle->frameMargins() : QMargins();
    // While the window manager is still framing the window, Qt can work out
    // a frame from a parent that has no size yet: margins below zero.
    const bool settled
        = frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
    return settled ? frame : QMargins();
}

// Moves a top-level window's outer top-left corner, frame included. Before
// the window is mapped Qt asks the window manager to put the frame there;
// once it is framed, the frame Qt itself assumes may lag behind the real
// one, so the inner corner is placed instead.
void moveFrameTo(QWidget *window, const QPoint &corner)
{
    if (const QMargins frame = frameOf(window); !frame.isNull())
        window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), window->size()));
    else
        window->move(corner);
}

void rememberFrame(const QWidget *window)
{
    if (const QMargins frame = frameOf(window); !frame.isNull())
        registry().frame = frame;
}

// Runs a window's placement again once the window manager has framed it,
// now with the real frame rather than the one it assumed. It looks at the
// events that follow framing (the move to the framed position, the first
// paint, activation) and at the window's property changes, where the frame
// extents arrive on X11.
class Placer : public QObject
{
public:
    Placer(QWidget *window, std::function<void()> placement)
        : QObject(window)
        , m_window(window)
        , m_placement(std::move(placement))
    {
        setObjectName(QLatin1String(PlacerName));
        m_assumed = m_window->isVisible() ? frameOf(m_window) : registry().frame;
        m_window->installEventFilter(this);
        m_size = m_window->size();
        m_placement();
    }

    static constexpr char PlacerName[] = "forms_placer";

    // The window's placer, if it has one. Looked up by name: a Placer has
    // no meta-object of its own to be looked up by.
    [[nodiscard]] static Placer *of(QWidget *window)
    {
        return static_cast<Placer *>(
            window->findChild<QObject *>(QLatin1String(PlacerName), Qt::FindDirectChildrenOnly));
    }

    void check()
    {
        if (!m_placement)
            return;
        // The frame counts once the window is on screen: a window manager
        // can announce it before it maps the window, and then still put the
        // window where it likes as it maps it.
        const QWindow *handle = m_window->windowHandle();
        const QMargins frame = handle && handle->isExposed() ? frameOf(m_window) : QMargins();
        if (!frame.isNull())
            registry().frame = frame;
        // Once more with the real frame, which also undoes a window manager
        // that put the window somewhere of its own choosing as it mapped it.
        // Some window managers settle on their frame in steps; a window the
        // user has moved keeps its place unless its frame changes. A window
        // whose size changed after it was placed (a box that lays itself out
        // late) is placed again for its new size.
        const bool framed = !frame.isNull() && (!m_framed || frame != m_assumed);
        // (Wayland places windows itself, and a window there changes size
        // only as it is maximized and back.)
        const bool resized = m_window->size() != m_size && !onWayland();
        if (framed || resized) {
            if (framed) {
                m_framed = true;
                m_assumed = frame;
            }
            m_size = m_window->size();
            m_placement();
        }
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::WindowActivate:
        case QEvent::UpdateRequest:
            check();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_placement;
    QMargins m_assumed;
    QSize m_size;
    bool m_framed = false;
};

// On X11 a window manager may set a window's frame extents after it has
// mapped and moved it; their property change is the only sign.
class FrameExtentsWatcher : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = static_cast<const xcb_property_notify_event_t *>(message);
        if (QWidget *window = QWidget::find(notify->window)) {
            if (Placer *placer = Placer::of(window)) {
                // After Qt has read the property change itself.
                QMetaObject::invokeMethod(
                    placer, [placer] { placer->check(); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

constexpr char DecorativeProperty[] = "forms_decorative";

// The client area as assistive technology sees it: its controls in reading
// order (top to bottom, then left to right) rather than stacking order, and
// without decorative copies, so that each text is read once.
class ClientAccessible : public QAccessibleWidget
{
public:
    explicit ClientAccessible(QWidget *client)
        : QAccessibleWidget(client, QAccessible::Client)
    {
    }

    int childCount() const override { return static_cast<int>(readable().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto controls = readable();
        if (index < 0 || index >= controls.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(controls.at(index));
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return static_cast<int>(readable().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> readable() const
    {
        QList<QWidget *> controls;
        for (QObject *object : widget()->children()) {
            auto *control = qobject_cast<QWidget *>(object);
            if (control && !control->isWindow() && !control->property(DecorativeProperty).toBool())
                controls << control;
        }
        std::stable_sort(controls.begin(), controls.end(), [](QWidget *a, QWidget *b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        return controls;
    }
};

QAccessibleInterface *clientAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("forms::ClientArea") && object && object->isWidgetType())
        return new ClientAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// Input as people give it, made into one step per deliberate action.
//  - A held key repeats: a repeated Enter, Return, space or Alt+letter would
//    press the next window's button too and skip cards unseen.
//  - Every window appears with its buttons where the last one had them, so
//    the second click of a double click on a button that took its window
//    away would press the button of the window that has just appeared in
//    its place. That second click is dropped; every other click acts,
//    however soon it follows the one before.
class InputGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::AltModifier)
                m_altOvertaken = true;
            return heldKey(static_cast<QKeyEvent *>(event));
        case QEvent::KeyPress:
            return staleAlt(static_cast<QKeyEvent *>(event))
                   || heldKey(static_cast<QKeyEvent *>(event));
        case QEvent::KeyRelease:
            if (const auto *key = static_cast<QKeyEvent *>(event); !key->isAutoRepeat()) {
                m_releasedKey = key->key();
                m_releasedAt = key->timestamp();
                if (key->key() == Qt::Key_Alt)
                    m_altOvertaken = false;
            }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return secondClick(receiver, static_cast<QMouseEvent *>(event));
        case QEvent::MouseButtonRelease:
            if (m_dropRelease && static_cast<QMouseEvent *>(event)->button() == m_dropped) {
                m_dropRelease = false;
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    // While a screen reader listens, Qt holds every key back until the
    // reader has seen it and then delivers a copy, but runs shortcuts at
    // once. A quick Alt+H opens the Help menu, and the Alt press that came
    // before it then arrives late and closes the menu again. An Alt press
    // delivered after a shortcut that Alt was already held for is such a
    // late copy.
    bool staleAlt(const QKeyEvent *event)
    {
        if (event->key() != Qt::Key_Alt)
            return false;
        const bool stale = !event->spontaneous() && m_altOvertaken;
        m_altOvertaken = false;
        return stale;
    }

    bool heldKey(QKeyEvent *event)
    {
        const int key = event->key();
        // X11 repeats a held key as a release and a press at the same time;
        // when the two reach Qt apart (a busy machine), Qt calls the press a
        // new one. No hand releases and presses a key within a millisecond.
        const bool repeated = event->isAutoRepeat()
                              || (key == m_releasedKey && m_releasedAt != 0
                                  && event->timestamp() - m_releasedAt <= 1);
        if (!repeated)
            return false;
        const bool presses = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space
                             || key == Qt::Key_Select || (event->modifiers() & Qt::AltModifier);
        if (presses)
            event->accept(); // so that no shortcut acts on it either
        return presses;
    }

    bool secondClick(QObject *receiver, QMouseEvent *event)
    {
        auto *widget = qobject_cast<QWidget *>(receiver);
        if (!widget)
            return false;
        QWidget *window = widget->window();
        const QPoint at = event->globalPosition().toPoint();
        const auto *hints = QGuiApplication::styleHints();
        // The window of the button pressed last has gone, and this press
        // lands where that button was, within the double-click time and
        // distance of the press on it.
        const bool drop
            = m_pressed.time != 0 && m_pressed.window != window
              && (!m_pressed.window || !m_pressed.window->isVisible())
              && event->timestamp() - m_pressed.time < ulong(hints->mouseDoubleClickInterval())
              && (at - m_pressed.at).manhattanLength()
                     <= std::max(hints->mouseDoubleClickDistance(), 5)
              && m_pressed.button.contains(at);
        if (drop) {
            // The press that was dropped stays the one to compare with, so
            // a triple click is dropped as a whole.
            m_dropRelease = true;
            m_dropped = event->button();
            return true;
        }
        // Qt follows the second press of a double click with a double-click
        // event for the same spot: it is no new press.
        if (event->type() == QEvent::MouseButtonDblClick)
            return false;
        auto *button = qobject_cast<QPushButton *>(widget);
        m_pressed = button ? Press{window, QRect(button->mapToGlobal(QPoint()), button->size()),
                                   event->timestamp(), at}
                           : Press{};
        return false;
    }

    // The last press, if it was on a push button: the button's window, where
    // the button was on screen, and when and where it was pressed.
    struct Press {
        QPointer<QWidget> window;
        QRect button;
        ulong time = 0;
        QPoint at;
    };

    int m_releasedKey = 0;
    ulong m_releasedAt = 0;
    bool m_altOvertaken = false;
    Press m_pressed;
    bool m_dropRelease = false;
    Qt::MouseButton m_dropped = Qt::NoButton;
};

} // namespace

ClientArea::ClientArea(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(clientAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
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

void hideFromAssistiveTechnology(QWidget *decoration)
{
    decoration->setProperty(DecorativeProperty, true);
}

namespace {

// A message box centred on the primary screen, as the windows are, rather
// than on whichever screen holds the mouse.
class MessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        // The box has its final size only now, just before it is mapped.
        QMessageBox::showEvent(event);
        if (!m_placed) {
            m_placed = true;
            keepPlaced(this, [this] { centreOnScreen(); });
        }
    }

private:
    void centreOnScreen()
    {
        const QRect screen = screenGeometry();
        const QMargins frame
            = isVisible() && !frameOf(this).isNull() ? frameOf(this) : registry().frame;
        const QSize outer = size().grownBy(frame);
        moveFrameTo(this, {screen.left() + std::max(0, (screen.width() - outer.width()) / 2),
                           screen.top() + std::max(0, (screen.height() - outer.height()) / 2)});
    }

    bool m_placed = false;
};

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt, const QString &title)
{
    auto box
        = std::make_unique<MessageBox>(QMessageBox::Information, title, prompt, QMessageBox::Ok);
    // Texts are the program's own or the deployer's; never interpret them.
    box->setTextFormat(Qt::PlainText);
    box->setWindowIcon(programIcon());
    return box;
}

namespace {

void showMessageBox(const QString &prompt, const QString &title)
{
    const auto box = makeMessageBox(prompt, title);
    QMessageBox *shown = box.get();
    QObject::connect(shown, &QMessageBox::buttonClicked, shown, [shown] { rememberFrame(shown); });
    box->exec();
}

} // namespace

int twips(double value)
{
    return qRound(value * logicalDpi() / 1440.0);
}

double toTwips(int pixels)
{
    return pixels * 1440.0 / logicalDpi();
}

QRect twipsRect(int left, int top, int width, int height)
{
    // Convert edges rather than sizes so that neighbouring controls stay
    // flush after rounding.
    const int x = twips(left);
    const int y = twips(top);
    return {x, y, twips(left + width) - x, twips(top + height) - y};
}

namespace {

// Qt marks a tool window as a utility window, which some window managers
// (icewm among them) still list in the task bar. Before the window is mapped
// it can say so itself; Qt keeps states it finds there when it maps it.
void keepOutOfTaskBar(QWidget *window)
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    // The offscreen platform answers too, without a connection.
    if (!connection || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto intern = [connection](const char *name) {
        const auto cookie = xcb_intern_atom(connection, false, std::strlen(name), name);
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    };
    const xcb_atom_t state = intern("_NET_WM_STATE");
    const xcb_atom_t skip[]
        = {intern("_NET_WM_STATE_SKIP_TASKBAR"), intern("_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()), state,
                        XCB_ATOM_ATOM, 32, 2, skip);
}

} // namespace

Form::Form(const QString &name, Frame frame)
    : m_frame(frame)
{
    static const bool guarding = [] {
        // The filter installed last sees each event first: the guard drops
        // a held key before its letter is looked at.
        QCoreApplication *application = QCoreApplication::instance();
        application->installEventFilter(new LatinAccessKeys(application));
        application->installEventFilter(new InputGuard(application));
        return true;
    }();
    Q_UNUSED(guarding);
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

Form::~Form() = default;

void Form::setFormEnabled(bool enabled)
{
    // Disabling a window takes the focus from its controls, and enabling it
    // does not give it back: Enter would then reach whatever Qt picks.
    if (!enabled && isEnabled())
        m_lastFocus = focusWidget();
    setEnabled(enabled);
    if (enabled && m_lastFocus)
        m_lastFocus->setFocus(Qt::OtherFocusReason);
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

QSize Form::outerSize() const
{
    const QMargins frame = frameOf(this);
    return size().grownBy(frame.isNull() ? registry().frame : frame);
}

double Form::outerWidth() const
{
    return toTwips(outerSize().width());
}

double Form::outerHeight() const
{
    return toTwips(outerSize().height());
}

void Form::moveTo(double leftTwips, double topTwips)
{
    // Positions count from the primary screen's top-left corner.
    const QPoint origin = screenGeometry().topLeft();
    moveFrameTo(this, {origin.x() + qRound(leftTwips * logicalDpi() / 1440.0),
                       origin.y() + qRound(topTwips * logicalDpi() / 1440.0)});
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
    // Shown, but not yet mapped.
    if (event->type() == QEvent::Show && m_frame == Frame::FixedTool)
        keepOutOfTaskBar(this);
    // Wayland has no way back from minimized for a program, and a desktop
    // without a window list (weston's) has none for the user either: the
    // window comes straight back instead. Qt's own title bar minimizes the
    // window behind the widget's back, so its window is watched.
    if (event->type() == QEvent::Show && onWayland() && !m_watchingMinimize) {
        m_watchingMinimize = true;
        connect(
            windowHandle(), &QWindow::windowStateChanged, this,
            [this](Qt::WindowState state) {
                if (state & Qt::WindowMinimized) {
                    windowHandle()->setWindowStates(Qt::WindowNoState);
                    hide();
                    show();
                    activateWindow();
                }
            },
            Qt::QueuedConnection);
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

double screenWidth()
{
    return toTwips(screenGeometry().width());
}

double screenHeight()
{
    return toTwips(screenGeometry().height());
}

void keepPlaced(QWidget *window, std::function<void()> placement)
{
    static FrameExtentsWatcher watcher;
    static const bool watching = [] {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QCoreApplication::instance()->installNativeEventFilter(&watcher);
        return true;
    }();
    Q_UNUSED(watching);
    delete Placer::of(window);
    new Placer(window, std::move(placement));
}

void registerForm(const QString &name, Factory factory)
{
    registry().factories.insert(name, std::move(factory));
}

Form *find(const QString &name)
{
    return registry().loaded.value(name).data();
}

Form &load(const QString &name)
{
    if (Form *form = find(name))
        return *form;
    auto &r = registry();
    const auto factory = r.factories.constFind(name);
    if (factory == r.factories.constEnd())
        throw std::logic_error("no window named " + name.toStdString());
    for (const auto &other : std::as_const(r.loaded)) {
        if (other)
            rememberFrame(other);
    }
    Form *form = (*factory)().release();
    r.loaded.insert(name, form);
    form->ensurePolished();
    form->layout()->activate();
    form->Form_Load();
    return *form;
}

void show(const QString &name)
{
    if (hasEnded())
        return;
    Form &form = load(name);
    if (!form.isUnloading() && !hasEnded()) {
        form.show();
        // A window shown by the program takes the keyboard: the window that
        // showed it is going away or is about to be disabled.
        form.raise();
        form.activateWindow();
    }
}

void unload(const QString &name)
{
    Form *form = find(name);
    if (!form || form->m_unloading)
        return;
    form->m_unloading = true;
    form->Form_Unload();
    auto &r = registry();
    r.loaded.remove(name);
    form->hide();
    // Deleted later: the window may be running the handler that unloads it.
    form->deleteLater();
    if (r.loaded.isEmpty())
        endProgram();
}

int loadedCount()
{
    return static_cast<int>(registry().loaded.size());
}

void endProgram(int status)
{
    auto &r = registry();
    if (r.ended)
        return;
    r.ended = true;
    r.status = status;
    const auto loaded = r.loaded;
    r.loaded.clear();
    for (const auto &form : loaded) {
        if (!form)
            continue;
        form->m_unloading = true;
        form->hide();
        form->deleteLater();
    }
    if (r.host.end)
        r.host.end(status);
    else
        QCoreApplication::exit(status);
}

bool hasEnded()
{
    return registry().ended;
}

int exitStatus()
{
    return registry().status;
}

void fail(const QString &what)
{
    static bool failing = false;
    std::fprintf(stderr, "numora: %s\n", qPrintable(what));
    std::fflush(stderr);
    // One box, even if showing it brings up another error.
    if (!failing) {
        failing = true;
        messageBox(QStringLiteral("Numora has to stop because of an error:\n") + what,
                   QStringLiteral("Numora - Error"));
        failing = false;
    }
    endProgram(FailureStatus);
}

void messageBox(const QString &prompt, const QString &title)
{
    const auto &host = registry().host;
    if (host.messageBox)
        host.messageBox(prompt, title);
    else
        showMessageBox(prompt, title);
}

void setHost(Host host)
{
    registry().host = std::move(host);
}

void restart()
{
    auto &r = registry();
    const auto loaded = r.loaded;
    r.loaded.clear();
    for (const auto &form : loaded)
        delete form.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    r.ended = false;
    r.status = 0;
}

} // namespace forms
