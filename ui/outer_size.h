// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

// The frame and title bar of a resizable window on the platform the window
// sizes were designed on; a window manager here may frame it thicker, and the
// client area keeps the designed room all the same.
inline constexpr QSize kOriginalResizableFrame{8, 27};

// The client area of a resizable window designed with this outer size.
QSize ClientSize(QSize outer);

// Resizes a large top-level window to `wanted`, but to no more than the free
// area of its screen less a frame, so that the whole window is on a small
// display too; its content then scrolls (ScrollingArea).
void ResizeWithinScreen(QWidget* window, QSize wanted);

// `content` in a frameless scroll area that gives it all the room there is
// and scroll bars only where the window is smaller than the content needs.
QScrollArea* ScrollingArea(QWidget* content);

// Gives a resizable top-level window the client area of a designed outer
// size (ClientSize): when the window is first shown in the normal state and
// every time it returns to the normal state from maximised or full screen.
void KeepOuterSize(QWidget* window, QSize outer);
