// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <cstdio>

namespace forms {

namespace {

// Copied, not QCommandLineParser: Qt takes these only with a display, and drops a bare -platform.
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

} // namespace

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

} // namespace forms
