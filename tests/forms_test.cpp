// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/placement.h"
#include "platform/start.h"
#include "platform/style.h"

#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>

namespace {

struct Journal {
    QStringList events;
    int ends = 0;
    QStringList boxes;
};
Journal journal;

// A small window with one of each control the program's windows use.
class Probe : public forms::Form
{
public:
    Probe()
        : forms::Form(QStringLiteral("Probe"), forms::Frame::FixedDialog)
    {
        addMenuItem(addMenu(QStringLiteral("File"), QStringLiteral("&File")),
                    QStringLiteral("Exit"), QStringLiteral("&Exit"));
        setClientSize(2880, 1440);
        text = forms::addTextBox(clientArea(), QStringLiteral("Text1"),
                                 QStringLiteral("1 2\r\n3 4\r\n"), {0, 0, 1440, 720}, font(),
                                 Qt::black, Qt::white);
        check = forms::addCheckBox(clientArea(), QStringLiteral("Check1"),
                                   QStringLiteral("Tick me if you like"), {1440, 0, 1440, 720},
                                   font(), Qt::black, {});
        other = forms::addButton(clientArea(), QStringLiteral("Command1"), QStringLiteral("&Go"),
                                 {0, 960, 1000, 375});
        next = forms::addButton(clientArea(), QStringLiteral("Next"), QStringLiteral("&Next"),
                                {1440, 960, 1000, 375});
        next->setDefault(true);
        forms::setTabOrder({text, next, other, check});
    }
    void Form_Load() override
    {
        journal.events << QStringLiteral("load visible=%1").arg(isVisible());
    }
    void Form_Unload() override
    {
        journal.events << QStringLiteral("unload visible=%1").arg(isVisible());
    }

    forms::TextBox *text;
    forms::CheckBox *check;
    QPushButton *other;
    QPushButton *next;
};

Probe *probe()
{
    return static_cast<Probe *>(forms::find(QStringLiteral("Probe")));
}

} // namespace

class FormsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        forms::registerForm(QStringLiteral("Probe"), [] { return std::make_unique<Probe>(); });
        forms::registerForm(QStringLiteral("Other"), [] {
            return std::make_unique<forms::Form>(QStringLiteral("Other"), forms::Frame::FixedTool);
        });
        forms::setUp(false);
        forms::host() = forms::Host{[](const QString &prompt, const QString &title) {
                                        journal.boxes << QStringLiteral("%1|%2").arg(title, prompt);
                                    },
                                    [](int) { ++journal.ends; }};
    }

    void init()
    {
        forms::restart();
        journal = {};
    }

    void cleanup() { forms::restart(); }

    void loadRunsBeforeTheWindowIsVisible()
    {
        forms::show(QStringLiteral("Probe"));
        QCOMPARE(journal.events, QStringList{QStringLiteral("load visible=0")});
        QVERIFY(probe()->isVisible());
        // A second reference reaches the same window and loads nothing.
        forms::show(QStringLiteral("Probe"));
        QCOMPARE(journal.events.size(), 1);
    }

    void unloadDestroysAndALaterReferenceLoadsAfresh()
    {
        forms::show(QStringLiteral("Probe"));
        forms::show(QStringLiteral("Other"));
        QPointer<forms::Form> first = probe();
        forms::unload(QStringLiteral("Probe"));
        QCOMPARE(journal.events.last(), QStringLiteral("unload visible=1"));
        // The instance is gone from the registry at once, even though Qt
        // deletes the object later.
        QCOMPARE(forms::find(QStringLiteral("Probe")), nullptr);
        QTRY_VERIFY(first.isNull());
        forms::show(QStringLiteral("Probe"));
        QVERIFY(probe() != nullptr);
        QCOMPARE(journal.events.count(QStringLiteral("load visible=0")), 2);
        QCOMPARE(journal.ends, 0);
    }

    void unloadingTheLastWindowEndsTheProgram()
    {
        forms::show(QStringLiteral("Probe"));
        forms::show(QStringLiteral("Other"));
        forms::unload(QStringLiteral("Other"));
        QCOMPARE(journal.ends, 0);
        forms::unload(QStringLiteral("Probe"));
        QCOMPARE(journal.ends, 1);
        QVERIFY(forms::hasEnded());
    }

    void endingTheProgramClosesEveryWindowSilently()
    {
        forms::show(QStringLiteral("Probe"));
        forms::show(QStringLiteral("Other"));
        QPointer<forms::Form> window = probe();
        forms::endProgram();
        forms::endProgram();
        QCOMPARE(journal.ends, 1);
        QCOMPARE(forms::loadedCount(), 0);
        QVERIFY(!journal.events.contains(QStringLiteral("unload visible=1")));
        QTRY_VERIFY(window.isNull());
        // Nothing loads after the end.
        forms::show(QStringLiteral("Probe"));
        QCOMPARE(forms::loadedCount(), 0);
    }

    // Windows and message boxes: centred, moved by the offset, wholly on
    // the screen where they fit, their top-left corner on it where not.
    void centringKeepsWindowsOnScreen_data()
    {
        QTest::addColumn<QSizeF>("outer");
        QTest::addColumn<double>("offset");
        QTest::addColumn<QPointF>("corner");
        const QSizeF screen(1000, 800);
        QTest::newRow("fits") << QSizeF(400, 300) << 0.0 << QPointF(300, 250);
        QTest::newRow("fits, beside the centre") << QSizeF(400, 300) << 100.0 << QPointF(400, 350);
        QTest::newRow("offset past the right and bottom edges")
            << QSizeF(400, 300) << 400.0 << QPointF(600, 500);
        QTest::newRow("as large as the screen") << screen << 100.0 << QPointF(0, 0);
        QTest::newRow("wider and taller than the screen")
            << QSizeF(1200, 900) << 0.0 << QPointF(0, 0);
    }

    void centringKeepsWindowsOnScreen()
    {
        QFETCH(QSizeF, outer);
        QFETCH(double, offset);
        QFETCH(QPointF, corner);
        QCOMPARE(forms::centredCorner(outer, QSizeF(1000, 800), offset), corner);
    }

    void twipsFollowTheLogicalDpi()
    {
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        const double dpi = window->logicalDpiY();
        QCOMPARE(forms::twips(1440), qRound(dpi));
        QCOMPARE(window->clientArea()->size(), QSize(qRound(2 * dpi), qRound(dpi)));
        QCOMPARE(window->text->geometry(), QRect(0, 0, qRound(dpi), qRound(dpi / 2)));
        QCOMPARE(forms::toTwips(qRound(dpi)), 1440.0);
        // High-DPI scaling multiplies device pixels, not the layout.
        const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                 ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                 : 1.0;
        QCOMPARE(window->devicePixelRatioF(), scale);
        const QPixmap shot = window->clientArea()->grab();
        QCOMPARE(shot.width(), qRound(2 * dpi * scale));
    }

    void enterReachesTheRightButton_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("read-only text box") << "Text1"
                                            << "Next";
        QTest::newRow("check box") << "Check1"
                                   << "Next";
        QTest::newRow("default button") << "Next"
                                        << "Next";
        QTest::newRow("another button") << "Command1"
                                        << "Command1";
    }

    void enterReachesTheRightButton()
    {
        QFETCH(QString, focus);
        QFETCH(QString, pressed);
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QSignalSpy nextSpy(window->next, &QPushButton::clicked);
        QSignalSpy otherSpy(window->other, &QPushButton::clicked);
        auto *target = window->findChild<QWidget *>(focus);
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(target->hasFocus());
        const QString before = window->text->toPlainText();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(nextSpy.size(), pressed == QLatin1String("Next") ? 2 : 0);
        QCOMPARE(otherSpy.size(), pressed == QLatin1String("Command1") ? 2 : 0);
        QCOMPARE(window->text->toPlainText(), before);
    }

    void escapeAndTypingChangeNothing()
    {
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->text->setFocus();
        QTest::keyClicks(window->text, QStringLiteral("99 "));
        QTest::keyClick(window->text, Qt::Key_Backspace);
        QTest::keyClick(window->text, Qt::Key_Delete);
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(window->text->toPlainText(), QStringLiteral("1 2\n3 4\n"));
        QVERIFY(window->isVisible());
        QCOMPARE(forms::loadedCount(), 1);
        QVERIFY(journal.events.filter(QStringLiteral("unload")).isEmpty());
    }

    void altLetterPressesTheMarkedButton()
    {
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QSignalSpy otherSpy(window->other, &QPushButton::clicked);
        window->text->setFocus();
        QTest::keyClick(window->text, Qt::Key_G, Qt::AltModifier);
        // A shortcut animates the click, so it arrives a moment later.
        QTRY_COMPARE(otherSpy.size(), 1);
    }

    void checkBoxTogglesOncePerChange()
    {
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QSignalSpy toggles(window->check, &QCheckBox::toggled);
        // The caption at the left end and the box at the right end.
        QTest::mouseClick(window->check, Qt::LeftButton, {},
                          QPoint(3, window->check->height() / 2));
        QTest::mouseClick(window->check, Qt::LeftButton, {},
                          QPoint(window->check->width() - 8, window->check->height() / 2));
        window->check->setFocus();
        QTest::keyClick(window->check, Qt::Key_Space);
        QCOMPARE(toggles.size(), 3);
        QVERIFY(window->check->isChecked());
        QVERIFY(window->check->captionBounds().width() > 0);
    }

    // The check box's own proxy builds on the style every other control is
    // drawn by, whether the program's own or one the user chose, not on
    // the desktop's.
    void checkBoxIsDrawnByTheApplicationsStyle_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the program's own") << QString();
        QTest::newRow("Windows, chosen by the user") << QStringLiteral("Windows");
    }

    void checkBoxIsDrawnByTheApplicationsStyle()
    {
        QFETCH(QString, chosen);
        QApplication::setStyle(chosen.isEmpty() ? forms::makeStyle()
                                                : QStyleFactory::create(chosen));
        forms::CheckBox box(QStringLiteral("caption"), nullptr);
        auto *proxy = qobject_cast<QProxyStyle *>(box.style());
        QVERIFY(proxy && proxy->baseStyle());
        const QStyle *application = QApplication::style();
        QCOMPARE(proxy->baseStyle()->metaObject()->className(),
                 application->metaObject()->className());
        QCOMPARE(proxy->baseStyle()->objectName(), application->objectName());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    void disabledWindowRefusesToClose()
    {
        forms::show(QStringLiteral("Probe"));
        forms::show(QStringLiteral("Other"));
        Probe *window = probe();
        window->setEnabled(false);
        QVERIFY(!window->close());
        QCOMPARE(probe(), window);
        QVERIFY(window->isVisible());
        window->setEnabled(true);
        QVERIFY(window->close());
        QCOMPARE(probe(), nullptr);
        QCOMPARE(journal.events.last(), QStringLiteral("unload visible=1"));
    }

    // An error that escapes a handler reaches the user and ends the program
    // with a failure status, rather than leaving Qt in undefined behaviour.
    void anEscapedErrorIsReportedAndEndsTheProgram()
    {
        forms::show(QStringLiteral("Probe"));
        // From a handler that Qt calls out of its event loop. (Widgets code
        // does not clean up as an exception passes: what a thrown click's
        // event held is lost, a few hundred bytes in a program that ends.)
        QMetaObject::invokeMethod(
            probe(), [] { throw std::out_of_range("card number outside 1..6"); },
            Qt::QueuedConnection);
        QTRY_VERIFY(forms::hasEnded());
        QCOMPARE(forms::exitStatus(), forms::FailureStatus);
        QCOMPARE(journal.ends, 1);
        QVERIFY2(journal.boxes.last().contains(QLatin1String("card number outside 1..6")),
                 qPrintable(journal.boxes.last()));
        QCOMPARE(forms::loadedCount(), 0);
    }

    // Where a title bar offers to maximize a fixed window anyway.
    void fixedWindowsDoNotStayMaximized()
    {
        forms::show(QStringLiteral("Probe"));
        Probe *window = probe();
        const QSize size = window->size();
        window->setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(!(window->windowState() & Qt::WindowMaximized));
        window->setWindowState(Qt::WindowFullScreen);
        QTRY_VERIFY(!(window->windowState() & Qt::WindowFullScreen));
        QCOMPARE(window->size(), size);
        QVERIFY(window->isVisible());
    }
};

int main(int argc, char **argv)
{
    // The program's own application object, which catches escaped errors.
    forms::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    FormsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "forms_test.moc"
