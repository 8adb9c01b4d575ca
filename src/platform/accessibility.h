// SPDX-License-Identifier: GPL-3.0-or-later
//
// How assistive technology sees a window's client area: its controls in
// reading order, each text once.
#pragma once

class QWidget;

namespace forms {

// Makes assistive technology see what the two calls below ask for, and
// makes a focus change known to it only once the event being handled is
// done, and only if the focus is still there then. Opening a window from a
// menu moves the focus three times in one go (back from the menu to the
// control it came from, then off that control as its window is disabled);
// Orca 48 handles the new window's activation before focus changes it heard
// earlier, so a stale one would take it back to the disabled window and make
// it present the new window twice. The filter can go once Orca handles the
// events of one application in the order they came (Orca 48.1 does not).
// Once, at start.
void installAccessibility();

// Makes a container (a window's client area) present its controls to screen
// readers top to bottom, then left to right, rather than in stacking order,
// and without decorations.
void readInOrder(QWidget *container);

// Keeps a purely decorative control, such as the shadow copy of a two-colour
// title, out of what screen readers read.
void hideFromAssistiveTechnology(QWidget *decoration);

} // namespace forms
