// SPDX-License-Identifier: GPL-3.0-or-later
//
// A seeded random walk over the real windows: clicks on controls and at
// random points, keys, menu items, close requests to any window (a disabled
// one included), About opened and closed every way. After every event it
// checks what must always hold. A failure prints its seed and event; the
// same seed and count replay it exactly:
//   monkey_test --seed S --events N [--late-clicks] [--verbose]
// Without --seed it takes NUMORA_MONKEY_SEED, or a random one.
#include "harness.h"
#include "trick/carddeck.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace harness;

namespace {

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

void require(bool condition, const QString &what)
{
    if (!condition)
        throw Failure(what.toStdString());
}

// With late clicks on, a button's animated click (the click an Alt shortcut
// starts, due about 100 ms later) no longer lands by the clock: Qt's timer
// for it is held back here, and the walk lands pending clicks itself, at
// events of its choosing, as Qt would after a delay. Replays stay exact.
class HeldClicks : public QObject
{
protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        return event->type() == QEvent::Timer && qobject_cast<QAbstractButton *>(receiver);
    }
};

class Monkey
{
public:
    explicit Monkey(quint32 seed, bool lateClicks)
        : m_random(seed)
        , m_lateClicks(lateClicks)
    {
    }

    // Buttons whose animated click is still to land, oldest first.
    void notePendingClicks()
    {
        m_pending.removeAll(nullptr);
        for (QWidget *widget : QApplication::allWidgets()) {
            auto *button = qobject_cast<QAbstractButton *>(widget);
            if (button && button->isDown() && !m_pending.contains(button))
                m_pending << button;
        }
    }

    // Returns a description of what it did.
    QString step()
    {
        QList<forms::Form *> windows;
        for (int page = flow::IntroPage; page <= flow::QuitPage; ++page) {
            if (forms::Form *form = window(page))
                windows << form;
        }
        if (about())
            windows << about();
        forms::Form *target = windows.value(pick(int(windows.size())));
        if (!target)
            return QStringLiteral("nothing loaded");
        const QString where = target->objectName();

        // Weighted so that a walk often gets deep into the trick before some
        // way out ends it.
        static const int weights[] = {20, 6, 26, 7, 6, 7, 2, 12, 14};
        if (m_lateClicks) {
            // Now and then: a pending click lands, a held key repeats, or
            // Next is double-clicked.
            const int roll = pick(100);
            if (roll < 12 && !m_pending.isEmpty())
                return landClick();
            if (roll < 16)
                return repeatKey(target);
            if (roll < 20)
                return doubleClickNext(target);
        }
        int roll = pick(100);
        int kind = 0;
        while (roll >= weights[kind])
            roll -= weights[kind++];
        switch (kind) {
        case 0: {
            const auto controls = target->clientArea()->findChildren<QWidget *>();
            QWidget *control = controls.value(pick(int(controls.size())));
            if (!control || !control->isVisible())
                return QStringLiteral("no control");
            const QPoint at(pick(control->width()), pick(control->height()));
            QTest::mouseClick(control, Qt::LeftButton, {}, at);
            return QStringLiteral("click %1.%2 at %3,%4")
                .arg(where, control->objectName())
                .arg(at.x())
                .arg(at.y());
        }
        case 1: {
            const QPoint at(pick(target->width()), pick(target->height()));
            QWidget *under = target->childAt(at);
            QWidget *receiver = under ? under : target;
            QTest::mouseClick(receiver, Qt::LeftButton, {}, receiver->mapFrom(target, at));
            return QStringLiteral("click %1 at %2,%3").arg(where).arg(at.x()).arg(at.y());
        }
        case 2: {
            static const Qt::Key keys[]
                = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space,  Qt::Key_Return,   Qt::Key_Enter,
                   Qt::Key_Escape, Qt::Key_Up,      Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,
                   Qt::Key_End,    Qt::Key_Home,    Qt::Key_Delete, Qt::Key_Backspace};
            const Qt::Key key = keys[pick(int(std::size(keys)))];
            QWidget *receiver = keyReceiver(target);
            QTest::keyClick(receiver, key);
            return QStringLiteral("key %1 to %2").arg(int(key), 0, 16).arg(receiver->objectName());
        }
        case 3: {
            static const char letters[] = "nefhaxk";
            const char letter = letters[pick(int(sizeof letters - 1))];
            QWidget *receiver = keyReceiver(target);
            QTest::keyClick(receiver, letter, Qt::AltModifier);
            return QStringLiteral("Alt+%1 to %2")
                .arg(QLatin1Char(letter))
                .arg(receiver->objectName());
        }
        case 4: {
            QWidget *receiver = keyReceiver(target);
            const QString typed = QStringLiteral("12 ab\t9");
            QTest::keyClicks(receiver, typed.mid(pick(5), 3));
            return QStringLiteral("typing into %1").arg(receiver->objectName());
        }
        case 5: {
            const auto items = target->findChildren<QAction *>();
            QAction *item = items.value(pick(int(items.size())));
            if (!item || item->menu())
                return QStringLiteral("no menu item");
            item->trigger();
            return QStringLiteral("menu %1.%2").arg(where, item->objectName());
        }
        case 6:
            closeBox(target);
            return QStringLiteral("close box of %1").arg(where);
        case 7:
            if (auto *next = control<QPushButton>(target, "Next")) {
                QTest::mouseClick(next, Qt::LeftButton);
                return QStringLiteral("click %1.Next").arg(where);
            }
            return QStringLiteral("no Next");
        default:
            if (QWidget *popup = QApplication::activePopupWidget()) {
                popup->close();
                return QStringLiteral("closed a menu");
            }
            QTest::qWait(0);
            return QStringLiteral("idle");
        }
    }

    int pick(int below)
    {
        if (below <= 0)
            return 0;
        return std::uniform_int_distribution<int>(0, below - 1)(m_random);
    }

