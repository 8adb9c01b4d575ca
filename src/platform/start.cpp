// SPDX-License-Identifier: GPL-3.0-or-later
#include "start.h"

#include "accessibility.h"
#include "application.h"
#include "commandline.h"
#include "displayerrors.h"
#include "fonts.h"
#include "inputguard.h"
#include "language.h"
#include "placement.h"
#include "registry.h"
#include "style.h"
#include "version.h"
#include "windowsystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace forms {

namespace {

constexpr char NoDisplay[]
    = "numora: no display found; set DISPLAY or WAYLAND_DISPLAY, or run it under xvfb-run\n";

// Qt looks at whether a screen reader is running only as it starts, so a
// reader started later would find nothing. Where the accessibility bus is
// there, Numora is always on it; where it is not, this costs nothing. Can go
// once Qt follows the bus's status while it runs (Qt 6.8 does not).
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

void setUp(bool ownStyle)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The language first: it decides the direction in which every window
    // is laid out.
    useUsersLanguage();
    // Then the look, so that every control made from now on is measured
    // against the same frames: one style everywhere.
    if (ownStyle)
        QApplication::setStyle(makeStyle());
    QApplication::setWindowIcon(programIcon());
    substituteFaces();
    // Input: held keys, late clicks and access keys on every layout are
    // sorted out before any window sees them.
    guardInput();
    // Screen readers: the windows read in order, focus changes once settled.
    installAccessibility();
    // The window manager's frame extents, for placement with the real frame.
    watchWindowProperties(&frameMayHaveChanged);
    // The program decides when it ends, not the last window that closes: a
    // message box shown before any window would otherwise end it.
    QApplication::setQuitOnLastWindowClosed(false);
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
    if (!displayNamed(argc, argv)) {
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
    setUp(!parsed.styleGiven && qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE"));

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
