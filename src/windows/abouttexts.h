// SPDX-License-Identifier: GPL-3.0-or-later
// The About window's texts, set when building (NUMORA_ABOUT_*). They are
// defined in numora_about, a library of their own, so that a test program
// can define them itself and the linker then leaves the built-in ones out.
#pragma once

namespace about {
extern const char Credit[];
extern const char Web[];
extern const char Email[];
} // namespace about
