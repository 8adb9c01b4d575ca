// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputguard.h"

#include "windowsystem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QWidget>

#include <algorithm>
#include <array>
#include <string_view>

namespace forms {

namespace {

// The Latin letter on a key in the US layout, by the key's XKB keycode (the
// Linux key code plus 8), which X11 and Wayland both give as the native scan
// code; 0 for a key without one. It stands in where the keymap has no Latin
// layout of its own.
char usLetter(quint32 keycode)
{
    struct Row {
        quint32 first;
        const char *letters;
    };
    static constexpr std::array<Row, 3> Rows{
        {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}}};
    for (const Row &row : Rows) {
        const std::string_view letters(row.letters);
        if (keycode >= row.first && keycode < row.first + letters.size())
            return letters[keycode - row.first];
    }
    return 0;
}

// Whether the key writes a letter of a script other than Latin.
bool writesOtherScript(const QKeyEvent *event)
{
    QChar written;
    if (!event->text().isEmpty())
        written = event->text().front();
    else if (event->key() > 0xff && event->key() <= 0xffff)
        written = QChar(event->key()); // Qt names such letters by their code
    return written.isLetter() && written.script() != QChar::Script_Latin
           && written.script() != QChar::Script_Common;
}

// Access keys on every keyboard layout: an Alt+key press that writes a
// letter of a non-Latin script, and such a letter typed into an open menu, is
// given again as the Latin letter that the key carries in the user's own
// Latin layout, or in the US layout where the keymap has none. Qt's own
// shortcuts on X11 take Alt+letter from that layout too, and an open menu
// agrees with them: with French and Russian, Russian active, the key
// labelled A on AZERTY is A. Layouts that write Latin letters are left
// alone. Can go once Qt's menus match a typed letter through the keymap as
// its shortcuts do, rather than by the letter written.
class LatinAccessKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !receiver->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        // In an open menu or a menu bar reached by Alt, the letter alone
        // chooses an item; elsewhere Alt goes with it.
        const bool inMenu = qobject_cast<QMenu *>(receiver) || qobject_cast<QMenuBar *>(receiver);
        const bool accessKey
            = modifiers == Qt::AltModifier || (inMenu && modifiers == Qt::NoModifier);
        if (!accessKey || !writesOtherScript(key))
            return false;
        char letter = latinLetterOf(key->nativeScanCode());
        if (!letter)
            letter = usLetter(key->nativeScanCode());
        if (!letter)
            return false;
        // Sent, not posted: Qt gives a key press that did not come from the
        // window system to the shortcuts first, as it did the original.
        QKeyEvent latin(QEvent::KeyPress, Qt::Key_A + (letter - 'A'), key->modifiers(),
                        QString(QChar::fromLatin1(letter).toLower()), key->isAutoRepeat());
        latin.setTimestamp(key->timestamp());
        QCoreApplication::sendEvent(receiver, &latin);
        key->setAccepted(latin.isAccepted());
        return true;
    }
};

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
    // late copy. Can go once Qt's accessibility bridge delivers the keys it
    // holds back before the shortcuts they lead to.
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
    // The filter installed last sees each event first: the guard drops a
    // held key before its letter is looked at.
    QCoreApplication *application = QCoreApplication::instance();
    application->installEventFilter(new LatinAccessKeys(application));
    application->installEventFilter(new InputGuard(application));
}

} // namespace forms