private:
    // What Qt does when an animated click's time is up: the button comes up
    // and is clicked, whatever has become of its window meanwhile.
    QString landClick()
    {
        QPointer<QAbstractButton> button = m_pending.takeAt(pick(int(m_pending.size())));
        if (!button)
            return QStringLiteral("a pending click on a deleted button");
        const QString what = QStringLiteral("pending click lands on %1.%2")
                                 .arg(button->window()->objectName(), button->objectName());
        button->setDown(false);
        Q_EMIT button->released();
        if (button)
            Q_EMIT button->clicked(button->isChecked());
        return what;
    }

    // A key held down: the window system repeats its press.
    QString repeatKey(forms::Form *target)
    {
        static const int keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_N};
        const int key = keys[pick(int(std::size(keys)))];
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_N ? Qt::AltModifier : Qt::NoModifier;
        QWidget *receiver = keyReceiver(target);
        QPointer<QWidget> guard = receiver;
        QKeyEvent override(QEvent::ShortcutOverride, key, modifiers, QString(), true);
        QApplication::sendEvent(receiver, &override);
        if (guard) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), true);
            QApplication::sendEvent(receiver, &press);
        }
        return QStringLiteral("held key %1 repeats on %2").arg(key, 0, 16).arg(where(receiver));
    }

    // Two clicks on the spot of Next within the double-click time; the
    // first may bring up a new window with its Next in the same place.
    QString doubleClickNext(forms::Form *target)
    {
        auto *next = control<QPushButton>(target, "Next");
        if (!next || !next->isVisible())
            return QStringLiteral("no Next to double-click");
        const QString name = target->objectName();
        const QPoint spot = next->mapToGlobal(next->rect().center());
        for (int click = 0; click < 2; ++click) {
            QWidget *window = QApplication::topLevelAt(spot);
            QWidget *under = window ? window->childAt(window->mapFromGlobal(spot)) : nullptr;
            if (!under)
                break;
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QPointer<QWidget> guard = under;
                const QPointF local = under->mapFromGlobal(spot);
                QMouseEvent event(type, local, local, QPointF(spot), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier);
                m_clock += 40;
                event.setTimestamp(m_clock);
                if (guard)
                    QApplication::sendEvent(under, &event);
            }
            QCoreApplication::processEvents();
        }
        m_clock += 10000;
        return QStringLiteral("double click on %1.Next").arg(name);
    }

    static QString where(QWidget *widget)
    {
        return widget->window()->objectName() + QLatin1Char('.') + widget->objectName();
    }

    static QWidget *keyReceiver(forms::Form *target)
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        if (QWidget *focus = QApplication::focusWidget())
            return focus;
        return target->focusWidget() ? target->focusWidget() : target;
    }

    std::mt19937 m_random;
    bool m_lateClicks;
    QList<QPointer<QAbstractButton>> m_pending;
    // Mouse event times for the double clicks, far from QTest's own.
    ulong m_clock = 1000000000;
};

