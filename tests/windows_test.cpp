// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuredabout.h"
#include "harness.h"
#include "trick/carddeck.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTextEdit>

#include <algorithm>
#include <malloc.h>

using namespace harness;

namespace {

void clickNext(flow::PageId page)
{
    forms::Form *form = window(page);
    QVERIFY(form);
    QTest::mouseClick(control<QPushButton>(form, "Next"), Qt::LeftButton);
}

// Walks from the welcome window to the page given, ticking the cards whose
// bit (k - 1) is set in pattern.
void walkTo(flow::PageId target, int pattern = 0)
{
    start();
    for (int page = flow::IntroPage; page < target; ++page) {
        if (page >= flow::FirstCardPage && (pattern & (1 << (page - 1))))
            QTest::mouseClick(control(window(page), "Check1"), Qt::LeftButton);
        clickNext(page);
    }
    QVERIFY(window(target));
}

int expectedSum(int pattern)
{
    int sum = 0;
    for (int k = 1; k <= 6; ++k) {
        if (pattern & (1 << (k - 1)))
            sum += CardDeck::weight(k);
    }
    return sum;
}

// Mouse and key input sent as the window system sends it, with times on a
// clock of its own, far from QTest's.
class Input
{
public:
    Input() { s_clock += 100000; }

    // Presses and releases the left button at a spot on screen, on whatever
    // window is shown there, ms after the sequence began; with a
    // double-click event after the press when it is a double click's second.
    void click(QPoint spot, ulong ms, bool secondOfDouble = false)
    {
        for (QEvent::Type type :
             {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            if (type == QEvent::MouseButtonDblClick && !secondOfDouble)
                continue;
            QWidget *window = QApplication::topLevelAt(spot);
            QWidget *under = window ? window->childAt(window->mapFromGlobal(spot)) : nullptr;
            if (!under)
                return;
            const QPointF local = under->mapFromGlobal(spot);
            QMouseEvent event(type, local, local, QPointF(spot), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            event.setTimestamp(s_clock + ms);
            QApplication::sendEvent(under, &event);
        }
        QCoreApplication::processEvents();
    }

    // A key held down: its press, then the window system's repeats.
    static void hold(int key, int repeats)
    {
        QTest::keyPress(QApplication::focusWidget(), Qt::Key(key));
        for (int i = 0; i < repeats && QApplication::focusWidget(); ++i) {
            QWidget *receiver = QApplication::focusWidget();
            QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(receiver, &override);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(receiver, &press);
        }
        if (QApplication::focusWidget())
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key(key));
    }

    // A key as a keyboard layout gives it: the letter it writes, and the
    // key's code, which is the same on every layout.
    static void press(quint32 keycode, QChar written, Qt::KeyboardModifiers modifiers)
    {
        QWidget *receiver = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                              : QApplication::focusWidget();
        QVERIFY(receiver);
        const int key = written.isLetter() ? written.toUpper().unicode() : written.unicode();
        QKeyEvent event(QEvent::KeyPress, key, modifiers, keycode, 0, 0, QString(written));
        QApplication::sendEvent(receiver, &event);
    }

private:
    static inline ulong s_clock = 1000000000;
};
} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { forms::restart(); }

