// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/start.h"
#include "windows/registration.h"

int main(int argc, char **argv)
{
    return forms::run(argc, argv, QStringLiteral("Intro"), &windows::registerWindows);
}
