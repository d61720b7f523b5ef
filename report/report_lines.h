// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"

#include <string>
#include <vector>

// One line of the results report: its vertical slot and its complete text
// (UTF-8). A target turns the row into a position.
struct ReportLine {
    int row = 0;
    std::string text;
    bool operator==(const ReportLine&) const = default;
};

enum class ReportVariant {
    Screen,  // drawn on the main window
    Printer, // sent to the printer: six prefixes differ, the material row moves
};

// The ordered lines of the report of the state. Tests neither ResultsShown nor
// ResultsPrintable: the gates belong to the callers.
std::vector<ReportLine> BuildReport(const CalcState& state, ReportVariant variant);

// Q [m3/s] as the report shows it: FlowPerHour times the reciprocal of 3600
// held in extended precision, rounded to double.
double FlowPerSecond(double flowPerHour);
