// SPDX-License-Identifier: GPL-3.0-or-later
#include "intro.h"

#include "platform/controls.h"
#include "platform/fonts.h"

#include <QLabel>
#include <QPushButton>

Intro::Intro()
    : SequenceWindow(flow::IntroPage, tr(Title))
{
    QWidget *client = clientArea();
    const QFont verdana = forms::font(QStringLiteral("Verdana"), 48);
    Command1 = forms::addButton(client, QStringLiteral("Command1"), exitCaption(),
                                {2280, 5400, 975, 375});
    Next = forms::addButton(client, QStringLiteral("Next"), nextCaption(), {3480, 5400, 1095, 375});
    Next->setDefault(true);
    //: The big two-colour greeting: Verdana 48 pt, one line of about nine
    //: letters at most (a longer word is cut), then "to Numora!" below it.
    const QString welcome = tr("Welcome !");
    Label3 = forms::addLabel(client, QStringLiteral("Label3"), welcome, {0, 0, 5295, 1695}, verdana,
                             colours::TitleGreen, Qt::AlignHCenter);
    Label2 = forms::addLabel(
        client, QStringLiteral("Label2"),
        //: The instruction under the greeting, 24 pt in a box of about six
        //: short lines. "NEXT" names the button that reads "Next >".
        tr("Please choose a number from 1 to 60 and click the \"NEXT\" button."),
        {1560, 2520, 3990, 2295}, forms::font(QStringLiteral("MS Sans Serif"), 24), colours::Navy,
        Qt::AlignLeft);
    Label1 = forms::addLabel(client, QStringLiteral("Label1"),
                             //: Second half of the greeting, under "Welcome !": Comic 24 pt, one
                             //: line of about twelve letters.
                             tr("to Numora!"), {3240, 1320, 3630, 735},
                             forms::font(QStringLiteral("Comic Sans MS"), 24), colours::Navy,
                             Qt::AlignLeft);
    Label4 = forms::addLabel(client, QStringLiteral("Label4"), welcome, {-120, 120, 5295, 1695},
                             verdana, colours::TitleBlue, Qt::AlignHCenter);
    forms::stack({Command1, Next, Label3, Label2, Label1, Label4});
    forms::hideFromAssistiveTechnology(Label4);
    // The greeting is drawn in two labels but read as one line: readers pass
    // over a label of only two words when a window opens.
    Label3->setAccessibleName(Label3->text() + QLatin1Char(' ') + Label1->text());
    forms::hideFromAssistiveTechnology(Label1);
    forms::setTabOrder({Next, Command1});

    bind(Next, &QPushButton::clicked, &Intro::Next_Click);
    bind(Command1, &QPushButton::clicked, &Intro::Command1_Click);
}

void Intro::Form_Load()
{
    flow::introLoad(*this);
}

void Intro::Next_Click()
{
    flow::next(page());
}

void Intro::Command1_Click()
{
    flow::exitProgram(page());
}
