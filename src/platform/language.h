// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program in the user's language: its own catalogue and Qt's, chosen by
// the desktop's locale (LANGUAGE first, as set), from those built into the
// program. Where none fits, everything stays in English, and says nothing.
#pragma once

namespace forms {

// Installs the catalogues of the first of the user's languages that Numora
// has, and with them the direction of writing. Once, at start, before any
// window is made.
void useUsersLanguage();

} // namespace forms
