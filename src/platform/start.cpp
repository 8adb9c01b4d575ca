// SPDX-License-Identifier: GPL-3.0-or-later
#include "start.h"

#include "accessibility.h"
#include "application.h"
#include "commandline.h"
#include "displayerrors.h"
#include "registry.h"
#include "style.h"
#include "testing.h"
#include "version.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace forms {

namespace {

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

// Output that cannot be written (a full disk, a closed pipe) is an error.
int finishOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "numora: cannot write the output: %s\n", std::strerror(errno));
    return 1;
}

} // namespace

int run(int argc, char **argv, const QString &startupWindow,
        const std::function<void()> &registerWindows)
{
    const Parsed parsed = parse(argc, argv);
    switch (parsed.request) {
    case Request::Help:
        printHelp();
        return finishOutput();
    case Request::Version:
        std::printf("numora %s\n", numora::Version);
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
    QApplication::setApplicationVersion(QLatin1String(numora::Version));
    QApplication::setDesktopFileName(QLatin1String(numora::ApplicationId));
    // The X11 window class carries the same id as the launcher, so that a
    // desktop matches windows to it.
    if (qEnvironmentVariableIsEmpty("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", numora::ApplicationId);
    openingDisplay();
    Application app(argc, argv);
    displayOpened();
    announceSettledFocusOnly();

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
        failWith(error);
    }
    const int status = hasEnded() ? exitStatus() : QApplication::exec();
    restart();
    return status;
}

} // namespace forms
