// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/start.h"
#include "windows/windows.h"

int main(int argc, char **argv)
{
    return forms::run(argc, argv, QStringLiteral("Intro"), &registerWindows);
}
