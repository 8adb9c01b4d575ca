// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sequencewindow.h"

class QLabel;
class QPushButton;

// The welcome window, first of the sequence and the program's startup window.
class Intro : public SequenceWindow
{
    Q_OBJECT

public:
    //: Title bar of the welcome window.
    static constexpr char Title[] = QT_TR_NOOP("Welcome to the numora program!");

    Intro();

    void Form_Load() override;
    void Next_Click();
    void Command1_Click();

private:
    QPushButton *Command1;
    QPushButton *Next;
    QLabel *Label3;
    QLabel *Label2;
    QLabel *Label1;
    QLabel *Label4;
};
