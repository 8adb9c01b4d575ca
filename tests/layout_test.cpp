// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every text of every window fits its control at the scale this test runs
// at (CTest runs it at several), and controls meant to lie side by side do
// not overlap. In every language (CTest runs it in each), a window's menu
// titles and buttons keep their access keys, and no two share one.
#include "harness.h"

#include "platform/fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTranslator>

using namespace harness;

namespace {

const QStringList AllWindows = {
    QStringLiteral("Intro"),  QStringLiteral("Pick_1"), QStringLiteral("Pick_2"),
    QStringLiteral("Pick_3"), QStringLiteral("Pick_4"), QStringLiteral("Pick_5"),
    QStringLiteral("Pick_6"), QStringLiteral("Quit"),   QStringLiteral("frmabout"),
};

forms::Form *loadShown(const QString &name)
{
    forms::show(name);
    forms::Form *form = forms::find(name);
    return form;
}

void windowRows(const QStringList &windows)
{
    QTest::addColumn<QString>("window");
    for (const QString &name : windows)
        QTest::newRow(qPrintable(name)) << name;
}

QString plainCaption(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// A generated language whose texts are a third longer than the English: each
// word grows by a third of its letters.
class LongerTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;
    [[nodiscard]] bool isEmpty() const override { return false; }
    [[nodiscard]] QString translate(const char *, const char *source, const char *,
                                    int) const override
    {
        static const QRegularExpression word(QStringLiteral("\\p{L}+"));
        QString text = QString::fromUtf8(source);
        for (qsizetype at = 0;;) {
            const QRegularExpressionMatch match = word.match(text, at);
            if (!match.hasMatch())
                return text;
            const QString extra = match.captured().left((match.capturedLength() + 2) / 3);
            text.insert(match.capturedEnd(), extra.toLower());
            at = match.capturedEnd() + extra.size();
        }
    }
};

// Whether a caption marks an access key: a lone & followed by a letter
// (&& is an ampersand shown as such).
bool marksAccessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].isLetter();
        ++i;
    }
    return false;
}

// A window's menu titles and buttons: their captions by kind and name.
QMap<QString, QString> titlesAndButtons(forms::Form *form)
{
    QMap<QString, QString> captions;
    for (QMenuBar *bar : form->findChildren<QMenuBar *>()) {
        for (QAction *action : bar->actions())
            captions.insert(QLatin1String("menu ") + action->objectName(), action->text());
    }
    for (QPushButton *button : form->findChildren<QPushButton *>())
        captions.insert(QLatin1String("button ") + button->objectName(), button->text());
    return captions;
}

