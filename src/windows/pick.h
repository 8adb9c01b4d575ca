// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sequencewindow.h"

class QPushButton;
namespace forms {
class CheckBox;
class TextBox;
} // namespace forms

// A card window. The six cards share this class; each is its own window,
// named Pick_1 .. Pick_6 after its card.
class Pick : public SequenceWindow
{
    Q_OBJECT

public:
    //: Title bar of each of the six card windows.
    static constexpr char Title[]
        = QT_TR_NOOP("Numora - Is the number you chose appearing on this card?");

    explicit Pick(int card);

    void Check1_Click();
    void Next_Click();
    void Command1_Click();

private:
    forms::CheckBox *Check1;
    QPushButton *Command1;
    QPushButton *Next;
    forms::TextBox *Text1;
};
