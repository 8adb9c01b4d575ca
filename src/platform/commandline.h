// SPDX-License-Identifier: GPL-3.0-or-later
//
// The command line: Numora's own --help and --version, Qt's standard options
// left for Qt, and nothing else.
#pragma once

#include <string>

namespace forms {

enum class Request { Run, Help, Version, Error, MissingValue };

struct Parsed {
    Request request = Request::Run;
    std::string offending;
    bool styleGiven = false;
};

// Qt's own options are left for QApplication; anything else is ours, and we
// know only --help and --version. "--" ends the options, and Numora takes
// no other arguments.
[[nodiscard]] Parsed parse(int argc, char **argv);
void printHelp();

} // namespace forms
