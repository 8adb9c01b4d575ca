// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window flow: the fixed, forward-only order of the windows, what each
// does as it loads, leaving the program with its goodbye, and the About
// window's hand-made modality. Windows are known here only by page number
// and name; the window classes bind their controls to these handlers.
#pragma once

#include <QString>
#include <QtGlobal>

namespace forms {
class Form;
}

namespace flow {

// Page numbers of the windows of the sequence.
using PageId = int;
inline constexpr PageId IntroPage = 0;
inline constexpr PageId FirstCardPage = 1;
inline constexpr PageId LastCardPage = 6;
inline constexpr PageId QuitPage = 7;

inline constexpr char AboutWindow[] = "frmabout";

// The message boxes' texts, in English; they are shown in the user's
// language (translation context "flow").
//: Title of the message box that greets the user before the first window.
inline constexpr char WelcomeTitle[] = QT_TRANSLATE_NOOP("flow", "Welcome...");
//: The greeting in the first message box, before the welcome window.
inline constexpr char WelcomePrompt[] = QT_TRANSLATE_NOOP("flow", "Welcome to Numora !");
//: Title of the message box shown as the user leaves the program.
inline constexpr char GoodbyeTitle[] = QT_TRANSLATE_NOOP("flow", "Bye Bye...");
//: The goodbye in the last message box.
inline constexpr char GoodbyePrompt[]
    = QT_TRANSLATE_NOOP("flow", "Bye Bye, and thank you for using Numora !");

// "Intro", "Pick_1" .. "Pick_6", "Quit"; empty for any other number.
[[nodiscard]] QString windowName(PageId page);

// Load steps.
void introLoad(forms::Form &intro);
void pageLoad(forms::Form &window, PageId page);
void aboutLoad(forms::Form &about);

// Advance from page to the next window; never says goodbye.
void next(PageId page);
// Unload page's window and end the program; its unload says goodbye.
void exitProgram(PageId page);
void pageUnload(PageId page);

void openAbout(PageId opener);
void closeAbout();
void aboutUnload();

// Centres a window on the screen, then moves it offsetTwips right and down,
// keeping it wholly on the screen where it fits and its title bar on it
// where it does not.
void centre(forms::Form &window, double offsetTwips = 0);

} // namespace flow
