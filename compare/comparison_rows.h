// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/operating_point.h"
#include "calc/program_texts.h"
#include "calc/selection.h"
#include "calc/stack_draught.h"
#include "files/csv.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rows of the comparison table: all catalogue models on the inputs of one
// state, the texts of their cells, their sort order and their CSV text, as the
// comparison window, its printout and its CSV file show them. Plain C++; the
// numbers themselves come from calc/comparison.

// The columns, left to right.
enum ComparisonColumn : int {
    kColumnNumber,      // "Nr"
    kColumnName,        // "Wywietrznik"
    kColumnFlow,        // "Q [m3/s]"
    kColumnFlowPerHour, // "Qh [m3/h]"
    kColumnSuction,     // "DPsw [Pa]"
    kColumnVelocity,    // "c [m/s]"
    kColumnDiameter,    // "Dn [m]"
    kColumnDuctFit,     // "Dn wobec D": DuctFitText
    kColumnReachesNeed, // "Qh wym.": "tak" or "nie" when a needed flow is set
    kColumnNeedWind,    // "v dla Qh wym. [m/s]": WindRangesText
    kComparisonColumnCount,
    // With a year of weather, after the others: kYearShareHeader, YearShareCell.
    kColumnYearShare = kComparisonColumnCount,
    kTableColumnCount, // the columns of the window's table, the year's included
};

// The columns that a printout or CSV file shows: the need's two only when a
// needed flow is set, the year's only when `year` (HasYearShares).
std::vector<int> ComparisonColumns(bool needSet, bool year = false);

// The header of a column.
std::string_view ComparisonHeader(int column);

// One model of the comparison.
struct ComparisonRow {
    int number = 0;                    // 1..27, the catalogue row
    std::string_view name;             // the caption of the ventilator choice
    OperatingPoint point;              // on the inputs of the state
    double nominalDiameter = 0.0;      // Dn [m]
    DuctFit fit = DuctFit::Equal;      // Dn against the duct's D
    double neededFlowPerHour = 0.0;    // the need [m3/h]; 0: none set
    double needWind = -1.0;            // LowestWind of windRanges; negative: none
    std::vector<WindRange> windRanges; // the winds that reach the need
    int windSteps = 0;                 // NeedWindSteps of the current wind
    bool suggested = false;            // SuggestVentilator's choice
    // With the gravity draught, StackNotes: the other stable states and, where
    // it differs, the report's own result.
    std::vector<std::string> notes{};
    // With a year of weather: the share of its hours (or of the time) that
    // meet the need, 0..1; negative without one.
    double yearShare = -1.0;

    bool HasPoint() const { return point.status == OperatingPointStatus::Found; }
    bool NeedSet() const { return neededFlowPerHour > 0.0; }
    bool Reaches() const { return ReachesNeed(point, neededFlowPerHour); }
};

// The column that a year of weather adds, after the others, where a row has
// its share: the share in per cent with two decimals.
inline constexpr const char* kYearShareHeader = "Godziny spełnienia [%]";
bool HasYearShares(const std::vector<ComparisonRow>& rows);
std::string YearShareCell(const ComparisonRow& row);

// The need-wind sweeps (NeedWindFlows) of all models, kept while the state
// and the draught stay the same: a need typed then costs no new operating
// points.
class NeedWindCache {
public:
    const std::vector<double>& Flows(const CalcState& state, const StackConditions* stack,
                                     int number);

private:
    bool valid_ = false;
    CalcState state_{};
    std::optional<StackConditions> stack_;
    std::array<std::vector<double>, kVentilatorCount> flows_;
    std::array<bool, kVentilatorCount> swept_{};
};

// The 27 models in catalogue order, by the wind alone or, given `stack`, by
// the wind and the gravity draught together, judged against a needed flow
// [m3/h] (0: none). A cache, when given, keeps the sweeps for the next call.
std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state,
                                               const StackConditions* stack = nullptr,
                                               double neededFlowPerHour = 0.0,
                                               NeedWindCache* cache = nullptr);

