// SPDX-License-Identifier: GPL-3.0-or-later
#include "sequencewindow.h"

#include <QAction>

SequenceWindow::SequenceWindow(flow::PageId page, const QString &title)
    : forms::Form(flow::windowName(page), forms::Frame::FixedDialog)
    , m_page(page)
{
    setWindowTitle(title);
    setBackground(colours::Background);
    File = addMenu(QStringLiteral("File"), QStringLiteral("&File"));
    Exit = addMenuItem(File, QStringLiteral("Exit"), QStringLiteral("&Exit"));
    Help = addMenu(QStringLiteral("Help"), QStringLiteral("&Help"));
    About = addMenuItem(Help, QStringLiteral("About"), QStringLiteral("&About"));
    setClientSize(ClientWidth, ClientHeight);
    bind(Exit, &QAction::triggered, &SequenceWindow::Exit_Click);
    bind(About, &QAction::triggered, &SequenceWindow::about_Click);
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
