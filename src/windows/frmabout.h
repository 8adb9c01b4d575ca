// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/forms.h"

class QLabel;
class QPushButton;

// The About window: opened from any window of the sequence, which stays
// disabled until this one is closed.
class frmabout : public forms::Form
{
    Q_OBJECT

public:
    //: Title bar of the About window.
    static constexpr char Title[] = QT_TR_NOOP("Numora - About");
    static constexpr int ClientWidth = 4935;
    static constexpr int ClientHeight = 4470;

    frmabout();

    void Form_Load() override;
    void Form_Unload() override;
    void Command1_Click();

private:
    QPushButton *Command1;
    QLabel *Label3;
    QLabel *Label2;
    QLabel *Label1;
};
