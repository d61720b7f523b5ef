#pragma once

#include "calc/schedule.h"

#include <optional>

class QMenu;
class QWidget;

// The schedule's place in the main window: the menu item
// "Zestawienie przewodów…", which opens the window (made once, on first use),
// and the schedule that saving and opening a calculation carry.
void AddScheduleItem(QWidget* mainWindow, QMenu* menu);

// The schedule of the main window's schedule window, when it holds a duct.
std::optional<Schedule> ScheduleOf(QWidget* mainWindow);

// Puts the schedule of an opened calculation into the window (an empty one
// when the file holds none).
void RestoreSchedule(QWidget* mainWindow, const std::optional<Schedule>& schedule);
