// SPDX-License-Identifier: GPL-3.0-or-later
#include "placement.h"

#include "screen.h"
#include "windowsystem.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace forms {

namespace {

// The window manager's frame is known only once a window is on screen, but
// windows are placed before that. Frames of the same kind look the same, so
// the last one seen stands in for the one to come.
QMargins &lastFrame()
{
    static QMargins frame;
    return frame;
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

// Runs a window's placement again once the window manager has framed it,
// now with the real frame rather than the one it assumed. It looks at the
// events that follow framing (the move to the framed position, the first
// paint, activation) and at the window's property changes, where the frame
// extents arrive on X11.
class Placer : public QObject
{
public:
    explicit Placer(QWidget *window, std::function<void()> placement)
        : QObject(window)
        , m_window(window)
        , m_placement(std::move(placement))
    {
        setObjectName(QLatin1String(PlacerName));
        m_assumed = m_window->isVisible() ? frameOf(m_window) : lastFrame();
        m_window->installEventFilter(this);
        m_size = m_window->size();
        // A projector or a dock plugged in, or the screen's resolution
        // changed: the window is placed again for the new screen.
        for (QScreen *screen : QGuiApplication::screens())
            watch(screen);
        connect(qApp, &QGuiApplication::screenAdded, this, &Placer::watch);
        connect(qApp, &QGuiApplication::primaryScreenChanged, this, &Placer::screenChanged);
        place();
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
            lastFrame() = frame;
        // Once more with the real frame, which also undoes a window manager
        // that put the window somewhere of its own choosing as it mapped it.
        // Some window managers settle on their frame in steps; a window the
        // user has moved keeps its place unless its frame changes. A window
        // whose size changed after it was placed (a box that lays itself out
        // late) is placed again for its new size.
        const bool framed = !frame.isNull() && (!m_framed || frame != m_assumed);
        const bool resized = m_window->size() != m_size;
        if (framed || resized) {
            if (framed) {
                m_framed = true;
                m_assumed = frame;
            }
            m_size = m_window->size();
            place();
        }
    }

    // Where the placement last put the window's outer corner.
    void placedAt(const QPoint &corner) { m_corner = corner; }

    // The primary screen has changed or changed size: the window goes where
    // its placement puts it on the new screen, unless the user has moved it
    // since, in which case it keeps its place as far as the new screen has
    // room for it. Qt learns of the change before the window manager moves
    // any window for it, so the window is still where it was.
    void screenChanged()
    {
        const QRect screen = screenGeometry();
        if (!m_placement || screen == m_screen)
            return;
        const QPoint corner = m_window->frameGeometry().topLeft();
        // Once moved by the user, always: keeping it on one screen change
        // records a corner of the program's, which a later change must not
        // take for the program's own placement.
        m_movedByUser
            = m_movedByUser || (m_window->isVisible() && (corner - m_corner).manhattanLength() > 2);
        if (!m_movedByUser) {
            place();
            return;
        }
        m_screen = screen;
        const QPointF kept
            = keptOnScreen(corner - screen.topLeft(), outerSize(m_window), screen.size());
        moveFrameTo(m_window, screen.topLeft() + kept.toPoint());
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
    void watch(QScreen *screen)
    {
        connect(screen, &QScreen::geometryChanged, this, &Placer::screenChanged);
    }

    void place()
    {
        m_screen = screenGeometry();
        m_placement();
    }

    QWidget *m_window;
    std::function<void()> m_placement;
    QRect m_screen;
    QPoint m_corner;
    bool m_movedByUser = false;
    QMargins m_assumed;
    QSize m_size;
    bool m_framed = false;
};

} // namespace

QPointF keptOnScreen(QPointF corner, QSizeF outer, QSizeF screen)
{
    return {std::max(std::min(corner.x(), screen.width() - outer.width()), 0.0),
            std::max(std::min(corner.y(), screen.height() - outer.height()), 0.0)};
}

QPointF centredCorner(QSizeF outer, QSizeF screen, double offset)
{
    return keptOnScreen({(screen.width() - outer.width()) / 2 + offset,
                         (screen.height() - outer.height()) / 2 + offset},
                        outer, screen);
}

QSize outerSize(const QWidget *window)
{
    const QMargins frame = frameOf(window);
    return window->size().grownBy(frame.isNull() ? lastFrame() : frame);
}

// Before the window is mapped Qt asks the window manager to put the frame
// there; once it is framed, the frame Qt itself assumes may lag behind the
// real one, so the inner corner is placed instead.
void moveFrameTo(QWidget *window, const QPoint &to)
{
    // At a fractional scale Qt rounds a window's position and its size to
    // device pixels each on its own, so a window that ends at the screen's
    // edge in logical pixels can run one device pixel past it (About at
    // scale 2.5 on 1280x1024). Such a window moves one logical pixel in.
    // Can go once Qt rounds a window's geometry as one rectangle.
    QPoint corner = to;
    const double ratio = window->devicePixelRatioF();
    const QRect screen = screenGeometry();
    const QSize outer = outerSize(window);
    const auto fitted = [ratio](int at, int size, int start, int end) {
        const bool fits = at > start && at + size <= end;
        return fits && qRound(at * ratio) + qRound(size * ratio) > qRound(end * ratio) ? at - 1
                                                                                       : at;
    };
    corner.setX(fitted(corner.x(), outer.width(), screen.left(), screen.x() + screen.width()));
    corner.setY(fitted(corner.y(), outer.height(), screen.top(), screen.y() + screen.height()));
    if (Placer *placer = Placer::of(window))
        placer->placedAt(corner);
    if (const QMargins frame = frameOf(window); !frame.isNull())
        window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), window->size()));
    else
        window->move(corner);
}

void rememberFrame(const QWidget *window)
{
    if (const QMargins frame = frameOf(window); !frame.isNull())
        lastFrame() = frame;
}

void frameMayHaveChanged(QWidget *window)
{
    if (Placer *placer = Placer::of(window)) {
        // After Qt has read the property change itself.
        QMetaObject::invokeMethod(
            placer, [placer] { placer->check(); }, Qt::QueuedConnection);
    }
}

void keepPlaced(QWidget *window, std::function<void()> placement)
{
    if (!windowsCanBePlaced())
        return;
    delete Placer::of(window);
    new Placer(window, std::move(placement));
}

} // namespace forms
