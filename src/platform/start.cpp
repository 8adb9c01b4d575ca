// SPDX-License-Identifier: GPL-3.0-or-later
#include "start.h"

#include "forms.h"
#include "resources.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace forms {

namespace {

constexpr char Version[] = "1.00";

constexpr const char *QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "display", "geometry", "title", "name", "style",
    "stylesheet", "session",
};
constexpr const char *QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

enum class Request { Run, Help, Version, Error };

struct Parsed {
    Request request = Request::Run;
    std::string offending;
    bool styleGiven = false;
};

// Qt's own options are left for QApplication; anything else is ours, and we
// know only --help and --version.
Parsed parse(int argc, char **argv)
{
    Parsed parsed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help")
            return {Request::Help, {}, false};
        if (arg == "--version")
            return {Request::Version, {}, false};
        std::string name = arg;
        if (name.rfind("--", 0) == 0)
            name.erase(0, 2);
        else if (name.rfind('-', 0) == 0)
            name.erase(0, 1);
        else
            return {Request::Error, arg, false};
        // Qt takes an option's value as the next argument; only the QML
        // debugger's option carries it after '='.
        if (name.rfind("qmljsdebugger=", 0) == 0)
            continue;
        bool known = false;
        for (const char *option : QtOptionsWithValue) {
            if (name == option) {
                known = true;
                if (++i >= argc)
                    return {Request::Error, arg, false};
            }
        }
        for (const char *flag : QtFlags)
            known = known || name == flag;
        if (!known)
            return {Request::Error, arg, false};
        parsed.styleGiven = parsed.styleGiven || name == "style";
    }
    return parsed;
}

void printHelp()
{
    std::printf("Usage: numora [OPTION]...\n"
                "Numora performs the number-card trick: choose a number from 1 to 60, tick\n"
                "the cards that show it, and Numora names the number.\n"
                "\n"
                "      --help     display this help and exit\n"
                "      --version  output version information and exit\n"
                "\n"
                "Qt's standard options, such as -platform, -display and -style, are\n"
                "accepted as well.\n");
}

constexpr char NoDisplay[] =
    "numora: no display found; set DISPLAY or WAYLAND_DISPLAY, or run it under xvfb-run\n";

bool platformChosen(int argc, char **argv)
{
    if (const char *platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform)
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-platform", 9) == 0 || std::strncmp(argv[i], "--platform", 10) == 0)
            return true;
    }
    return false;
}

bool displayNamed()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char *value = std::getenv(name); value && *value)
            return true;
    }
    return false;
}

// While the application object opens the display, Qt's complaints are held
// back: if it fails, Qt would abort with a core dump after a screenful of
// plugin advice, and one plain line says more.
bool openingDisplay = false;
QtMessageHandler previousHandler = nullptr;

struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> held;

void displayMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (openingDisplay) {
        if (type == QtFatalMsg) {
            std::fputs(NoDisplay, stderr);
            std::fflush(stderr);
            std::_Exit(1);
        }
        held.push_back({type, text});
        return;
    }
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows)
{
    const Parsed parsed = parse(argc, argv);
    switch (parsed.request) {
    case Request::Help:
        printHelp();
        return 0;
    case Request::Version:
        std::printf("numora %s\n", Version);
        return 0;
    case Request::Error:
        std::fprintf(stderr, "numora: unrecognized argument '%s'; try 'numora --help'\n",
                     parsed.offending.c_str());
        return 2;
    case Request::Run:
        break;
    }
    if (!platformChosen(argc, argv) && !displayNamed()) {
        std::fputs(NoDisplay, stderr);
        return 1;
    }

    QApplication::setApplicationName(QStringLiteral("Numora"));
    QApplication::setApplicationVersion(QLatin1String(Version));
    QApplication::setDesktopFileName(QLatin1String(ApplicationId));
    // The X11 window class carries the same id as the launcher, so that a
    // desktop matches windows to it.
    if (qEnvironmentVariableIsEmpty("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", ApplicationId);
    previousHandler = qInstallMessageHandler(displayMessageHandler);
    openingDisplay = true;
    QApplication app(argc, argv);
    openingDisplay = false;
    qInstallMessageHandler(previousHandler);
    for (const auto &message : held) {
        if (message.type != QtDebugMsg)
            qWarning("%s", qPrintable(message.text));
    }
    held.clear();

    // One look everywhere, so every text is measured against the same frames.
    if (!parsed.styleGiven && qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE"))
        QApplication::setStyle(makeStyle());
    QApplication::setWindowIcon(programIcon());
    // The program decides when it ends, not the last window that closes: a
    // message box shown before any window would otherwise end it.
    QApplication::setQuitOnLastWindowClosed(false);

    registerWindows();
    show(startupWindow);
    const int status = hasEnded() ? 0 : QApplication::exec();
    restart();
    return status;
}

} // namespace forms
