// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow.h"

#include "platform/forms.h"
#include "platform/placement.h"
#include "trick/reply.h"

#include <QCoreApplication>

namespace flow {

namespace {
constexpr double AboutOffset = 1500; // twips right of and below the centre

void say(const char *prompt, const char *title)
{
    forms::messageBox(QCoreApplication::translate("flow", prompt),
                      QCoreApplication::translate("flow", title));
}
} // namespace

QString windowName(PageId page)
{
    if (page == IntroPage)
        return QStringLiteral("Intro");
    if (page >= FirstCardPage && page <= LastCardPage)
        return QStringLiteral("Pick_%1").arg(page);
    if (page == QuitPage)
        return QStringLiteral("Quit");
    return {};
}

void centre(forms::Form &window, double offsetTwips)
{
    // Placed again with the real frame once the window manager has framed
    // the window: before that its outer size is only an estimate.
    window.placeBy([&window, offsetTwips] {
        const QPointF corner
            = forms::centredCorner({window.outerWidth(), window.outerHeight()},
                                   {forms::screenWidth(), forms::screenHeight()}, offsetTwips);
        window.moveTo(corner.x(), corner.y());
    });
}

void introLoad(forms::Form &intro)
{
    say(WelcomePrompt, WelcomeTitle);
    centre(intro);
    Reply::state().reset();
}

void pageLoad(forms::Form &window, PageId page)
{
    centre(window);
    Reply::state().setPage(page);
}

void aboutLoad(forms::Form &about)
{
    centre(about, AboutOffset);
}

void next(PageId page)
{
    Reply::state().setPage(page + 1);
    forms::show(windowName(page + 1));
    forms::unload(windowName(page));
}

void exitProgram(PageId page)
{
    forms::unload(windowName(page));
    forms::endProgram();
}

void pageUnload(PageId page)
{
    if (Reply::state().Page == page)
        say(GoodbyePrompt, GoodbyeTitle);
}

void openAbout(PageId opener)
{
    forms::show(QLatin1String(AboutWindow));
    forms::Form *about = forms::find(QLatin1String(AboutWindow));
    if (forms::Form *window = forms::find(windowName(opener)); window && about)
        window->disableFor(*about);
    Reply::state().AboutOpener = static_cast<std::int16_t>(opener);
}

void closeAbout()
{
    forms::unload(QLatin1String(AboutWindow));
}

void aboutUnload()
{
    // Only a loaded opener is enabled: naming an unloaded window must not
    // load it again (and greet the user a second time).
    const QString opener = windowName(Reply::state().AboutOpener);
    if (forms::Form *window = opener.isEmpty() ? nullptr : forms::find(opener)) {
        window->setFormEnabled(true);
        // Hand the keyboard back, or a keyboard user is left with no window.
        window->activateWindow();
    }
}

} // namespace flow
