// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputguard.h"

#include "accesskeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

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

void guardInput()
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
}

} // namespace forms
