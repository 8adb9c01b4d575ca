// SPDX-License-Identifier: GPL-3.0-or-later
//
// What a screen reader gets from each window: names for every control,
// each text once, the grid as read-only text, and the states that matter.
#include "harness.h"

#include <QAccessible>
#include <QCheckBox>

using namespace harness;

namespace {

// Every interface below root, depth first, in the order a reader walks them.
QList<QAccessibleInterface *> tree(QAccessibleInterface *root)
{
    QList<QAccessibleInterface *> all;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child)
            continue;
        all << child;
        all << tree(child);
    }
    return all;
}

QAccessibleInterface *of(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QStringList clientNames(forms::Form *form)
{
    QStringList names;
    QAccessibleInterface *client = of(form->clientArea());
    for (int i = 0; i < client->childCount(); ++i)
        names << client->child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { forms::restart(); }

    void everyControlIsNamedAndTitlesNameWindows()
    {
        start();
        for (flow::PageId page = flow::IntroPage; page <= flow::QuitPage; ++page) {
            forms::Form *form = window(page);
            QAccessibleInterface *root = of(form);
            QCOMPARE(root->text(QAccessible::Name), form->windowTitle());
            const auto all = tree(root);
            QVERIFY(all.size() >= 6);
            for (QAccessibleInterface *node : all) {
                // Readers skip what is not shown, such as the grid's unused scroll bars.
                if (node->role() == QAccessible::Client || node->role() == QAccessible::MenuBar
                    || node->state().invisible)
                    continue;
                QVERIFY2(!node->text(QAccessible::Name).isEmpty(),
                         qPrintable(form->objectName() + QLatin1Char(':')
                                    + QString::number(node->role())));
                QVERIFY2(!node->text(QAccessible::Name).contains(QLatin1Char('&')),
                         qPrintable(node->text(QAccessible::Name)));
            }
            if (page == flow::IntroPage) {
                flow::openAbout(page);
                for (QAccessibleInterface *node : tree(of(about())))
                    QVERIFY(node->role() == QAccessible::Client
                            || !node->text(QAccessible::Name).isEmpty());
                QCOMPARE(of(about())->text(QAccessible::Name), QStringLiteral("Numora - About"));
                // Every text of it long enough to be read as it opens.
                QCOMPARE(of(control(about(), "Label3"))->text(QAccessible::Name).split(' ').size(),
                         3);
                flow::closeAbout();
            }
            if (page < flow::QuitPage)
                QTest::mouseClick(control(form, "Next"), Qt::LeftButton);
        }
    }

    void eachTextIsReadOnceInReadingOrder()
    {
        start();
        QCOMPARE(
            clientNames(window(flow::IntroPage)),
            (QStringList{QStringLiteral("Welcome ! to Numora!"),
                         QStringLiteral(
                             "Please choose a number from 1 to 60 and click the \"NEXT\" button."),
                         QStringLiteral("Exit"), QStringLiteral("Next >")}));
        Reply::state().toggleCard(6);
        Reply::state().toggleCard(3);
        forms::show(QStringLiteral("Quit"));
        forms::Form *quit = window(flow::QuitPage);
        QCOMPARE(clientNames(quit), (QStringList{QStringLiteral("The number you chose is"),
                                                 QStringLiteral("The number you chose is 40"),
                                                 QStringLiteral("Exit")}));
        // The decorative copies are still drawn.
        QVERIFY(control(quit, "Label4")->isVisible());
        QCOMPARE(control<QLabel>(quit, "Label4")->text(), QStringLiteral("40"));
        // The answer is read once, from the digits.
        QVERIFY(of(quit)->text(QAccessible::Description).isEmpty());
        QVERIFY(of(control(quit, "Next"))->text(QAccessible::Description).isEmpty());
    }

    void gridIsReadOnlyTextAndTheBoxSaysItsState()
    {
        start();
        QTest::mouseClick(control(window(0), "Next"), Qt::LeftButton);
        QTest::mouseClick(control(window(1), "Next"), Qt::LeftButton);
        forms::Form *card = window(2);
        QAccessibleInterface *grid = of(control(card, "Text1"));
        // The grid, focused on arrival, tells which card this is and what to do.
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Numbers on card 2 of 6"));
        QVERIFY(grid->text(QAccessible::Description).contains(QLatin1String("tick the check box")));
        // Once: not on the window as well.
        QVERIFY(of(card)->text(QAccessible::Description).isEmpty());
        QCOMPARE(grid->role(), QAccessible::EditableText);
        QVERIFY(grid->state().readOnly);
        QVERIFY(grid->textInterface());
        QCOMPARE(grid->textInterface()->text(0, grid->textInterface()->characterCount()),
                 shownGrid(2));

        auto *check = control<QCheckBox>(card, "Check1");
        QAccessibleInterface *box = of(check);
        QCOMPARE(box->role(), QAccessible::CheckBox);
        QCOMPARE(box->text(QAccessible::Name), check->text());
        // The whole control, which all answers a click.
        QCOMPARE(box->rect().size(), check->size());
        QVERIFY(!box->state().checked);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(box->state().checked);
        // Toggling through the accessibility interface is a change like any other.
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!check->isChecked());
        QCOMPARE(Reply::state().CardValue[1], std::int16_t{0});
    }

    void disabledOpenerSaysSoAndIgnoresActions()
    {
        start();
        forms::Form *intro = window(flow::IntroPage);
        flow::openAbout(flow::IntroPage);
        QVERIFY(of(intro)->state().disabled);
        QAccessibleInterface *next = of(control(intro, "Next"));
        QVERIFY(next->state().disabled);
        next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(loadedPage(), int(flow::IntroPage));
        QTest::mouseClick(control(about(), "Command1"), Qt::LeftButton);
        QVERIFY(!of(intro)->state().disabled);
        QVERIFY(!next->state().disabled);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
