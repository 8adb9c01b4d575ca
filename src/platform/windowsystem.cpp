// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsystem.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QLayout>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace forms {

namespace {

constexpr auto Stretched = Qt::WindowMaximized | Qt::WindowFullScreen;

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

bool platformChosen(int argc, char **argv)
{
    if (isSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

xcb_connection_t *x11Connection()
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers too, without a connection.
    return x11 && onX11() ? x11->connection() : nullptr;
}

class PropertyWatcher : public QAbstractNativeEventFilter
{
public:
    explicit PropertyWatcher(std::function<void(QWidget *)> changed)
        : m_changed(std::move(changed))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = static_cast<const xcb_property_notify_event_t *>(message);
        if (QWidget *window = QWidget::find(notify->window))
            m_changed(window);
        return false;
    }

private:
    std::function<void(QWidget *)> m_changed;
};

// Qt marks a tool window as a utility window, which some window managers
// (icewm among them) still list in the task bar. Before the window is mapped
// it can say so itself; Qt keeps states it finds there when it maps it. Can
// go once Qt says so of tool windows itself, or the window managers that list
// utility windows are gone.
void keepOutOfTaskBar(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
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

// The windows have a fixed size, but some title bars offer to maximize them
// anyway: some window managers', and Qt's own on Wayland. On X11 the
// maximizing is taken back at once. On Wayland a maximized window must take
// the size the compositor gives it, or the compositor ends the program;
// there a window only keeps a minimum size, and goes back to it once the
// maximizing has been taken back. Can go once Qt's Wayland title bar offers
// no maximize for a window of fixed size (Qt 6.4's and 6.8's do).
class Keeper : public QObject
{
public:
    Keeper(QWidget *window, bool inTaskBar)
        : QObject(window)
        , m_window(window)
        , m_inTaskBar(inTaskBar)
    {
        window->layout()->setSizeConstraint(m_wayland ? QLayout::SetMinimumSize
                                                      : QLayout::SetFixedSize);
        m_ownSize.setSingleShot(true);
        m_ownSize.setInterval(250);
        connect(&m_ownSize, &QTimer::timeout, this, [this] {
            if (!(m_window->windowState() & Stretched)
                && m_window->size() != m_window->minimumSize())
                m_window->resize(m_window->minimumSize());
        });
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (!m_shown) {
                m_shown = true;
                shownFirst();
            }
            break;
        case QEvent::WindowStateChange:
            if ((m_window->windowState() & Stretched) && !m_wayland)
                unstretch();
            break;
        case QEvent::Resize:
            if (m_wayland)
                resizedOnWayland();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Shown, but not yet mapped.
    void shownFirst()
    {
        if (!m_inTaskBar)
            keepOutOfTaskBar(m_window);
        // A window with no task-bar entry (About) has no way back from
        // minimized but the window manager's Alt+Tab, where there is one,
        // while the window it was opened from waits for it; and on Wayland a
        // program has no way back from minimized, nor has the user on a
        // desktop without a window list (weston's). Such a window comes
        // straight back. Qt's own title bar on Wayland minimizes the window
        // behind the widget's back, so the window itself is watched.
        if (m_inTaskBar && !m_wayland)
            return;
        connect(
            m_window->windowHandle(), &QWindow::windowStateChanged, this,
            [this](Qt::WindowState state) {
                // A hidden window is going, or the program has ended.
                if (!(state & Qt::WindowMinimized) || !m_window->isVisible())
                    return;
                m_window->windowHandle()->setWindowStates(Qt::WindowNoState);
                if (m_wayland) {
                    m_window->hide();
                    m_window->show();
                }
                bringToFront(m_window);
            },
            Qt::QueuedConnection);
    }

    void unstretch()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_window->windowState() & Stretched)
                    m_window->setWindowState(m_window->windowState() & ~Stretched);
            },
            Qt::QueuedConnection);
    }

    void resizedOnWayland()
    {
        // The window has now taken the compositor's maximized size, as it
        // must; only now may it ask to be normal again.
        if (m_window->windowState() & Stretched) {
            m_ownSize.stop();
            unstretch();
            return;
        }
        // Any other size the compositor offers, as when the user drags an
        // edge of Qt's own frame, is a size the window may decline: once the
        // sizes stop coming it goes back to its own. Not at once: the new
        // size and the new state of a maximize reach the window one after
        // the other, and until both are known it must keep the size it has.
        if (m_window->size() != m_window->minimumSize())
            m_ownSize.start();
    }

    QWidget *m_window;
    bool m_inTaskBar;
    const bool m_wayland = onWayland();
    bool m_shown = false;
    QTimer m_ownSize;
};

} // namespace

bool displayNamed(int argc, char **argv)
{
    return platformChosen(argc, argv) || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

void preferX11(int argc, char **argv)
{
    if (!platformChosen(argc, argv) && isSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", isSet("WAYLAND_DISPLAY") ? "xcb;wayland" : "xcb");
}

bool windowsCanBePlaced()
{
    return !onWayland();
}

void watchWindowProperties(std::function<void(QWidget *window)> changed)
{
    if (!onX11())
        return;
    static PropertyWatcher watcher(std::move(changed));
    QCoreApplication::instance()->installNativeEventFilter(&watcher);
}

void keepAsDesigned(QWidget *window, bool inTaskBar)
{
    new Keeper(window, inTaskBar);
}

char latinLetterOf(quint32 keycode)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return 0;
    // A keycode outside the server's range would earn an error, not keysyms.
    const xcb_setup_t *setup = xcb_get_setup(connection);
    if (keycode < setup->min_keycode || keycode > setup->max_keycode)
        return 0;
    const auto cookie = xcb_get_keyboard_mapping(connection, xcb_keycode_t(keycode), 1);
    xcb_get_keyboard_mapping_reply_t *reply
        = xcb_get_keyboard_mapping_reply(connection, cookie, nullptr);
    if (!reply)
        return 0;
    // The core protocol gives the keysyms layout by layout in the user's
    // order, the first two levels of the first two layouts ahead of the
    // rest; a Latin letter's keysym is its ASCII code.
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(reply);
    const int count = xcb_get_keyboard_mapping_keysyms_length(reply);
    char letter = 0;
    for (int i = 0; i < count && !letter; ++i) {
        if (keysyms[i] >= 'a' && keysyms[i] <= 'z')
            letter = char(keysyms[i] - 'a' + 'A');
        else if (keysyms[i] >= 'A' && keysyms[i] <= 'Z')
            letter = char(keysyms[i]);
    }
    std::free(reply);
    return letter;
}

void bringToFront(QWidget *window)
{
    if (window->windowState() & Qt::WindowMinimized)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace forms