    void welcomeComesBeforeAnyWindowAndThenTheWindowIsCentred()
    {
        start();
        QCOMPARE(record().boxes, QStringList{QStringLiteral("Welcome...|Welcome to Numora !")});
        QVERIFY(!record().windowVisibleAtWelcome);
        forms::Form *intro = window(flow::IntroPage);
        QVERIFY(intro && intro->isVisible());
        QCOMPARE(intro->windowTitle(), QStringLiteral("Welcome to the numora program!"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // The first window is placed before its frame is known.
        QVERIFY((intro->frameGeometry().center() - screen.center()).manhattanLength() <= 10);
        // Later ones know the frame from the windows before them.
        clickNext(flow::IntroPage);
        QCOMPARE(window(1)->frameGeometry().center().x(), screen.center().x());
        QVERIFY(qAbs(window(1)->frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void everyTickPatternEndsOnItsSum()
    {
        for (int pattern = 0; pattern < 64; ++pattern) {
            walkTo(flow::QuitPage, pattern);
            forms::Form *quit = window(flow::QuitPage);
            const QString sum = QString::number(expectedSum(pattern));
            QCOMPARE(control<QLabel>(quit, "Label1")->text(), sum);
            QCOMPARE(control<QLabel>(quit, "Label4")->text(), sum);
            QCOMPARE(Reply::state().Page, std::int16_t{flow::QuitPage});
            QCOMPARE(forms::loadedCount(), 1);
            QCOMPARE(goodbyes(), 0);
        }
    }

    void nextNeverSaysGoodbyeAndLeavesOneWindow()
    {
        start();
        for (int page = flow::IntroPage; page < flow::QuitPage; ++page) {
            QPointer<forms::Form> left = window(page);
            clickNext(page);
            QCOMPARE(loadedPage(), page + 1);
            QCOMPARE(forms::loadedCount(), 1);
            QCOMPARE(Reply::state().Page, std::int16_t(page + 1));
            QVERIFY(window(page + 1)->isVisible());
            QTRY_VERIFY(left.isNull());
        }
        QCOMPARE(goodbyes(), 0);
        QCOMPARE(record().ends, 0);
    }

    void everyWayOutSaysGoodbyeOnce_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("way");
        for (int page = flow::IntroPage; page <= flow::QuitPage; ++page) {
            const QByteArray name = flow::windowName(page).toLatin1();
            const char *button = page == flow::QuitPage ? "Next" : "Command1";
            QTest::newRow(name + " Exit button") << page << QString::fromLatin1(button);
            QTest::newRow(name + " File > Exit") << page << QStringLiteral("menu");
            QTest::newRow(name + " close box") << page << QStringLiteral("close");
            QTest::newRow(name + " Alt+E") << page << QStringLiteral("alt");
            // The window manager's close request can reach the window that
            // Next has just replaced.
            if (page != flow::QuitPage)
                QTest::newRow(name + " close box as Next moves on")
                    << page << QStringLiteral("late");
        }
        QTest::newRow("Quit Enter") << int(flow::QuitPage) << QStringLiteral("enter");
    }

    void everyWayOutSaysGoodbyeOnce()
    {
        QFETCH(int, page);
        QFETCH(QString, way);
        walkTo(page, 0b010101);
        forms::Form *form = window(page);
        if (way == QLatin1String("menu")) {
            menuItem(form, "Exit")->trigger();
        } else if (way == QLatin1String("close")) {
            closeBox(form);
        } else if (way == QLatin1String("late")) {
            QPointer<forms::Form> replaced = form;
            clickNext(page);
            // The request may come after the program has gone on.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(replaced);
            closeBox(replaced);
        } else if (way == QLatin1String("alt") || way == QLatin1String("enter")) {
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            if (way == QLatin1String("alt"))
                QTest::keyClick(form, Qt::Key_E, Qt::AltModifier);
            else
                QTest::keyClick(form, Qt::Key_Return);
            QTRY_VERIFY(forms::hasEnded());
        } else {
            QTest::mouseClick(control(form, way.toLatin1().constData()), Qt::LeftButton);
        }
        QCOMPARE(goodbyes(), 1);
        QCOMPARE(record().boxes.last(),
                 QStringLiteral("Bye Bye...|Bye Bye, and thank you for using Numora !"));
        QCOMPARE(record().ends, 1);
        QCOMPARE(forms::loadedCount(), 0);
    }

    void aboutDisablesItsOpenerUntilClosed_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("closing");
        // What the user does to About or the opener while About is open.
        QTest::addColumn<QString>("meanwhile");
        for (const char *closing : {"Ok", "Enter", "space", "close box"}) {
            const auto row = [closing](const char *name, int page) {
                QTest::newRow((QByteArray(name) + ", ") + closing)
                    << page << QString::fromLatin1(closing) << QString();
            };
            row("Intro", 0);
            row("Pick_4", 4);
            row("Quit", 7);
        }
        // However About was put away or hidden, using the opener brings it
        // back in front, restored and focused.
        QTest::newRow("Intro, About minimized, then opener clicked, Enter") << 0 << "Enter"
                                                                            << "minimize, click";
        QTest::newRow("Pick_4, opener activated, Ok") << 4 << "Ok"
                                                      << "activate";
        QTest::newRow("Pick_4, About minimized, close box") << 4 << "close box"
                                                            << "minimize";
        QTest::newRow("Quit, opener clicked, space") << 7 << "space"
                                                     << "click";
    }

    void aboutDisablesItsOpenerUntilClosed()
    {
        QFETCH(int, page);
        QFETCH(QString, closing);
        walkTo(page, 0b001000);
        forms::Form *opener = window(page);
        auto *check = control<QCheckBox>(opener, "Check1");
        if (check)
            QTest::mouseClick(check, Qt::LeftButton);
        const Reply::TrickState before = Reply::state();
        QWidget *focused = opener->focusWidget();
        QVERIFY(focused);

        menuItem(opener, "About")->trigger();
        forms::Form *box = about();
        QVERIFY(box && box->isVisible());
        QVERIFY(!opener->isEnabled());
        QCOMPARE(Reply::state().AboutOpener, std::int16_t(page));
        // Beside the centre: 1500 twips right and down.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint centred((screen.width() - box->frameGeometry().width()) / 2,
                             (screen.height() - box->frameGeometry().height()) / 2);
        QVERIFY((box->frameGeometry().topLeft() - centred
                 - QPoint(forms::twips(1500), forms::twips(1500)))
                    .manhattanLength()
                <= 2);

        // The opener stays put while About is open.
        closeBox(opener);
        // Nor can its menu items fire, even when an assistive tool asks.
        menuItem(opener, "Exit")->trigger();
        menuItem(opener, "About")->trigger();
        QCOMPARE(about(), box);
        QCOMPARE(window(page), opener);
        QVERIFY(opener->isVisible());
        QCOMPARE(goodbyes(), 0);

        QFETCH(QString, meanwhile);
        if (meanwhile.contains(QLatin1String("minimize"))) {
            QSignalSpy states(box->windowHandle(), &QWindow::windowStateChanged);
            box->windowHandle()->showMinimized();
            QVERIFY(!states.isEmpty());
            QCOMPARE(states.first().first().value<Qt::WindowState>(), Qt::WindowMinimized);
            // About does not stay minimized, and has the keyboard back.
            QTRY_VERIFY(!(box->windowHandle()->windowStates() & Qt::WindowMinimized));
            QTRY_COMPARE(QApplication::activeWindow(), box);
        }
        if (!meanwhile.isEmpty()) {
            // The window manager hands the opener the focus, as it does
            // for a click; About takes it back.
            QSignalSpy focus(qApp, &QGuiApplication::focusWindowChanged);
            opener->activateWindow();
            if (meanwhile.contains(QLatin1String("click")))
                QTest::mouseClick(opener->clientArea(), Qt::LeftButton);
            QTRY_VERIFY(std::any_of(focus.cbegin(), focus.cend(), [opener](const auto &args) {
                return args.first().template value<QWindow *>() == opener->windowHandle();
            }));
            QTRY_COMPARE(QApplication::activeWindow(), box);
            QVERIFY(box->isVisible() && !(box->windowState() & Qt::WindowMinimized));
            QVERIFY(!opener->isEnabled());
        }

        // Escape does nothing in About.
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(about(), box);

        auto *ok = control<QPushButton>(box, "Command1");
        QVERIFY(ok->hasFocus());
        if (closing == QLatin1String("Ok"))
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (closing == QLatin1String("Enter"))
            QTest::keyClick(ok, Qt::Key_Return);
        else if (closing == QLatin1String("space"))
            QTest::keyClick(ok, Qt::Key_Space);
        else
            closeBox(box);
        QCOMPARE(about(), nullptr);
        QVERIFY(opener->isEnabled());
        // The keyboard is back where it was: Enter must not land on Exit.
        QCOMPARE(opener->focusWidget(), focused);
        QVERIFY(menuItem(opener, "Exit")->isEnabled());
        QCOMPARE(goodbyes(), 0);
        QCOMPARE(record().ends, 0);
        QCOMPARE(Reply::state().Page, before.Page);
        QVERIFY(Reply::state().CardValue == before.CardValue);
        if (check)
            QVERIFY(check->isChecked());

        if (page < flow::QuitPage) {
            clickNext(page);
            QCOMPARE(loadedPage(), page + 1);
        }
    }

    void aboutOpensFreshEachTime()
    {
        walkTo(flow::FirstCardPage);
        forms::Form *opener = window(flow::FirstCardPage);
        menuItem(opener, "About")->trigger();
        QPointer<forms::Form> first = about();
        QTest::mouseClick(control(first, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());
        menuItem(opener, "About")->trigger();
        QVERIFY(about() && about()->isVisible());
    }

    void cardBoxTogglesItsOwnCardByMouseAndSpace()
    {
        walkTo(4);
        forms::Form *card = window(4);
        auto *check = control<QCheckBox>(card, "Check1");
        QVERIFY(!check->isChecked());
        QCOMPARE(Reply::state().CardValue[3], std::int16_t{0});
        // On the caption, far from the box.
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(10, check->height() / 2));
        QCOMPARE(Reply::state().CardValue[3], std::int16_t{2});
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(Reply::state().CardValue[3], std::int16_t{0});
        QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(Reply::state().CardValue[3], std::int16_t{2});
        QCOMPARE(Reply::state().chosenNumber(), std::int16_t{2});
        QCOMPARE(Reply::state().Page, std::int16_t{4});
    }

    void cardKeyboard()
    {
        walkTo(flow::FirstCardPage);
        forms::Form *card = window(flow::FirstCardPage);
        QVERIFY(QTest::qWaitForWindowActive(card));
        auto *grid = control<QTextEdit>(card, "Text1");
        QTRY_VERIFY(grid->hasFocus());
        const QString text = grid->toPlainText();
        QTest::keyClicks(grid, QStringLiteral("12 x"));
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->toPlainText(), text);
        // Nor does an input method (an on-screen keyboard) serve it.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
        QVERIFY(!query.value(Qt::ImEnabled).toBool());
        // Tab order: grid, Next, Exit, check box; then round again.
        const char *order[] = {"Next", "Command1", "Check1", "Text1"};
        for (const char *name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Reply::state().CardValue[0], std::int16_t{1});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(loadedPage(), 1);
        // Enter on the ticked box moves on and keeps the tick, whatever
        // keys the desktop's theme lets press a focused button.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Check1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(loadedPage(), 2);
        QCOMPARE(Reply::state().CardValue[0], std::int16_t{1});
        QCOMPARE(goodbyes(), 0);
    }

    void welcomeKeyboard()
    {
        start();
        forms::Form *intro = window(flow::IntroPage);
        QVERIFY(QTest::qWaitForWindowActive(intro));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Next"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Next"));
        QTest::keyClick(intro, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(loadedPage(), 1);
        QCOMPARE(goodbyes(), 0);
    }

