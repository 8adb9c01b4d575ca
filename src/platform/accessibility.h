// SPDX-License-Identifier: GPL-3.0-or-later
//
// How assistive technology sees a window's client area: its controls in
// reading order, each text once.
#pragma once

class QWidget;

namespace forms {

// Makes every widget of the class named className (a window's client area)
// present its controls to screen readers top to bottom, then left to right,
// rather than in stacking order, and without decorations. Once is enough.
void readClientAreasInOrder(const char *className);

// Keeps a purely decorative control, such as the shadow copy of a two-colour
// title, out of what screen readers read.
void hideFromAssistiveTechnology(QWidget *decoration);

} // namespace forms