// What the numbers of a comparison are computed for.
struct ComparisonConditions {
    double windSpeed = 0.0;               // v [m/s]
    std::optional<StackConditions> stack; // the gravity draught, when on
    double stackPressure = 0.0;           // its dps [Pa]
    double neededFlowPerHour = 0.0;       // 0: none
    int suggested = 0;                    // the suggested model; 0: none
    std::string suggestion;               // SuggestionText; empty without a need
    // With a year of weather: what its column is computed for, after the rest.
    std::vector<std::string> yearLines{};
};
ComparisonConditions ConditionsOf(const CalcState& state, const StackConditions* stack,
                                  const std::vector<ComparisonRow>& rows);

// The conditions as lines in the report's formats, for a printout or the
// Polish CSV: "Prędkość wiatru = 4.00 [m/s]", with the draught "Ciąg
// grawitacyjny: ti = 20.0 [°C], te = 12.0 [°C], H = 5.00 [m], Δps = 0.9410 [Pa]",
// with a need "Wymagana wydajność Qh = 100.0 [m3/h]" and the suggestion, then
// the yearLines.
std::vector<std::string> ConditionLines(const ComparisonConditions& conditions);

// The rows as candidates of SuggestVentilator.
std::vector<Candidate> ComparisonCandidates(const std::vector<ComparisonRow>& rows);

// The text of a cell in the report's formats: Q is the report's FlowPerHour
// through FlowPerSecond with "%1.4f", Qh, DPsw and c "%1.4f". A model without
// an operating point shows kNoOperatingPointText in the Q column and nothing
// in the other value columns.
std::string ComparisonCell(const ComparisonRow& row, int column);

// The cell "v dla Qh wym." as the window and the printout show it: at most
// two runs of WindRangesText. Where more runs alternate (the chosen operating
// point switches back and forth between branches), the main run, the one up
// to the end of the search or else the longest, and the band of the others
// in words: "≥ 14.4 (12.9–14.4 zależnie od punktu pracy)". The CSV and the
// tooltip give every run (WindRangesText).
std::string NeedWindShortText(const std::vector<WindRange>& ranges, int steps);

// The text of a cell as the window and the printout show it: ComparisonCell,
// with " – proponowany" after the suggested model's name and NeedWindShortText
// in "v dla Qh wym.".
std::string ComparisonShownCell(const ComparisonRow& row, int column);

// The tooltip of "v dla Qh wym." with a need set: "Wymagana wydajność
// osiągana przy v [m/s]: " and every run; empty without a need.
std::string NeedWindTip(const ComparisonRow& row);

// The value by which a numeric column sorts; none when the row has none.
std::optional<double> ComparisonValue(const ComparisonRow& row, int column);

// The order of the rows (positions into `rows`) sorted by a column. The
// numeric columns sort by value and put the models without an operating
// point last in either direction; equal values keep the catalogue order.
std::vector<int> SortedComparisonOrder(const std::vector<ComparisonRow>& rows, int column,
                                       bool descending);

// The comparison as CSV: UTF-8, the form's separator between fields and its
// decimal mark in numbers, CRLF line ends; fields quoted as every CSV of
// the program is (CsvField). Rows in the order given,
// the columns of ComparisonColumns.
// The plain form is one table: after the columns, every row repeats the
// conditions ("v [m/s]", with the draught "ti [°C]", "te [°C]", "H [m]",
// "Δps [Pa]", with a need "Qh wym. [m3/h]" and "Proponowany": "tak" on the
// suggested row). The Polish form begins with a byte order mark and the
// ConditionLines, one a line, then a blank line and the table.
std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                          const ComparisonConditions& conditions, CsvForm form = CsvForm::Plain);

// The comparison as text, as the command line prints it: the ConditionLines,
// a blank line, then the table with a tab between columns, the columns of
// ComparisonColumns and, with a need, "Proponowany" ("tak" on the suggested
// row). Rows in the order given.
std::string ComparisonText(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                           const ComparisonConditions& conditions);
