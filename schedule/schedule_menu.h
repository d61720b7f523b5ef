// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"

#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QWidget;
class ScheduleWindow;

// The schedule's place in the main window: the menu item "Zestawienie
// przewodów…", which shows the window that `window` gives.
void AddScheduleItem(QWidget* mainWindow, QMenu* menu,
                     const std::function<ScheduleWindow&()>& window);

// Shows the schedule window above the others.
void ShowScheduleWindow(ScheduleWindow& window);

// The schedule of the window, when it holds a duct.
std::optional<Schedule> ScheduleOf(const ScheduleWindow& window);

// The texts the window refuses, which a calculation file cannot keep: the
// building's fields, then "Wiersz 3: kolumna „Średnica D [m]”: …", one a
// line; empty when there is none.
QString RefusedEntries(const ScheduleWindow& window);

// Puts the schedule of an opened calculation into the window (an empty one
// when the file holds none) and shows the window when the file holds one.
void RestoreSchedule(ScheduleWindow& window, const std::optional<Schedule>& schedule);
