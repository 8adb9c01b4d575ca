// SPDX-License-Identifier: GPL-3.0-or-later
#include "accesskeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <string_view>

namespace forms {

namespace {

// The Latin letter on a key in the US layout, by the key's XKB keycode (the
// Linux key code plus 8), which X11 and Wayland both give as the native scan
// code; 0 for a key without one.
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

} // namespace

bool LatinAccessKeys::eventFilter(QObject *receiver, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // In an open menu or a menu bar reached by Alt, the letter alone
    // chooses an item; elsewhere Alt goes with it.
    const bool inMenu = qobject_cast<QMenu *>(receiver) || qobject_cast<QMenuBar *>(receiver);
    const bool accessKey = modifiers == Qt::AltModifier || (inMenu && modifiers == Qt::NoModifier);
    if (!accessKey || !writesOtherScript(key))
        return false;
    const char letter = usLetter(key->nativeScanCode());
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

} // namespace forms
