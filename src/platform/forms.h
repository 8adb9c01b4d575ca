// SPDX-License-Identifier: GPL-3.0-or-later
//
// The forms layer: what Numora's windows need from the toolkit and Qt does
// not give in that shape. Windows are program-wide single instances looked up
// by name, loaded (their Form_Load run) before they show and unloaded (their
// Form_Unload run) before they go; layouts are given in twips; message boxes
// are modal; the program ends at once when asked or when its last window is
// gone. Everything else is plain Qt.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QMenuBar;
class QMessageBox;
class QMenu;
class QAction;
class QScreen;

namespace forms {

// Twips are 1/1440 inch. They are converted with the screen's logical DPI,
// so Qt's high-DPI scaling enlarges a whole window and its fonts together.
[[nodiscard]] int twips(double value);
[[nodiscard]] double toTwips(int pixels);
[[nodiscard]] QRect twipsRect(int left, int top, int width, int height);

// The area below the menu bar that holds a window's controls. It paints its
// background colour itself rather than taking it from a palette of its own:
// the style caches what it draws under the palette's identity, and a palette
// made for each window would add to that cache every time a window opens.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    explicit ClientArea(QWidget *parent);
    void setBackground(const QColor &colour);
    [[nodiscard]] QColor background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
};

// Keeps a purely decorative control, such as the shadow copy of a two-colour
// title, out of what screen readers read.
void hideFromAssistiveTechnology(QWidget *decoration);

enum class Frame {
    FixedDialog, // title bar with close box, no minimize or maximize, fixed size
    FixedTool, // narrow tool-window title bar, fixed size, not in the task bar
};

// A top-level window of the program. A subclass builds its controls in its
// constructor; Form_Load and Form_Unload are its event handlers.
class Form : public QDialog
{
    Q_OBJECT

public:
    explicit Form(const QString &name, Frame frame);
    ~Form() override;

    virtual void Form_Load() { }
    virtual void Form_Unload() { }

    // Controls live in the client area, below the menu bar if there is one.
    [[nodiscard]] QWidget *clientArea() const { return m_client; }
    void setClientSize(int widthTwips, int heightTwips);
    void setBackground(const QColor &colour);
    QMenu *addMenu(const QString &objectName, const QString &caption);
    QAction *addMenuItem(QMenu *menu, const QString &objectName, const QString &caption);

    // Outer size, frame included, and placement of the outer top-left corner.
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

    [[nodiscard]] bool isUnloading() const { return m_unloading; }
    // Whether the window's controls may act: it is loaded, not going, and
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

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    // Frame included; before the window is on screen, from the frame last seen.
    [[nodiscard]] QSize outerSize() const;
    // Takes back a maximize or full screen the window was given.
    void keepItsSize();

    friend void unload(const QString &name);
    friend void endProgram(int status);
    ClientArea *m_client = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QPointer<QWidget> m_lastFocus;
    bool m_unloading = false;
    bool m_watchingMinimize = false;
    // On Wayland: takes the window back to its own size after the
    // compositor offered another.
    QTimer m_ownSize;
    Frame m_frame;
};

// Size in twips of the screen that windows are placed on: the primary one.
[[nodiscard]] double screenWidth();
[[nodiscard]] double screenHeight();

// Keeps a placed top-level window's placement right with the window
// manager's real frame: placement runs now, again when the frame first
// becomes known, and whenever it changes. Message boxes and windows share it.
void keepPlaced(QWidget *window, std::function<void()> placement);

using Factory = std::function<std::unique_ptr<Form>()>;
void registerForm(const QString &name, Factory factory);

// The loaded instance, or nullptr; never loads.
[[nodiscard]] Form *find(const QString &name);
// The instance, loading it (and running its Form_Load) if needed.
Form &load(const QString &name);
// Loads if needed, then shows without modality; returns after Form_Load.
void show(const QString &name);
// Runs Form_Unload, then destroys the window. Ends the program when no
// window is left loaded.
void unload(const QString &name);
[[nodiscard]] int loadedCount();

// Ends the program at once: every window goes without further events. The
// program then exits with status.
void endProgram(int status = 0);
[[nodiscard]] bool hasEnded();
[[nodiscard]] int exitStatus();

// The exit status after an error the program cannot go on from.
inline constexpr int FailureStatus = 70;
// Such an error: says what it was on standard error and in a message box,
// then ends the program with FailureStatus.
void fail(const QString &what);

// A modal message box with the information icon and a single OK button, the
// only kind the program shows; returns once it is dismissed.
void messageBox(const QString &prompt, const QString &title);
// The box that messageBox shows, for those who want to look at it.
[[nodiscard]] std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt,
                                                          const QString &title);

// Where message boxes and the program end go. The program shows a real
// QMessageBox and leaves the event loop; tests record them instead.
struct Host {
    std::function<void(const QString &prompt, const QString &title)> messageBox;
    std::function<void(int status)> end;
};
void setHost(Host host);
// Destroys every loaded window without events and allows a fresh run.
void restart();

} // namespace forms
