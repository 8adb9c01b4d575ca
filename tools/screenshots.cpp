// SPDX-License-Identifier: GPL-3.0-or-later
//
// Renders each of Numora's nine windows and its two message boxes to PNG
// files, offscreen and without a window manager, at the scale Qt is given:
//   QT_SCALE_FACTOR=2 numora-screenshots DIR
#include "flow/flow.h"
#include "platform/forms.h"
#include "platform/start.h"
#include "trick/reply.h"
#include "windows/registration.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

namespace {

bool save(QWidget *widget, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name + QLatin1String(".png"));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "numora-screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    forms::setUp(true);
    if (argc != 2) {
        std::fprintf(stderr, "usage: numora-screenshots DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "numora-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    windows::registerWindows();
    forms::host() = forms::Host{[](const QString &, const QString &) {}, [](int) {}};
    bool ok = true;
    for (flow::PageId page = flow::IntroPage; page <= flow::QuitPage; ++page) {
        if (page == flow::QuitPage) {
            // A two-digit answer: cards 1, 2 and 6.
            for (int card : {1, 2, 6})
                Reply::state().toggleCard(card);
        }
        const QString name = flow::windowName(page);
        forms::show(name);
        ok = save(forms::find(name), dir, name) && ok;
        if (page == flow::IntroPage) {
            flow::openAbout(page);
            ok = save(forms::find(QLatin1String(flow::AboutWindow)), dir,
                      QLatin1String(flow::AboutWindow))
                 && ok;
            flow::closeAbout();
        }
        forms::restart();
    }
    const struct {
        const char *file, *prompt, *title;
    } boxes[] = {{"welcome", flow::WelcomePrompt, flow::WelcomeTitle},
                 {"goodbye", flow::GoodbyePrompt, flow::GoodbyeTitle}};
    for (const auto &box : boxes) {
        // In the user's language, as the program shows them.
        const auto shown = forms::makeMessageBox(QCoreApplication::translate("flow", box.prompt),
                                                 QCoreApplication::translate("flow", box.title));
        shown->show();
        ok = save(shown.get(), dir, QLatin1String(box.file)) && ok;
    }
    return ok ? 0 : 1;
}
