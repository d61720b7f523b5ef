// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "calc/schedule_cells.h"

#include <array>
#include <string>
#include <vector>

// The schedule of exhaust ducts as a table of texts, shared by the window, the
// printout, the text of the command line and the files (schedule_export.h).
// Plain C++.

// The columns of the table, in their order: the sheet's columns (the one list
// of the schedule's columns, calc/schedule_cells.h), the duct's two sizes as
// one column (Diameter: "Ø0.160" or "0.140×0.270") and the grille's kind,
// size and loss as one (GrilleKind).
inline constexpr std::array kScheduleColumns = {
    SheetColumn::Label,     SheetColumn::Storey,        SheetColumn::Flat,
    SheetColumn::Room,      SheetColumn::Need,          SheetColumn::Diameter,
    SheetColumn::Material,  SheetColumn::GrilleKind,    SheetColumn::Ventilator,
    SheetColumn::Length,    SheetColumn::Calm,          SheetColumn::Wind,
    SheetColumn::WindStack, SheetColumn::Underpressure, SheetColumn::YearShare,
    SheetColumn::Verdict,   SheetColumn::Note,
};
inline constexpr int kScheduleColumnCount = static_cast<int>(kScheduleColumns.size());

// The column's header, with its unit; the duct's and the grille's columns
// all have the header of their one column.
std::string ScheduleHeader(SheetColumn column);

// The cell's text; numbers with a decimal point. Each of the duct's and the
// grille's columns gives the text of their one column.
std::string ScheduleCell(const ScheduleRow& row, const RowResult& result, SheetColumn column);

// Qh [m3/h] of the row's model under a condition, "brak" without an
// operating point, "–" without a model or with wrong data.
std::string ScheduleFlowText(const RowResult& result, ScheduleCondition condition);
// pf [Pa] of the row's flat under a condition; "–" in an open room, without a
// model or where the flat has no balance.
std::string ScheduleUnderpressureText(const ScheduleRow& row, const RowResult& result,
                                      ScheduleCondition condition);

// The share of the period in which the row meets its need on the year
// condition, in percent ("87.50"); "–" on the other conditions or without one.
std::string ScheduleYearShareText(const RowResult& result);

// The conditions of the building, one line each: air, wind, storeys, draught.
std::vector<std::string> ScheduleConditionLines(const ScheduleBuilding& building);

// The table and the summary as text: tab-separated, a header line first.
std::string ScheduleText(const Schedule& schedule, const ScheduleResult& result);
