// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

struct CalcState;
class QMenu;
class QWidget;
class YearWindow;

// The year window's place in the main window: the window over the main
// window's calculation, and the menu item "Praca w ciągu roku…", which shows
// it with the current ventilator and duct (`before` runs first: it gives the
// window the weather dialog's pressure). `edited` runs on every change the
// user makes there that a calculation file keeps.
YearWindow& AddYearWindow(QWidget* mainWindow, QMenu* menu, const CalcState& state,
                          const std::function<void(YearWindow&)>& before,
                          const std::function<void()>& edited);

// Shows the window above the others, refreshed.
void ShowYearWindow(YearWindow& window);
