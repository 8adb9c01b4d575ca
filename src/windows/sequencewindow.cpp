// SPDX-License-Identifier: GPL-3.0-or-later
#include "sequencewindow.h"

#include <QAction>

SequenceWindow::SequenceWindow(flow::PageId page, const QString &title)
    : forms::Form(flow::windowName(page), forms::Frame::FixedDialog)
    , m_page(page)
{
    setWindowTitle(title);
    setBackground(colours::Background);
    //: Menu. The letter after & is the access key (Alt+letter); within a
    //: window the menus' and the buttons' access keys must all differ.
    File = addMenu(QStringLiteral("File"), tr("&File"));
    //: Item of the File menu; the letter after & chooses it in the open menu.
    Exit = addMenuItem(File, QStringLiteral("Exit"), tr("&Exit", "menu item"));
    //: Menu, beside File.
    Help = addMenu(QStringLiteral("Help"), tr("&Help"));
    //: Item of the Help menu: opens the About window.
    About = addMenuItem(Help, QStringLiteral("About"), tr("&About"));
    setClientSize(ClientWidth, ClientHeight);
    bind(Exit, &QAction::triggered, &SequenceWindow::Exit_Click);
    bind(About, &QAction::triggered, &SequenceWindow::about_Click);
}

QString SequenceWindow::exitCaption()
{
    //: Button that leaves the program, on every window of the trick; a short
    //: word (the button is small).
    return tr("&Exit", "button");
}

QString SequenceWindow::nextCaption()
{
    //: Button that moves on to the next window; a short word and ">".
    return tr("&Next >");
}

void SequenceWindow::Form_Load()
{
    flow::pageLoad(*this, m_page);
}

void SequenceWindow::Form_Unload()
{
    flow::pageUnload(m_page);
}

void SequenceWindow::Exit_Click()
{
    flow::exitProgram(m_page);
}

void SequenceWindow::about_Click()
{
    flow::openAbout(m_page);
}
