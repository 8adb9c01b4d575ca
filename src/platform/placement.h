// SPDX-License-Identifier: GPL-3.0-or-later
//
// Where windows and message boxes go: centred on the primary screen with the
// frame the window manager really draws, and placed again once that frame
// is known, since windows are placed before they are framed.
#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

#include <functional>

class QPoint;
class QWidget;

namespace forms {

// The corner nearest to this one that keeps a window of this outer size
// wholly on a screen of this size where it fits, and its top-left corner
// (with the title bar and menus) on it where it does not.
[[nodiscard]] QPointF keptOnScreen(QPointF corner, QSizeF outer, QSizeF screen);

// The corner that centres a window of this outer size on a screen of this
// size, moved offset right and down, in whatever unit both are given:
// wholly on the screen where the window fits, and where it does not, its
// top-left corner (with the title bar and menus) on it.
[[nodiscard]] QPointF centredCorner(QSizeF outer, QSizeF screen, double offset = 0);

// A top-level window's size with its frame: the real one once it is
// framed, before that the last frame seen on any window.
[[nodiscard]] QSize outerSize(const QWidget *window);

// Moves a top-level window's outer top-left corner, frame included.
void moveFrameTo(QWidget *window, const QPoint &corner);

// Notes the frame of a window on screen, to stand in for the frames of
// windows not yet framed.
void rememberFrame(const QWidget *window);

// Places a window again if its frame has changed: for the window system's
// notice of a changed window property.
void frameMayHaveChanged(QWidget *window);

// Keeps a placed top-level window's placement right with the window
// manager's real frame: placement runs now, again when the frame first
// becomes known, whenever it changes, and when the window's size changes;
// and again when the primary screen changes, unless the user has moved the
// window, which is then only kept on the new screen. Message boxes and
// windows share it. Where the window system places windows itself, nothing.
void keepPlaced(QWidget *window, std::function<void()> placement);

} // namespace forms
