#pragma once

#include "calc/schedule.h"

#include <string>
#include <vector>

// The schedule of exhaust ducts as a table of texts, shared by the window, the
// printout, the CSV files and the command line. Plain C++.

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
    Verdict,
    Note,
};
inline constexpr int kScheduleColumnCount = 16;

// The column's header, with its unit.
std::string ScheduleHeader(ScheduleColumn column);

// The cell's text; numbers with a decimal point.
std::string ScheduleCell(const ScheduleRow& row, const RowResult& result, ScheduleColumn column);

// The conditions of the building, one line each: air, wind, storeys, draught.
std::vector<std::string> ScheduleConditionLines(const ScheduleBuilding& building);

// The table and the summary as text: tab-separated, a header line first.
std::string ScheduleText(const Schedule& schedule, const ScheduleResult& result);

// The table as CSV: UTF-8, CRLF line ends, a header line; a field with a
// blank, separator, quote or line break is quoted (quotes doubled). The plain
// form separates with commas and keeps the decimal point; the Polish one
// begins with a byte order mark, separates with semicolons and writes numbers
// with a decimal comma (a point between two digits; a full stop stays).
std::string ScheduleCsv(const Schedule& schedule, const ScheduleResult& result, bool polish);
