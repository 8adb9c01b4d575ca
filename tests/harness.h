// SPDX-License-Identifier: GPL-3.0-or-later
//
// Drives the real windows in-process: message boxes and the program end are
// recorded instead of shown, and every run starts from a fresh state.
#pragma once

#include "flow/flow.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/start.h"
#include "trick/carddeck.h"
#include "trick/reply.h"
#include "windows/registration.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace harness {

struct Record {
    QStringList boxes; // "title|prompt"
    bool windowVisibleAtWelcome = false;
    int ends = 0;
};

inline Record &record()
{
    static Record r;
    return r;
}

inline bool anyWindowVisible()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            return true;
    }
    return false;
}

inline void install()
{
    static bool done = false;
    if (!done) {
        forms::setUp(false);
        windows::registerWindows();
        done = true;
    }
    forms::host() = forms::Host{[](const QString &prompt, const QString &title) {
                                    if (title == QLatin1String(flow::WelcomeTitle))
                                        record().windowVisibleAtWelcome = anyWindowVisible();
                                    record().boxes << title + QLatin1Char('|') + prompt;
                                },
                                [](int) { ++record().ends; }};
}

// Starts a run as the program does: loads and shows the startup window.
inline void start()
{
    install();
    forms::restart();
    Reply::state() = Reply::TrickState{};
    record() = {};
    forms::show(flow::windowName(flow::IntroPage));
}

inline int goodbyes()
{
    return static_cast<int>(record().boxes.count(
        QLatin1String(flow::GoodbyeTitle) + QLatin1Char('|') + QLatin1String(flow::GoodbyePrompt)));
}

inline forms::Form *window(flow::PageId page)
{
    return forms::find(flow::windowName(page));
}

inline forms::Form *about()
{
    return forms::find(QLatin1String(flow::AboutWindow));
}

template <typename T = QWidget> T *control(forms::Form *form, const char *name)
{
    return form ? form->findChild<T *>(QLatin1String(name)) : nullptr;
}

inline QAction *menuItem(forms::Form *form, const char *name)
{
    return form->findChild<QAction *>(QLatin1String(name));
}

// What the window manager does when the close box is pressed.
inline void closeBox(forms::Form *form)
{
    form->windowHandle()->close();
}

// Card k's grid as its text box holds it: one line break per row.
inline QString shownGrid(int card)
{
    const auto grid = CardDeck::grid(card);
    return QString::fromLatin1(grid.data(), qsizetype(grid.size()))
        .replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// The page currently loaded, or -1.
inline int loadedPage()
{
    for (int page = flow::IntroPage; page <= flow::QuitPage; ++page) {
        if (window(page))
            return page;
    }
    return -1;
}

} // namespace harness