    void altFOnTheLastCardOpensTheFileMenu()
    {
        walkTo(flow::LastCardPage);
        forms::Form *card = window(flow::LastCardPage);
        QCOMPARE(control<QPushButton>(card, "Next")->text(), QStringLiteral("&Finish"));
        QVERIFY(QTest::qWaitForWindowActive(card));
        QTest::keyClick(card, Qt::Key_F, Qt::AltModifier);
        auto *file = card->findChild<QMenu *>(QStringLiteral("File"));
        QTRY_VERIFY(file->isVisible());
        file->close();
        QTest::qWait(200); // long enough for an animated click to land
        QCOMPARE(loadedPage(), int(flow::LastCardPage));
        QTest::keyClick(control(card, "Text1"), Qt::Key_Return);
        QCOMPARE(loadedPage(), int(flow::QuitPage));
    }

    // Quick sequences of clicks and keys, deliberate and accidental side by
    // side. Steps: "box@T" and "next@T" click Check1 or Next (where the
    // window shown at the start has them) T ms after the first step, "next2"
    // and "box2" double-click, "next3" triple-clicks; "enter" presses
    // Return, "held-enter" holds it, "alt-n" presses Alt+N, whose click
    // lands later, "wait" waits until such a click has landed.
    void oneActionIsOneStep_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("cards");
        const QString twoTicks = QStringLiteral("1 4 0 0 0 0");
        const QString none = QStringLiteral("0 0 0 0 0 0");
        for (int ms : {0, 100, 300})
            QTest::newRow(qPrintable(QStringLiteral("box, Enter, box at %1 ms").arg(ms)))
                << 1 << QStringLiteral("box@0 enter box@%1").arg(ms) << 2 << twoTicks;
        QTest::newRow("Next, then the next card's box at once")
            << 1 << "next@0 box@50" << 2 << "0 4 0 0 0 0";
        QTest::newRow("Next, then Next again after the double-click time")
            << 1 << "next@0 next@500" << 3 << none;
        QTest::newRow("double click on Next") << 1 << "next2@0" << 2 << none;
        QTest::newRow("double click on the welcome window's Next") << 0 << "next2@0" << 1 << none;
        QTest::newRow("double click on Finish") << 6 << "next2@0" << 7 << none;
        QTest::newRow("double click on the box") << 1 << "box2@0" << 1 << none;
        QTest::newRow("double click on the box, then Enter")
            << 3 << "box2@0 box@400 enter" << 4 << "0 0 8 0 0 0";
        QTest::newRow("triple click on Next") << 1 << "next3@0" << 2 << none;
        QTest::newRow("held Enter") << 1 << "held-enter" << 2 << none;
        QTest::newRow("Alt+N, then Enter before its click lands")
            << 1 << "alt-n enter wait" << 2 << none;
        QTest::newRow("Alt+N held") << 0 << "alt-n alt-n alt-n wait" << 1 << none;
    }

    void oneActionIsOneStep()
    {
        QFETCH(int, from);
        QFETCH(QString, steps);
        QFETCH(int, page);
        QFETCH(QString, cards);
        walkTo(from);
        forms::Form *first = window(from);
        QVERIFY(QTest::qWaitForWindowActive(first));
        const auto spotOf = [first](const char *name) {
            QWidget *widget = control(first, name);
            return widget ? widget->mapToGlobal(widget->rect().center()) : QPoint();
        };
        const QPoint next = spotOf("Next");
        const QPoint box = spotOf("Check1");
        Input input;
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const QString what = step.section(QLatin1Char('@'), 0, 0);
            const ulong at = step.section(QLatin1Char('@'), 1).toULong();
            const QPoint spot = what.startsWith(QLatin1String("box")) ? box : next;
            const int clicks = what.back().isDigit() ? what.back().digitValue() : 1;
            if (what == QLatin1String("enter")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (what == QLatin1String("held-enter")) {
                Input::hold(Qt::Key_Return, 5);
            } else if (what == QLatin1String("alt-n")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
            } else if (what == QLatin1String("wait")) {
                // Until every animated click has landed: a button stays down
                // until its click comes, however long a loaded machine takes.
                const auto anyDown = [] {
                    const QList<QWidget *> widgets = QApplication::allWidgets();
                    return std::any_of(widgets.begin(), widgets.end(), [](QWidget *widget) {
                        auto *button = qobject_cast<QAbstractButton *>(widget);
                        return button && button->isDown();
                    });
                };
                QTRY_VERIFY(!anyDown());
            } else {
                for (int click = 0; click < clicks; ++click)
                    input.click(spot, at + ulong(click) * 80, click > 0);
            }
        }
        QCOMPARE(loadedPage(), page);
        QVERIFY(window(page)->isVisible());
        QStringList values;
        for (auto value : Reply::state().CardValue)
            values << QString::number(value);
        QCOMPARE(values.join(QLatin1Char(' ')), cards);
        QCOMPARE(goodbyes(), 0);
    }

    // Keys as Russian, Hebrew, Greek, Ukrainian and French keyboards give
    // them: "code:letter" is a key's code and the letter it writes, with
    // Alt where "alt+" stands before it.
    void accessKeysOnEveryLayout_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("ru Alt+N") << QStringLiteral("alt+57:\u0442") << "Pick_1";
        QTest::newRow("il Alt+H, A") << QStringLiteral("alt+43:\u05d9 38:\u05e9") << "frmabout";
        QTest::newRow("gr Alt+E") << QStringLiteral("alt+26:\u03b5") << "goodbye";
        QTest::newRow("ua Alt+F, E") << QStringLiteral("alt+41:\u0430 26:\u0443") << "goodbye";
        QTest::newRow("fr Alt+H, A: the key labelled A") << "alt+43:h 24:a"
                                                         << "frmabout";
        QTest::newRow("fr Alt+H, then the key where US has A") << "alt+43:h 38:q"
                                                               << "Intro";
        QTest::newRow("ru Alt with a key that is no letter") << "alt+20:-"
                                                             << "Intro";
    }

    void accessKeysOnEveryLayout()
    {
        QFETCH(QString, keys);
        QFETCH(QString, outcome);
        start();
        QVERIFY(QTest::qWaitForWindowActive(window(flow::IntroPage)));
        for (QString key : keys.split(QLatin1Char(' '))) {
            const bool alt = key.startsWith(QLatin1String("alt+"));
            key.remove(QLatin1String("alt+"));
            Input::press(key.section(QLatin1Char(':'), 0, 0).toUInt(),
                         key.section(QLatin1Char(':'), 1).front(),
                         alt ? Qt::AltModifier : Qt::NoModifier);
            QTest::qWait(150); // an access key's click lands after 100 ms
        }
        if (outcome == QLatin1String("goodbye")) {
            QTRY_COMPARE(goodbyes(), 1);
        } else if (outcome == QLatin1String("frmabout")) {
            QTRY_VERIFY(about() && about()->isVisible());
        } else {
            QTRY_VERIFY(forms::find(outcome) && forms::find(outcome)->isVisible());
            QCOMPARE(loadedPage(), outcome == QLatin1String("Intro") ? 0 : 1);
            QVERIFY(!about());
        }
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    // About opened and closed over and over keeps nothing of each opening.
    void aboutCostsNothingToReopen()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer keeps freed memory in quarantine");
#endif
        start();
        forms::Form *intro = window(flow::IntroPage);
        const auto openAndClose = [intro](int times) {
            for (int i = 0; i < times; ++i) {
                QTRY_VERIFY(intro->isActiveWindow() && !about());
                QTest::keyClick(intro, Qt::Key_H, Qt::AltModifier);
                QTRY_VERIFY(QApplication::activePopupWidget());
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
                QTRY_VERIFY(about() && QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCoreApplication::processEvents();
            }
        };
        // Caches filled by the first openings (fonts, glyphs, styles) stay.
        openAndClose(50);
        const auto inUse = [] {
            const struct mallinfo2 info = mallinfo2();
            return qint64(info.uordblks + info.hblkhd);
        };
        const qint64 before = inUse();
        openAndClose(1000);
        const qint64 grown = inUse() - before;
        qInfo("heap grew by %lld bytes over 1000 openings", grown);
        QVERIFY2(grown <= 256 * 1024, qPrintable(QStringLiteral("%1 bytes").arg(grown)));
        QVERIFY(intro->isEnabled());
    }

    void windowsHaveTheirTitlesTextsAndMenus_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("next");
        QTest::newRow("Intro") << 0 << "Welcome to the numora program!"
                               << "&Next >";
        for (int k = 1; k <= 6; ++k)
            QTest::newRow(qPrintable(flow::windowName(k)))
                << k << "Numora - Is the number you chose appearing on this card?"
                << (k == 6 ? "&Finish" : "&Next >");
        QTest::newRow("Quit") << 7 << "Numora - The number you chose is..."
                              << "&Exit";
    }

    void windowsHaveTheirTitlesTextsAndMenus()
    {
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, next);
        walkTo(page);
        forms::Form *form = window(page);
        QCOMPARE(form->objectName(), flow::windowName(page));
        QCOMPARE(form->windowTitle(), title);
        QCOMPARE(control<QPushButton>(form, "Next")->text(), next);
        QVERIFY(control<QPushButton>(form, "Next")->isDefault());
        const auto menus = form->findChild<QMenuBar *>()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));
        QCOMPARE(menuItem(form, "Exit")->text(), QStringLiteral("&Exit"));
        QCOMPARE(menuItem(form, "About")->text(), QStringLiteral("&About"));
        QVERIFY(menuItem(form, "Exit")->shortcut().isEmpty());
        QCOMPARE(form->clientArea()->size(), forms::twipsRect({0, 0, 6690, 5940}).size());
        // The background as drawn, in the corner no control covers.
        QCOMPARE(form->clientArea()->grab().toImage().pixelColor(1, 1), QColor(255, 192, 192));
        QVERIFY(!form->windowIcon().isNull());
        if (page >= flow::FirstCardPage && page <= flow::LastCardPage) {
            QCOMPARE(control<QTextEdit>(form, "Text1")->toPlainText(), shownGrid(page));
            QCOMPARE(control<QCheckBox>(form, "Check1")->text(),
                     QStringLiteral("If the number you chose is appering on this card, Please mark "
                                    "the check box."));
        }
    }

    void controlsSitWhereTheLayoutSays()
    {
        walkTo(flow::IntroPage);
        forms::Form *intro = window(flow::IntroPage);
        QCOMPARE(control(intro, "Command1")->geometry(), forms::twipsRect({2280, 5400, 975, 375}));
        QCOMPARE(control(intro, "Label4")->geometry(), forms::twipsRect({-120, 120, 5295, 1695}));
        QCOMPARE(
            control<QLabel>(intro, "Label2")->text(),
            QStringLiteral("Please choose a number from 1 to 60 and click the \"NEXT\" button."));
        // The green title lies over the blue one.
        const auto stacking = intro->clientArea()->children();
        QVERIFY(stacking.indexOf(control(intro, "Label3"))
                > stacking.indexOf(control(intro, "Label4")));
        QVERIFY(stacking.indexOf(control(intro, "Next"))
                > stacking.indexOf(control(intro, "Label3")));

        clickNext(flow::IntroPage);
        forms::Form *card = window(1);
        QCOMPARE(control(card, "Text1")->geometry(), forms::twipsRect({1320, 1560, 4095, 2895}));
        QCOMPARE(control(card, "Check1")->geometry(), forms::twipsRect({840, 240, 4935, 615}));
        QCOMPARE(QFontInfo(control(card, "Check1")->font()).pointSizeF(), 12.0);
        QCOMPARE(control<QTextEdit>(card, "Text1")->palette().color(QPalette::Base),
                 QColor(192, 192, 255));

        for (int page = 1; page < 7; ++page)
            clickNext(page);
        forms::Form *quit = window(7);
        QCOMPARE(control(quit, "Label1")->geometry(), forms::twipsRect({2280, 2760, 2055, 1815}));
        QCOMPARE(control(quit, "Label4")->geometry(), forms::twipsRect({2280, 2760, 2295, 1815}));
        const auto quitStack = quit->clientArea()->children();
        QVERIFY(quitStack.indexOf(control(quit, "Label1"))
                > quitStack.indexOf(control(quit, "Label4")));
        QVERIFY(quitStack.indexOf(control(quit, "Label3"))
                > quitStack.indexOf(control(quit, "Label2")));

        menuItem(quit, "About")->trigger();
        forms::Form *box = about();
        QCOMPARE(box->windowTitle(), QStringLiteral("Numora - About"));
        QCOMPARE(box->clientArea()->size(), forms::twipsRect({0, 0, 4935, 4470}).size());
        QCOMPARE(control(box, "Command1")->geometry(), forms::twipsRect({3480, 3840, 855, 495}));
        QCOMPARE(control<QLabel>(box, "Label1")->text(), QString::fromUtf8(CONFIGURED_CREDIT));
        QCOMPARE(control<QLabel>(box, "Label2")->text(),
                 QStringLiteral("For more information: ") + QString::fromUtf8(CONFIGURED_WEB));
        QCOMPARE(control<QLabel>(box, "Label3")->text(),
                 QStringLiteral("E-Mail: ") + QString::fromUtf8(CONFIGURED_EMAIL));
        QVERIFY(box->windowFlags().testFlag(Qt::Tool));
        QVERIFY(box->findChild<QMenuBar *>() == nullptr);
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
