// SPDX-License-Identifier: GPL-3.0-or-later
#include "registration.h"

#include "frmabout.h"
#include "intro.h"
#include "pick.h"
#include "quit.h"

namespace windows {

void registerWindows()
{
    forms::registerForm(flow::windowName(flow::IntroPage),
                        [] { return std::make_unique<Intro>(); });
    for (int card = flow::FirstCardPage; card <= flow::LastCardPage; ++card)
        forms::registerForm(flow::windowName(card),
                            [card] { return std::make_unique<Pick>(card); });
    forms::registerForm(flow::windowName(flow::QuitPage), [] { return std::make_unique<Quit>(); });
    forms::registerForm(QLatin1String(flow::AboutWindow),
                        [] { return std::make_unique<frmabout>(); });
}

} // namespace windows