// What the walk has seen of the current run.
struct Run {
    int goodbyesBefore = 0;
    std::array<bool, 6> marked{};
};

void checkInvariants(Run &run, int previousPage, bool previousTicked)
{
    const auto &state = Reply::state();
    const int goodbyes = harness::goodbyes() - run.goodbyesBefore;
    require(goodbyes <= 1, QStringLiteral("goodbye shown %1 times").arg(goodbyes));
    if (forms::hasEnded()) {
        require(goodbyes == 1, QStringLiteral("the program ended without its goodbye"));
        require(forms::loadedCount() == 0, QStringLiteral("windows left after the end"));
        return;
    }
    require(goodbyes == 0, QStringLiteral("goodbye shown but the program goes on"));

    int loaded = 0;
    int page = -1;
    for (int p = flow::IntroPage; p <= flow::QuitPage; ++p) {
        if (window(p)) {
            ++loaded;
            page = p;
        }
    }
    require(loaded == 1, QStringLiteral("%1 windows of the sequence loaded").arg(loaded));
    require(state.Page == page,
            QStringLiteral("Page %1 but %2 is loaded").arg(state.Page).arg(page));
    require(page >= previousPage && page <= previousPage + 1,
            QStringLiteral("moved from page %1 to %2").arg(previousPage).arg(page));
    if (page == previousPage + 1 && previousPage >= flow::FirstCardPage)
        run.marked[size_t(previousPage - 1)] = previousTicked;

    for (int k = 1; k <= 6; ++k) {
        const auto value = state.CardValue[size_t(k - 1)];
        require(value == 0 || value == CardDeck::weight(k),
                QStringLiteral("card %1 holds %2").arg(k).arg(value));
        if (k < page)
            require((value != 0) == run.marked[size_t(k - 1)],
                    QStringLiteral("card %1 changed after it was left").arg(k));
    }
    forms::Form *current = window(page);
    if (page >= flow::FirstCardPage && page <= flow::LastCardPage) {
        const bool ticked = control<QCheckBox>(current, "Check1")->isChecked();
        require(ticked == (state.CardValue[size_t(page - 1)] != 0),
                QStringLiteral("card %1's box and value disagree").arg(page));
        require(control<QTextEdit>(current, "Text1")->toPlainText() == shownGrid(page),
                QStringLiteral("card %1's grid changed").arg(page));
    }
    if (page == flow::QuitPage) {
        int sum = 0;
        for (int k = 1; k <= 6; ++k)
            sum += run.marked[size_t(k - 1)] ? CardDeck::weight(k) : 0;
        require(control<QLabel>(current, "Label1")->text() == QString::number(sum)
                    && control<QLabel>(current, "Label4")->text() == QString::number(sum),
                QStringLiteral("result shows %1, marked cards sum to %2")
                    .arg(control<QLabel>(current, "Label1")->text())
                    .arg(sum));
    }
    if (forms::Form *box = about()) {
        require(state.AboutOpener == page, QStringLiteral("About opened by %1 while %2 is current")
                                               .arg(state.AboutOpener)
                                               .arg(page));
        require(!current->isEnabled(), QStringLiteral("About is open but its opener is enabled"));
        require(box->isEnabled(), QStringLiteral("About is disabled"));
    } else {
        require(current->isEnabled(), QStringLiteral("a window is disabled with no About open"));
    }
}

