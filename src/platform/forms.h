// SPDX-License-Identifier: GPL-3.0-or-later
//
// The forms layer: what Numora's windows need from the toolkit and Qt does
// not give in that shape. Windows are program-wide single instances looked
// up by name, loaded before they show and unloaded before they go
// (registry); each is a Form with a fixed frame and a client area laid out
// in twips (form, screen), placed with its real frame (placement); message
// boxes are modal (messagebox). Input is guarded so that one action is one
// step, also for access keys on every layout (inputguard); screen readers
// read each window in order (accessibility); X11 is spoken in one place
// (x11). Everything else is plain Qt.
#pragma once

#include "accessibility.h"
#include "form.h"
#include "messagebox.h"
#include "registry.h"
#include "screen.h"
