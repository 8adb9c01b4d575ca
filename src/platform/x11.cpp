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

} // namespace forms
