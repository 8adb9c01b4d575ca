// SPDX-License-Identifier: GPL-3.0-or-later
#include "start.h"

#include "forms.h"
#include "resources.h"
#include "version.h"

#include <QApplication>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace forms {

namespace {

constexpr const char *QtOptionsWithValue[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "display",
    "geometry",
    "title",
    "name",
    "style",
    "stylesheet",
    "session",
};
constexpr const char *QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

enum class Request { Run, Help, Version, Error, MissingValue };

struct Parsed {
    Request request = Request::Run;
    std::string offending;
    bool styleGiven = false;
};

// Qt's own options are left for QApplication; anything else is ours, and we
// know only --help and --version. "--" ends the options, and Numora takes
// no other arguments.
Parsed parse(int argc, char **argv)
{
    Parsed parsed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            if (i + 1 < argc)
                return {Request::Error, argv[i + 1], false};
            break;
        }
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
                    return {Request::MissingValue, arg, false};
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

constexpr char NoDisplay[]
    = "numora: no display found; set DISPLAY or WAYLAND_DISPLAY, or run it under xvfb-run\n";

bool platformChosen(int argc, char **argv)
{
    if (const char *platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform)
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

// Wayland lets no program place its own windows, and Numora's windows are
// placed by design. Where an X server is there too (Xwayland on a Wayland
// desktop), Numora runs on it; where it is not, on Wayland itself.
void preferX11(int argc, char **argv)
{
    if (!platformChosen(argc, argv) && isSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", isSet("WAYLAND_DISPLAY") ? "xcb;wayland" : "xcb");
}

// Qt looks at whether a screen reader is running only as it starts, so a
// reader started later would find nothing. Where the accessibility bus is
// there, Numora is always on it; where it is not, this costs nothing.
void stayReachableByScreenReaders()
{
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

// While the application object opens the display, Qt's complaints are held
// back: if it fails, Qt would abort with a core dump after a screenful of
// plugin advice, and a line or two saying what failed say more. Whoever asks
// Qt for its diagnostics gets them as they come.
bool openingDisplay = false;
bool passThrough = false;
QtMessageHandler previousHandler = nullptr;

struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> held;

QString captured(const QString &text, const char *pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(QLatin1String(pattern)).match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

// What failed, from what Qt said on its way down.
QStringList failureReasons(const QString &fatal)
{
    QStringList reasons;
    // Qt 6.5 and later add a hint about libxcb-cursor whenever X11 fails,
    // also when the display was the trouble; it is the reason only when
    // there is no other.
    QStringList hints;
    for (const auto &message : held) {
        if (message.text.contains(QLatin1String("xcb-cursor0"))) {
            hints << message.text.trimmed();
            continue;
        }
        const QString plugin
            = captured(message.text, "Could not find the Qt platform plugin \"([^\"]*)\"");
        const QString display = captured(message.text, "could not connect to display ?(\\S*)");
        if (message.text.contains(QLatin1String("could not connect to display")))
            reasons << (display.isEmpty()
                            ? QStringLiteral("no X display is named (DISPLAY is not set)")
                            : QStringLiteral("cannot open the X display '%1'").arg(display));
        else if (!plugin.isEmpty())
            reasons << QStringLiteral("there is no Qt platform plugin named '%1'").arg(plugin);
        else if (message.text.contains(QLatin1String("wl_display"))
                 || message.text.contains(QLatin1String("wayland connection")))
            reasons << QStringLiteral("cannot connect to the Wayland display '%1'")
                           .arg(qEnvironmentVariable("WAYLAND_DISPLAY",
                                                     QStringLiteral("wayland-0")));
        else if (message.type != QtDebugMsg && message.type != QtInfoMsg
                 && !message.text.contains(QLatin1String("even though it was found")))
            reasons << message.text.trimmed();
    }
    // The plugins there are, where one asked for is not.
    if (const QString available = captured(fatal, "Available platform plugins are: ([^\\n]*)\\.");
        !available.isEmpty()
        && reasons.join(QLatin1Char('\n')).contains(QLatin1String("plugin named")))
        reasons << QStringLiteral("the Qt platform plugins here are: ") + available;
    if (reasons.isEmpty())
        reasons = hints;
    if (reasons.isEmpty())
        reasons << QStringLiteral("no display could be opened");
    return reasons;
}

void displayMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (openingDisplay && type == QtFatalMsg) {
        for (const QString &reason : failureReasons(text))
            std::fprintf(stderr, "numora: %s\n", qPrintable(reason));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (openingDisplay && !passThrough) {
        held.push_back({type, text});
        return;
    }
    if (previousHandler)
        previousHandler(type, context, text);
}

// Output that cannot be written (a full disk, a closed pipe) is an error.
int finishOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "numora: cannot write the output: %s\n", std::strerror(errno));
    return 1;
}

QString describe(const std::exception &error)
{
    return QString::fromLocal8Bit(error.what());
}

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        fail(QStringLiteral("internal error: ") + describe(error));
    } catch (...) {
        fail(QStringLiteral("internal error of an unknown kind"));
    }
    return false;
}

int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows)
{
    const Parsed parsed = parse(argc, argv);
    switch (parsed.request) {
    case Request::Help:
        printHelp();
        return finishOutput();
    case Request::Version:
        std::printf("numora %s\n", Version);
        return finishOutput();
    case Request::Error:
        std::fprintf(stderr, "numora: unrecognized argument '%s'; try 'numora --help'\n",
                     parsed.offending.c_str());
        return 2;
    case Request::MissingValue:
        std::fprintf(stderr, "numora: option '%s' needs a value; try 'numora --help'\n",
                     parsed.offending.c_str());
        return 2;
    case Request::Run:
        break;
    }
    if (!platformChosen(argc, argv) && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        std::fputs(NoDisplay, stderr);
        return 1;
    }
    preferX11(argc, argv);
    stayReachableByScreenReaders();

    QApplication::setApplicationName(QStringLiteral("Numora"));
    QApplication::setApplicationVersion(QLatin1String(Version));
    QApplication::setDesktopFileName(QLatin1String(ApplicationId));
    // The X11 window class carries the same id as the launcher, so that a
    // desktop matches windows to it.
    if (qEnvironmentVariableIsEmpty("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", ApplicationId);
    passThrough = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS")
                  || qEnvironmentVariableIsSet("QT_LOGGING_RULES");
    previousHandler = qInstallMessageHandler(displayMessageHandler);
    openingDisplay = true;
    Application app(argc, argv);
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
    try {
        show(startupWindow);
    } catch (const std::exception &error) {
        fail(QStringLiteral("internal error: ") + describe(error));
    }
    const int status = hasEnded() ? exitStatus() : QApplication::exec();
    restart();
    return status;
}

} // namespace forms