int currentPage()
{
    const int page = loadedPage();
    return page < 0 ? flow::IntroPage : page;
}

// Lets what the event set going finish, so that a replay sees the same
// order of things: posted events, deferred deletes, and the animated click
// that a button's Alt shortcut starts (it lands about 100 ms later).
void settle(bool lateClicks)
{
    QCoreApplication::processEvents();
    if (lateClicks) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return;
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        bool pressing = false;
        for (QWidget *widget : QApplication::allWidgets()) {
            auto *button = qobject_cast<QAbstractButton *>(widget);
            pressing = pressing || (button && button->isDown());
        }
        if (!pressing || waited.elapsed() > 1000)
            break;
        QTest::qWait(10);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform cannot raise windows; nothing else is expected.
    // QTest says when a widget ignores a click, which is often the point.
    for (const char *expected : {"does not support raise()", "does not support grabbing",
                                 "not accepted by receiving widget"}) {
        if (message.contains(QLatin1String(expected)))
            return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

bool currentTicked()
{
    const int page = loadedPage();
    if (page < flow::FirstCardPage || page > flow::LastCardPage)
        return false;
    return control<QCheckBox>(window(page), "Check1")->isChecked();
}

} // namespace

int main(int argc, char **argv)
{
    // CI chooses the seed and prints it before the suite runs.
    quint32 seed = qEnvironmentVariableIsSet("NUMORA_MONKEY_SEED")
                       ? quint32(qEnvironmentVariableIntValue("NUMORA_MONKEY_SEED"))
                       : std::random_device{}();
    long events = 20000;
    bool verbose = false;
    bool lateClicks = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--seed" && i + 1 < argc)
            seed = quint32(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--events" && i + 1 < argc)
            events = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--late-clicks")
            lateClicks = true;
    }
    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    const char *mode = lateClicks ? " --late-clicks" : "";
    std::printf("monkey_test --seed %u --events %ld%s\n", seed, events, mode);
    std::fflush(stdout);
    HeldClicks held;
    if (lateClicks)
        app.installEventFilter(&held);

    Monkey monkey(seed, lateClicks);
    QElapsedTimer clock;
    clock.start();
    start();
    Run run;
    long runs = 1;
    long abouts = 0;
    long atResult = 0;
    for (long event = 1; event <= events; ++event) {
        const int page = currentPage();
        const bool ticked = currentTicked();
        QString what;
        try {
            what = monkey.step();
            settle(lateClicks);
            if (lateClicks)
                monkey.notePendingClicks();
            if (verbose)
                std::printf("%ld: %s\n", event, qPrintable(what));
            checkInvariants(run, page, ticked);
        } catch (const Failure &failure) {
            std::printf("FAILED at event %ld (%s): %s\n"
                        "replay: monkey_test --seed %u --events %ld%s --verbose\n"
                        "0 passed, 1 failed\n",
                        event, qPrintable(what), failure.what(), seed, event, mode);
            return 1;
        }
        if (about())
            ++abouts;
        if (window(flow::QuitPage))
            ++atResult;
        if (forms::hasEnded()) {
            start();
            run = Run{};
            ++runs;
        }
    }
    forms::restart();
    std::printf("%ld events over %ld runs of the trick in %.1f s; %ld events with About open, "
                "%ld on the result window\n1 passed, 0 failed\n",
                events, runs, double(clock.elapsed()) / 1000.0, abouts, atResult);
    return 0;
}
