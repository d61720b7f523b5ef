// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "files/csv.h"
#include "files/workbook.h"

#include <string>

// The schedule of exhaust ducts as the files carry it: every value in a
// column of its own (the duct's kind and sizes, the grille's kind, sizes and
// ζ, the ventilator's number and caption, pf by condition), numbers as
// numbers. The CSV files and the XLSX workbook share these cells; the
// window's table and the printout keep their own columns (schedule_table.h).
// Plain C++.

// The ducts: a header with the units, then a row of cells per duct, the
// texts with a decimal point; "NIE SPEŁNIA" and "ciąg wsteczny" are alarms.
WorkbookTable ScheduleExportTable(const Schedule& schedule, const ScheduleResult& result);

// The conditions of the building, one column each, as the plain CSV repeats
// them on every row: "Ro [kg/m3]" (typed, or computed from the weather),
// "t [°C]", "p [hPa]", "φ [%]" (from the weather only), "v [m/s]", "N",
// "h [m]", "ti [°C]", "te [°C]", "Warunki oceny".
WorkbookTable ScheduleConditionColumns(const ScheduleBuilding& building);

// What the printout has above its table: its title and the condition lines.
std::vector<std::string> ScheduleHeadLines(const ScheduleBuilding& building);

// The schedule as CSV: UTF-8, CRLF line ends; a field with a separator or a
// quote is quoted (quotes doubled). The plain form is one table, commas and
// a decimal point, the conditions as the last columns of every row. The
// Polish one carries what the printout carries: a byte order mark, the title
// and the condition lines, a blank line, the table (semicolons, numbers with
// a decimal comma), a blank line and the summary with the bill.
std::string ScheduleCsv(const Schedule& schedule, const ScheduleResult& result, CsvForm form);

// The workbook: "Założenia" (the title and the condition lines), "Przewody"
// (the table) and "Podsumowanie" (the bill as a table: "Nr", "Wywietrznik",
// "Liczba [szt.]", "Przewody"; then the summary lines).
Workbook ScheduleWorkbook(const Schedule& schedule, const ScheduleResult& result);
