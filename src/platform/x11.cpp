// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace forms {

namespace {

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

} // namespace

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void watchWindowProperties(std::function<void(QWidget *window)> changed)
{
    static bool watching = false;
    if (watching || !onX11())
        return;
    watching = true;
    static PropertyWatcher watcher(std::move(changed));
    QCoreApplication::instance()->installNativeEventFilter(&watcher);
}

void keepOutOfTaskBar(QWidget *window)
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    // The offscreen platform answers too, without a connection.
    if (!connection || !onX11())
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

char latinLetterOf(quint32 keycode)
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || !onX11())
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

} // namespace forms
