#pragma once

#include "calc/calc_state.h"
#include "calc/operating_point.h"
#include "calc/selection.h"
#include "calc/stack_draught.h"
#include "files/csv.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The rows of the comparison table: all catalogue models on the inputs of one
// state, the texts of their cells, their sort order and their CSV text, as the
// comparison window, its printout and its CSV file show them. Plain C++; the
// numbers themselves come from calc/comparison.

inline constexpr const char* kNoOperatingPointText = "brak punktu pracy";

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
    kColumnNeedWind,    // "v dla Qh wym. [m/s]": LowestWindForNeed "%1.1f", or "–"
    kComparisonColumnCount,
};

// The columns that a printout or CSV file shows: the need's two only when a
// needed flow is set.
std::vector<int> ComparisonColumns(bool needSet);

// The header of a column.
std::string_view ComparisonHeader(int column);

// One model of the comparison.
struct ComparisonRow {
    int number = 0;                 // 1..27, the catalogue row
    std::string_view name;          // the catalogue name
    OperatingPoint point;           // on the inputs of the state
    double nominalDiameter = 0.0;   // Dn [m]
    DuctFit fit = DuctFit::Equal;   // Dn against the duct's D
    double neededFlowPerHour = 0.0; // the need [m3/h]; 0: none set
    double needWind = -1.0;         // LowestWindForNeed; negative: none
    bool suggested = false;         // SuggestVentilator's choice
    // With the gravity draught, StackNotes: the other stable states and, where
    // it differs, the report's own result.
    std::vector<std::string> notes{};

    bool HasPoint() const { return point.status == OperatingPointStatus::Found; }
    bool NeedSet() const { return neededFlowPerHour > 0.0; }
    bool Reaches() const { return ReachesNeed(point, neededFlowPerHour); }
};

// The 27 models in catalogue order, by the wind alone or, given `stack`, by
// the wind and the gravity draught together, judged against a needed flow
// [m3/h] (0: none).
std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state,
                                               const StackConditions* stack = nullptr,
                                               double neededFlowPerHour = 0.0);

// The rows as candidates of SuggestVentilator.
std::vector<Candidate> ComparisonCandidates(const std::vector<ComparisonRow>& rows);

// The text of a cell in the report's formats: Q is the report's FlowPerHour
// through FlowPerSecond with "%1.4f", Qh, DPsw and c "%1.4f". A model without
// an operating point shows kNoOperatingPointText in the Q column and nothing
// in the other value columns.
std::string ComparisonCell(const ComparisonRow& row, int column);

// The value by which a numeric column sorts; false when the row has none.
bool ComparisonValue(const ComparisonRow& row, int column, double& value);

// The order of the rows (positions into `rows`) sorted by a column. The
// numeric columns sort by value and put the models without an operating
// point last in either direction; equal values keep the catalogue order.
std::vector<int> SortedComparisonOrder(const std::vector<ComparisonRow>& rows, int column,
                                       bool descending);

// The two forms of a CSV file.
enum class CsvForm {
    Plain,  // comma-separated, decimal point
    Polish, // semicolon-separated, decimal comma: what a Polish spreadsheet opens
};

// The comparison as CSV: UTF-8 (the Polish form begins with a byte order
// mark), a header line, the form's separator between
// fields and its decimal mark in numbers, CRLF line ends; fields quoted as
// every CSV of the program is (CsvField). Rows in
// the order given, the columns of ComparisonColumns.
std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                          CsvForm form = CsvForm::Plain);