// What read finds in the window loaded afresh in the English of the sources,
// the program's catalogues set aside meanwhile and put back after.
template <typename Read> auto readInEnglish(const QString &window, Read read)
{
    forms::restart();
    const QList<QTranslator *> translators
        = QCoreApplication::instance()->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : translators)
        QCoreApplication::removeTranslator(translator);
    auto found = read(loadShown(window));
    forms::restart();
    for (QTranslator *translator : translators)
        QCoreApplication::installTranslator(translator);
    return found;
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("NUMORA_TEST_LONGER_TEXTS"))
            QCoreApplication::installTranslator(new LongerTexts(qApp));
    }

    void init()
    {
        start();
        qInfo("scale %s, %s",
              qPrintable(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))),
              QApplication::isRightToLeft() ? "right to left" : "left to right");
    }
    void cleanup() { forms::restart(); }

    // The named face where it is installed (a stand-in for Verdana in one
    // of CTest's runs), its substitute otherwise; the text measurements below
    // run with whichever is used.
    void namedFacesFirstThenSubstitutes()
    {
        for (const auto &entry : forms::FaceSubstitutes) {
            const QString face = QLatin1String(entry.face);
            const QString expected
                = QFontDatabase::hasFamily(face) ? face : QLatin1String(entry.substitute);
            QCOMPARE(QFontInfo(forms::font(face, 12)).family(), expected);
        }
        forms::Form *quit = loadShown(QStringLiteral("Quit"));
        QCOMPARE(QFontInfo(control(quit, "Label1")->font()).family(), QStringLiteral("Comic Neue"));
        QCOMPARE(control(quit, "Label1")->font().pointSizeF(), 72.0);
    }

    void everyLabelTextFits_data()
    {
        windowRows({QStringLiteral("Intro"), QStringLiteral("Quit"), QStringLiteral("frmabout")});
    }

    void everyLabelTextFits()
    {
        QFETCH(QString, window);
        forms::Form *form = loadShown(window);
        const auto labels = form->findChildren<QLabel *>();
        QVERIFY(!labels.isEmpty());
        const QWidget *client = form->clientArea();
        for (QLabel *label : labels) {
            // Some labels reach past the window's edge: the text must lie
            // where the label shows, as it is laid out in its box. A
            // two-colour title's copies may run past the edge by their
            // offset, 120 twips.
            const bool twoColour
                = std::count_if(labels.begin(), labels.end(),
                                [label](auto *other) { return other->text() == label->text(); })
                  > 1;
            const int margin = twoColour ? forms::twips(120) : 0;
            const QRect room = label->contentsRect();
            const QRect shown
                = room.intersected(QRect(label->mapFrom(client, QPoint()), client->size())
                                       .adjusted(-margin, -margin, margin, margin));
            const auto direction
                = label->text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
            const QRect needed = label->fontMetrics().boundingRect(
                room,
                int(QStyle::visualAlignment(direction, label->alignment())) | Qt::TextWordWrap,
                label->text());
            const QString what = window + QLatin1Char('.') + label->objectName()
                                 + QLatin1String(": ") + label->text();
            QVERIFY2(shown.contains(needed), qPrintable(what));
        }
    }

    void buttonCaptionsFit_data() { windowRows(AllWindows); }

    void buttonCaptionsFit()
    {
        QFETCH(QString, window);
        forms::Form *form = loadShown(window);
        for (QPushButton *button : form->findChildren<QPushButton *>()) {
            const int margin
                = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            const QFontMetrics metrics = button->fontMetrics();
            QVERIFY2(metrics.horizontalAdvance(plainCaption(button->text())) + margin
                         <= button->width(),
                     qPrintable(window + QLatin1Char('.') + button->objectName()));
            QVERIFY(metrics.height() + 4 <= button->height());
        }
    }

    void accessKeysDistinctAndKept_data() { windowRows(AllWindows); }

    // Alt+letter reaches one menu or button of a window, and a translation
    // keeps an access key wherever the English has one. A button whose key
    // is the File menu's has none of its own (the last card's, in some
    // languages), and only the keys a window answers to must differ.
    void accessKeysDistinctAndKept()
    {
        QFETCH(QString, window);
        const Qt::LayoutDirection direction = QGuiApplication::layoutDirection();
        const QMap<QString, QString> english = readInEnglish(window, &titlesAndButtons);
        QCOMPARE(QGuiApplication::layoutDirection(), direction);
        forms::Form *form = loadShown(window);
        const QMap<QString, QString> shown = titlesAndButtons(form);
        QCOMPARE(shown.keys(), english.keys());
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (marksAccessKey(it.value()))
                QVERIFY2(marksAccessKey(shown.value(it.key())),
                         qPrintable(window + QLatin1String(", ") + it.key() + QLatin1String(": ")
                                    + shown.value(it.key()) + QLatin1String(" (English ")
                                    + it.value() + QLatin1Char(')')));
        }

        // The keys the window answers to, each with its caption.
        QList<std::pair<QKeySequence, QString>> keys;
        for (QMenuBar *bar : form->findChildren<QMenuBar *>()) {
            for (QAction *action : bar->actions())
                keys.append({QKeySequence::mnemonic(action->text()), action->text()});
        }
        for (QPushButton *button : form->findChildren<QPushButton *>()) {
            if (!button->shortcut().isEmpty())
                keys.append({QKeySequence::mnemonic(button->text()), button->text()});
        }
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QVERIFY2(!keys[i].first.isEmpty(),
                     qPrintable(window + QLatin1String(": ") + keys[i].second));
            for (qsizetype j = i + 1; j < keys.size(); ++j)
                QVERIFY2(keys[i].first != keys[j].first,
                         qPrintable(window + QLatin1String(": ") + keys[i].first.toString()
                                    + QLatin1String(" is both ") + keys[i].second
                                    + QLatin1String(" and ") + keys[j].second));
        }
    }

    void cardCaptionAndGridFit_data() { windowRows(AllWindows.mid(1, 6)); }

    void cardCaptionAndGridFit()
    {
        QFETCH(QString, window);
        forms::Form *form = loadShown(window);
        auto *check = control<forms::CheckBox>(form, "Check1");
        const QRect caption = check->captionBounds();
        QVERIFY(check->rect().contains(caption));
        // Two lines, not one clipped line.
        QVERIFY(caption.height() >= 2 * check->fontMetrics().lineSpacing() - 2);

        auto *grid = control<QTextEdit>(form, "Text1");
        const QRect view = grid->viewport()->rect();
        QTextDocument *document = grid->document();
        QCOMPARE(document->blockCount(), 6);
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block.text().isEmpty())
                continue;
            QCOMPARE(block.layout()->lineCount(), 1);
            const QRectF box = document->documentLayout()->blockBoundingRect(block);
            const qreal textWidth = block.layout()->lineAt(0).naturalTextWidth();
            QVERIFY2(textWidth <= view.width() - 2 * document->documentMargin(),
                     qPrintable(block.text()));
            QVERIFY2(box.bottom() <= view.height(), qPrintable(block.text()));
        }
        // The rows stay in sight wherever the caret goes.
        grid->moveCursor(QTextCursor::End);
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
    }

    // Right to left (Hebrew), each window is the English one mirrored: every
    // control's place, the card's box left of its caption, the menus from
    // the right; the rows of numbers still read left to right.
    void rightToLeftMirrorsTheLayout_data()
    {
        windowRows({QStringLiteral("Intro"), QStringLiteral("Pick_1"), QStringLiteral("Quit"),
                    QStringLiteral("frmabout")});
    }

    void rightToLeftMirrorsTheLayout()
    {
        QFETCH(QString, window);
        const QMap<QString, QRect> english = readInEnglish(window, [](forms::Form *form) {
            QMap<QString, QRect> places;
            for (QWidget *control :
                 form->clientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                places.insert(control->objectName(), control->geometry());
            return places;
        });
        const bool mirrored = QGuiApplication::isRightToLeft();
        forms::Form *form = loadShown(window);
        const QRect client = form->clientArea()->rect();
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            const QRect expected
                = mirrored ? QStyle::visualRect(Qt::RightToLeft, client, *it) : *it;
            QCOMPARE(control(form, qPrintable(it.key()))->geometry(), expected);
        }
        if (auto *check = control<forms::CheckBox>(form, "Check1")) {
            const QRect caption = check->captionBounds();
            QVERIFY(mirrored ? caption.right() >= check->width() - 6 : caption.left() <= 6);
            auto *grid = control<QTextEdit>(form, "Text1");
            QCOMPARE(grid->layoutDirection(), Qt::LeftToRight);
            const QTextLine row = grid->document()->begin().layout()->lineAt(0);
            QVERIFY(row.cursorToX(0) < row.cursorToX(row.textLength()));
        }
        if (auto *bar = form->findChild<QMenuBar *>()) {
            const QRect file = bar->actionGeometry(bar->actions().constFirst());
            QCOMPARE(file.center().x() > bar->width() / 2, mirrored);
        }
    }

    void controlsDoNotOverlapWhereTheyShouldNot_data()
    {
        windowRows(
            {QStringLiteral("Pick_1"), QStringLiteral("Pick_6"), QStringLiteral("frmabout")});
    }

    void controlsDoNotOverlapWhereTheyShouldNot()
    {
        QFETCH(QString, window);
        forms::Form *form = loadShown(window);
        QList<QWidget *> controls;
        for (QObject *child : form->clientArea()->children()) {
            if (auto *widget = qobject_cast<QWidget *>(child))
                controls << widget;
        }
        QVERIFY(controls.size() >= 4);
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY(form->clientArea()->rect().contains(controls[i]->geometry()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + QLatin1Char('/')
                                    + controls[j]->objectName()));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
