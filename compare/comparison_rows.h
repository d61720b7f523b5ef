#pragma once

#include "calc/calc_state.h"
#include "calc/operating_point.h"
#include "calc/stack_draught.h"

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
    kComparisonColumnCount,
};

// The header of a column.
std::string_view ComparisonHeader(int column);

// One model of the comparison.
struct ComparisonRow {
    int number = 0;        // 1..27, the catalogue row
    std::string_view name; // the catalogue name
    OperatingPoint point;  // on the inputs of the state

    bool HasPoint() const { return point.status == OperatingPointStatus::Found; }
};

// The 27 models in catalogue order.
std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state,
                                               const StackConditions* stack = nullptr);

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

// The comparison as CSV: UTF-8, a header line, comma-separated fields, a
// decimal point, CRLF line ends; a field with a blank, comma, quote or line
// break is quoted (quotes doubled). Rows in the order given.
std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order);

// One CSV field, quoted where needed.
std::string CsvField(std::string_view text);
