// SPDX-License-Identifier: GPL-3.0-or-later
//
// A top-level window of the program: its fixed frame, menu bar and client
// area, given in twips, and its handlers, which run only while it takes
// input. A subclass builds its controls in its constructor; Form_Load and
// Form_Unload are its event handlers.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace forms {

class ClientArea;

enum class Frame {
    FixedDialog, // title bar with close box, no minimize or maximize, fixed size
    FixedTool, // narrow tool-window title bar, fixed size, not in the task bar
};

class Form : public QDialog
{
    Q_OBJECT

public:
    explicit Form(const QString &name, Frame frame);

    virtual void Form_Load() { }
    virtual void Form_Unload() { }

    // Controls live in the client area, below the menu bar if there is one.
    [[nodiscard]] QWidget *clientArea() const;
    void setClientSize(int widthTwips, int heightTwips);
    void setBackground(const QColor &colour);
    QMenu *addMenu(const QString &objectName, const QString &caption);
    QAction *addMenuItem(QMenu *menu, const QString &objectName, const QString &caption);

    // Outer size in twips, frame included, and placement of the outer
    // top-left corner.
    [[nodiscard]] double outerWidth() const;
    [[nodiscard]] double outerHeight() const;
    void moveTo(double leftTwips, double topTwips);
    // Runs placement (which reads the outer size and moves the window) now,
    // and again with the real frame once the window manager has framed the
    // window (see keepPlaced).
    void placeBy(std::function<void()> placement);

    // Enables or disables the whole window, menus included; enabling gives
    // the focus back to the control that had it.
    void setFormEnabled(bool enabled);
    // Disables the window until it is enabled again, for the sake of
    // another window: any attempt to use this one meanwhile (a click, a key,
    // the window manager activating it) brings that one back in front of
    // it, restored and focused, as a modal window would be.
    void disableFor(Form &front);
    // Shows the window, restored if minimized, raised and focused.
    void bringToFront();

    // The window is going: from now on its handlers do not run, and a close
    // request it receives is passed on (see closeRequested).
    void setUnloading() { m_unloading = true; }
    [[nodiscard]] bool isUnloading() const { return m_unloading; }
    // Whether the window's controls may act: it is not going, it is
    // enabled, and the program has not ended.
    [[nodiscard]] bool takesInput() const;

    // Connects a control's signal to one of the window's handlers, which
    // then runs only while the window takes input. Qt can deliver a click
    // late: a button's Alt shortcut clicks it about 100 ms after the key,
    // when its window may be disabled or already gone.
    template <typename Sender, typename Signal, typename Window>
    void bind(Sender *sender, Signal signal, void (Window::*handler)())
    {
        connect(sender, signal, this, [this, handler] {
            if (takesInput())
                (static_cast<Window *>(this)->*handler)();
        });
    }

signals:
    // The user or the window manager asked to close the window while it
    // takes input, or while it is going (as when Alt+F4 comes just after
    // Next): whoever loaded it decides what that means.
    void closeRequested();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // No window has a cancel button: Escape, and anything else that would
    // reject a dialog, leaves the window as it is. Only its own handlers
    // decide when it goes.
    void reject() override { }

private:
    void giveFirstFocus();

    ClientArea *m_client = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QPointer<QWidget> m_lastFocus;
    // The control that takes the focus once the window is active, while the
    // window itself holds it.
    QPointer<QWidget> m_firstFocus;
    // The window this one is disabled for, if any.
    QPointer<Form> m_front;
    bool m_unloading = false;
};

} // namespace forms
