// SPDX-License-Identifier: GPL-3.0-or-later
#include "quit.h"

#include "platform/controls.h"
#include "platform/fonts.h"
#include "trick/reply.h"

#include <QLabel>
#include <QPushButton>

Quit::Quit()
    : SequenceWindow(flow::QuitPage, tr(Title))
{
    QWidget *client = clientArea();
    const QFont verdana = forms::font(QStringLiteral("Verdana"), 48);
    const QFont comic = forms::font(QStringLiteral("Comic Sans MS"), 72);
    //: The big two-colour heading above the number: Verdana 48 pt, at most
    //: two lines of about twelve letters.
    const QString heading = tr("The number you chose is");

    Next = forms::addButton(client, QStringLiteral("Next"), exitCaption(), {2880, 5400, 1095, 375});
    Next->setDefault(true);
    Label3 = forms::addLabel(client, QStringLiteral("Label3"), heading, {0, 240, 6735, 2535},
                             verdana, colours::TitleGreen, Qt::AlignHCenter);
    Label1
        = forms::addLabel(client, QStringLiteral("Label1"), QStringLiteral("00"),
                          {2280, 2760, 2055, 1815}, comic, colours::DigitYellow, Qt::AlignHCenter);
    Label2 = forms::addLabel(client, QStringLiteral("Label2"), heading, {120, 120, 6735, 2895},
                             verdana, colours::TitleBlue, Qt::AlignHCenter);
    Label4 = forms::addLabel(client, QStringLiteral("Label4"), QStringLiteral("00"),
                             {2280, 2760, 2295, 1815}, comic, colours::Red, Qt::AlignHCenter);
    forms::stack({Next, Label3, Label1, Label2, Label4});
    forms::setTabOrder({Next});
    forms::hideFromAssistiveTechnology(Label2);
    forms::hideFromAssistiveTechnology(Label4);

    bind(Next, &QPushButton::clicked, &Quit::Next_Click);
}

void Quit::Form_Load()
{
    SequenceWindow::Form_Load();
    const QString result = QString::fromStdString(Reply::state().chosenNumberText());
    Label1->setText(result);
    Label4->setText(result);
    // Read out with the button that has the focus as the window opens, so
    // the answer reaches a screen-reader user without looking for it, and
    // once: a label that labels a control is not gathered with the window's
    // other texts. The digits are read as the whole answer.
    //: What a screen reader says of the number: %1 is the number.
    Label1->setAccessibleName(tr("The number you chose is %1").arg(result));
    Label1->setBuddy(Next);
}

void Quit::Next_Click()
{
    flow::exitProgram(page());
}
