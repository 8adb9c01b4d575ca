// SPDX-License-Identifier: GPL-3.0-or-later
//
// Numora in environments it was not designed for. CTest runs each function
// in its own environment: a screen smaller than the windows, a machine
// without the substitute fonts, About texts full of markup.
#include "harness.h"
#include "platform/fonts.h"

#include <QScreen>

using namespace harness;

namespace {

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << message;
}

void walkEverything()
{
    start();
    flow::openAbout(flow::IntroPage);
    QTest::mouseClick(control(about(), "Command1"), Qt::LeftButton);
    for (int page = flow::IntroPage; page < flow::QuitPage; ++page)
        QTest::mouseClick(control(window(page), "Next"), Qt::LeftButton);
    QVERIFY(window(flow::QuitPage));
}

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { forms::restart(); }

    void smallScreensKeepWindowsOnScreen()
    {
        // In device pixels: at a fractional scale a window can fit in
        // logical pixels and still run past the screen's edge.
        const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
        const auto device = [ratio](const QRect &r) {
            return QRect(qRound(r.x() * ratio), qRound(r.y() * ratio), qRound(r.width() * ratio),
                         qRound(r.height() * ratio));
        };
        const QRect screen = device(QGuiApplication::primaryScreen()->geometry());
        if (QGuiApplication::primaryScreen()->geometry().width() > 800)
            QSKIP("needs a small offscreen screen; CTest sets them up");
        start();
        for (int page = flow::IntroPage; page <= flow::QuitPage; ++page) {
            forms::Form *form = window(page);
            flow::openAbout(page);
            for (forms::Form *shown : {form, about()}) {
                const QRect frame = device(shown->frameGeometry());
                const QString what = QStringLiteral("%1 at %2,%3 %4x%5")
                                         .arg(shown->objectName())
                                         .arg(frame.x())
                                         .arg(frame.y())
                                         .arg(frame.width())
                                         .arg(frame.height());
                // Wholly on the screen along each side it fits; from the
                // screen's edge along a side it does not.
                if (frame.width() <= screen.width())
                    QVERIFY2(frame.left() >= screen.left() && frame.right() <= screen.right(),
                             qPrintable(what));
                else
                    QVERIFY2(frame.left() == screen.left(), qPrintable(what));
                if (frame.height() <= screen.height())
                    QVERIFY2(frame.top() >= screen.top() && frame.bottom() <= screen.bottom(),
                             qPrintable(what));
                else
                    QVERIFY2(frame.top() == screen.top(), qPrintable(what));
            }
            QTest::mouseClick(control(about(), "Command1"), Qt::LeftButton);
            if (page < flow::QuitPage)
                QTest::mouseClick(control(form, "Next"), Qt::LeftButton);
        }
    }

    void missingFontsFallBackQuietly()
    {
        if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
            QSKIP("needs a font configuration without the substitutes; CTest sets it up");
        const auto family = [](const char *face) {
            return QFontInfo(forms::font(QLatin1String(face), 12)).family();
        };
        const QString fallback = QFontInfo(QGuiApplication::font()).family();
        QCOMPARE(family("Comic Sans MS"), fallback);
        QCOMPARE(family("MS Sans Serif"), fallback);
        QCOMPARE(family("Verdana"), QStringLiteral("DejaVu Sans"));
        warnings.clear();
        const auto previous = qInstallMessageHandler(collectWarnings);
        walkEverything();
        qInstallMessageHandler(previous);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
        forms::Form *quit = window(flow::QuitPage);
        QCOMPARE(control(quit, "Label1")->font().pointSizeF(), 72.0);
        QCOMPARE(control<QLabel>(quit, "Label1")->text(), QStringLiteral("0"));
    }

    void aboutTextsAreShownLiterally()
    {
        start();
        flow::openAbout(flow::IntroPage);
        auto *credit = control<QLabel>(about(), "Label1");
        QCOMPARE(credit->text(), QStringLiteral("<b>Numora</b> &amp; <i>friends</i>"));
        QCOMPARE(control<QLabel>(about(), "Label2")->text(),
                 QStringLiteral("For more information: <a href=\"https://example.org\">click</a>"));
        QCOMPARE(control<QLabel>(about(), "Label3")->text(),
                 QStringLiteral("E-Mail: <script>x</script>@example.org"));
        for (QLabel *label : about()->findChildren<QLabel *>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QVERIFY(!label->openExternalLinks());
        }
        // Drawn as text: the plain-text layout is as wide as the tags make it.
        QVERIFY(credit->sizeHint().width()
                > credit->fontMetrics().horizontalAdvance(QStringLiteral("Numora & friends")));
    }
};

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
