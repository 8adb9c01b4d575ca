// SPDX-License-Identifier: GPL-3.0-or-later
//
// Input as people give it, made into one step per deliberate action: held
// keys, the second click of a double click that took its window away, late
// Alt presses, and access keys on every keyboard layout.
#pragma once

namespace forms {

// Watches the whole application's input from now on. Once, at start.
void guardInput();

} // namespace forms
