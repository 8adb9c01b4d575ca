// SPDX-License-Identifier: GPL-3.0-or-later
//
// The forms layer: what Numora's windows need from the toolkit and Qt does
// not give in that shape. Windows are program-wide single instances looked
// up by name, loaded before they show and unloaded before they go
// (registry); each is a Form with a fixed frame and a client area laid out
// in twips (form, screen, controls), placed with its real frame (placement);
// message boxes are modal, and the program's end and its failures are the
// application's (application, messagebox). Input is guarded so that one
// action is one step, also for access keys on every layout (inputguard);
// screen readers read each window in order (accessibility); what differs
// between X11 and Wayland is in one place (windowsystem). All of it is set
// up once, at start (start). Everything else is plain Qt.
#pragma once

#include "accessibility.h"
#include "application.h"
#include "form.h"
#include "messagebox.h"
#include "registry.h"
#include "screen.h"
