// SPDX-License-Identifier: GPL-3.0-or-later
//
// What failed when no display could be opened, said in a line or two
// instead of Qt's screenful of plugin advice and a core dump.
#pragma once

namespace forms {

// From now until displayOpened(), Qt's messages are held back; if Qt gives
// up, what failed is said on standard error and the program exits with
// status 1. Whoever asks Qt for its diagnostics (QT_DEBUG_PLUGINS,
// QT_LOGGING_RULES) gets them as they come.
void openingDisplay();
// The display is open: messages held back that are worth a look are passed
// on, and Qt's messages go where they went before.
void displayOpened();

} // namespace forms
