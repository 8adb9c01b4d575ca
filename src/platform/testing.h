// SPDX-License-Identifier: GPL-3.0-or-later
//
// What only tests use: another host for message boxes and the program's
// end, a fresh start, and a look at how many windows are loaded.
#pragma once

#include "application.h"

namespace forms {

void setHost(Host host);
// Destroys every loaded window without events and allows a fresh run.
void restart();
[[nodiscard]] int loadedCount();

} // namespace forms
