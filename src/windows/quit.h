// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sequencewindow.h"

class QLabel;
class QPushButton;

// The result window, last of the sequence: names the chosen number.
class Quit : public SequenceWindow
{
    Q_OBJECT

public:
    //: Title bar of the window that names the chosen number.
    static constexpr char Title[] = QT_TR_NOOP("Numora - The number you chose is...");

    Quit();

    void Form_Load() override;
    void Next_Click();

private:
    QPushButton *Next;
    QLabel *Label3;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label4;
};
