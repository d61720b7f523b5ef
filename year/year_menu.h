// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QMenu;
class QWidget;
class YearWindow;

// The year window's place in the main window: the menu item "Praca w ciągu
// roku…", which shows the window that `window` gives with the current
// ventilator and duct (`before` runs first: it gives the window the weather
// dialog's pressure).
void AddYearItem(QWidget* mainWindow, QMenu* menu, const std::function<YearWindow&()>& window,
                 const std::function<void(YearWindow&)>& before);

// Shows the window above the others, refreshed.
void ShowYearWindow(YearWindow& window);
