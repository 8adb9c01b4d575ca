// SPDX-License-Identifier: GPL-3.0-or-later
//
// The windows: one class per kind of window, each building its controls from
// its layout table and binding their events to the flow's handlers. This
// header holds what the eight windows of the sequence share.
#pragma once

#include "flow/flow.h"
#include "platform/forms.h"

#include "windows/colours.h"

class QAction;
class QMenu;

// A window of the sequence: its fixed dialog frame, its background, its
// File and Help menus and the handlers every such window has.
class SequenceWindow : public forms::Form
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 6690;
    static constexpr int ClientHeight = 5940;

    SequenceWindow(flow::PageId page, const QString &title);

    void Form_Load() override;
    void Form_Unload() override;
    void Exit_Click();
    void about_Click();

    [[nodiscard]] flow::PageId page() const { return m_page; }

protected:
    // The captions the windows' buttons share.
    [[nodiscard]] static QString exitCaption();
    [[nodiscard]] static QString nextCaption();

    QMenu *File = nullptr;
    QAction *Exit = nullptr;
    QMenu *Help = nullptr;
    QAction *About = nullptr;

private:
    flow::PageId m_page;
};
