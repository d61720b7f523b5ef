// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "gui_test_support.h"
#include "sample_states.h"

#include <QWidget>
#include <QWindow>

// The title as the window shows it: Qt puts "*" in place of the "[*]" while
// the window is marked modified and drops it otherwise.
inline QString ShownTitle(QWidget& window)
{
    window.winId(); // the platform window, which carries the shown title
    return window.windowHandle()->title();
}
