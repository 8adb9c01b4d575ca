// SPDX-License-Identifier: GPL-3.0-or-later
#include "pick.h"

#include "platform/controls.h"
#include "platform/fonts.h"
#include "trick/carddeck.h"
#include "trick/reply.h"

#include <QMenu>
#include <QPushButton>

Pick::Pick(int card)
    : SequenceWindow(card, tr(Title))
{
    QWidget *client = clientArea();

    Check1 = forms::addCheckBox(
        client, QStringLiteral("Check1"),
        //: The check box's caption, beside the box: Comic 12 pt, two lines of
        //: about forty letters.
        tr("If the number you chose is appering on this card, Please mark the check box."),
        {840, 240, 4935, 615}, forms::font(QStringLiteral("Comic Sans MS"), 12), colours::Navy,
        colours::Background);

    Command1 = forms::addButton(client, QStringLiteral("Command1"), exitCaption(),
                                {2160, 5400, 975, 375});
    const bool last = card == flow::LastCardPage;
    Next = forms::addButton(client, QStringLiteral("Next"),
                            //: The last card's button, in place of "Next >": it leads to
                            //: the number. It may share its access key with the File menu.
                            last ? tr("&Finish") : nextCaption(), {3480, 5400, 1095, 375});
    Next->setDefault(true);
    // Where the button's access key is the File menu's ("&Finish" and
    // "&File"), Alt+F opens File on every window, so it does here too;
    // Enter finishes.
    if (Next->shortcut() == QKeySequence::mnemonic(File->title()))
        Next->setShortcut(QKeySequence());

    const std::string_view grid = CardDeck::grid(card);
    Text1 = forms::addTextBox(client, QStringLiteral("Text1"),
                              QString::fromLatin1(grid.data(), static_cast<qsizetype>(grid.size())),
                              {1320, 1560, 4095, 2895},
                              forms::font(QStringLiteral("MS Sans Serif"), 24), colours::Red,
                              colours::Lavender);

    forms::stack({Check1, Command1, Next, Text1});
    forms::setTabOrder({Text1, Next, Command1, Check1});

    // Focus starts on the grid and the box comes last in the tab order, so a
    // screen-reader user hears on arrival which card this is and what to do,
    // before the first Tab leads to the button that moves on. Both are the
    // grid's, which a reader always says as the grid takes the focus: a
    // reader does not always present a window that replaces one just like
    // it, and Orca 48 says a dialog's own description twice.
    //: What a screen reader says of the grid of numbers: %1 is the card's
    //: number, %2 how many cards there are.
    Text1->setAccessibleName(tr("Numbers on card %1 of %2").arg(card).arg(flow::LastCardPage));
    //: Read by a screen reader on the last card, after the card's name.
    //: "Exit" and "Finish" name the window's buttons.
    const QString lastTask = tr("If the number you chose is on this card, tick the check box, "
                                "which comes after the Exit button, then press Finish");
    //: Read by a screen reader on cards 1 to 5, after the card's name.
    //: "Exit" and "Next" name the window's buttons.
    const QString task = tr("If the number you chose is on this card, tick the check box, "
                            "which comes after the Exit button, then press Next");
    Text1->setAccessibleDescription(last ? lastTask : task);

    // Every change of the box toggles the card, however it came about, so
    // that the card's value always follows the box.
    connect(Check1, &QCheckBox::toggled, this, &Pick::Check1_Click);
    bind(Next, &QPushButton::clicked, &Pick::Next_Click);
    bind(Command1, &QPushButton::clicked, &Pick::Command1_Click);
}

void Pick::Check1_Click()
{
    Reply::state().toggleCard(page());
}

void Pick::Next_Click()
{
    flow::next(page());
}

void Pick::Command1_Click()
{
    flow::exitProgram(page());
}
