// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program's windows: one instance per kind, looked up by name, loaded
// (their Form_Load run) before they show and unloaded (their Form_Unload
// run) before they go. The program ends when the last window is gone.
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace forms {

class Form;

using Factory = std::function<std::unique_ptr<Form>()>;
void registerForm(const QString &name, Factory factory);

// The loaded instance, or nullptr; never loads.
[[nodiscard]] Form *find(const QString &name);
// The instance, loading it (and running its Form_Load) if needed.
Form &load(const QString &name);
// Loads if needed, then shows without modality; returns after Form_Load.
void show(const QString &name);
// Runs Form_Unload, then destroys the window. Ends the program when no
// window is left loaded.
void unload(const QString &name);
[[nodiscard]] int loadedCount();

// Destroys every window at once, without events, and forgets that the
// program ended, so that it can run again. Also after the event loop, so
// that no window outlives the application.
void restart();

} // namespace forms
