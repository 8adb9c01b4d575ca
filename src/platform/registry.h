// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program's windows: one instance per kind, looked up by name, loaded
// (their Form_Load run) before they show and unloaded (their Form_Unload
// run) before they go; and the program's end, which comes when asked, after
// an error it cannot go on from, or when the last window is gone.
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

// Ends the program at once: every window goes without further events. The
// program then exits with status.
void endProgram(int status = 0);
[[nodiscard]] bool hasEnded();
[[nodiscard]] int exitStatus();

// The exit status after an error the program cannot go on from.
inline constexpr int FailureStatus = 70;
// Such an error: says what it was on standard error and in a message box,
// then ends the program with FailureStatus.
void fail(const QString &what);

} // namespace forms
