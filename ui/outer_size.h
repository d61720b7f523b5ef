#pragma once

#include <QSize>

class QWidget;

// Gives a resizable top-level window an outer size, frame and title bar
// included: once the window system has framed the window, its client area is
// made the outer size less the frame. This happens when the window is first
// shown in the normal state and every time it returns to the normal state
// from maximised or full screen. Without a frame (no window manager) the
// client area keeps the size it has.
void KeepOuterSize(QWidget* window, QSize outer);
