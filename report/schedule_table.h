// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"

#include <string>
#include <vector>

// The schedule of exhaust ducts as a table of texts, shared by the window, the
// printout, the text of the command line and the files (schedule_export.h).
// Plain C++.

enum class ScheduleColumn {
    Label,
    Storey,
    Flat,
    Room,
    Need,
    Duct,
    Material,
    Grille,
    Ventilator,
    Length,
    Calm,
    Wind,
    WindStack,
    Underpressure,
    YearShare,
    Verdict,
    Note,
};
inline constexpr int kScheduleColumnCount = 17;

// The column's header, with its unit.
std::string ScheduleHeader(ScheduleColumn column);

// The cell's text; numbers with a decimal point.
std::string ScheduleCell(const ScheduleRow& row, const RowResult& result, ScheduleColumn column);

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
