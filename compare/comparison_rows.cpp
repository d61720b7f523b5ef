#include "compare/comparison_rows.h"

#include "calc/catalogue.h"
#include "calc/comparison.h"
#include "calc/number_format.h"
#include "report/report_lines.h"

#include <algorithm>
#include <numeric>

std::string_view ComparisonHeader(int column)
{
    switch (column) {
    case kColumnNumber:
        return "Nr";
    case kColumnName:
        return "Wywietrznik";
    case kColumnFlow:
        return "Q [m3/s]";
    case kColumnFlowPerHour:
        return "Qh [m3/h]";
    case kColumnSuction:
        return "DPsw [Pa]";
    case kColumnVelocity:
        return "c [m/s]";
    default:
        return {};
    }
}

std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state, const StackConditions* stack)
{
    const auto points = EvaluateAllVentilators(state, stack);
    std::vector<ComparisonRow> rows;
    rows.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        rows.push_back({static_cast<int>(i) + 1, VentilatorCatalogue[i].Name, points[i]});
    return rows;
}

bool ComparisonValue(const ComparisonRow& row, int column, double& value)
{
    if (!row.HasPoint())
        return false;
    switch (column) {
    case kColumnFlow:
        value = FlowPerSecond(row.point.flowPerHour);
        return true;
    case kColumnFlowPerHour:
        value = row.point.flowPerHour;
        return true;
    case kColumnSuction:
        value = row.point.ventilatorSuction;
        return true;
    case kColumnVelocity:
        value = row.point.ductVelocity;
        return true;
    default:
        return false;
    }
}

std::string ComparisonCell(const ComparisonRow& row, int column)
{
    if (column == kColumnNumber)
        return FormatWhole(row.number);
    if (column == kColumnName)
        return std::string(row.name);
    if (!row.HasPoint())
        return column == kColumnFlow ? kNoOperatingPointText : "";
    double value = 0.0;
    return ComparisonValue(row, column, value) ? FormatFixed(value, 4) : "";
}

std::vector<int> SortedComparisonOrder(const std::vector<ComparisonRow>& rows, int column,
                                       bool descending)
{
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    auto byNumber = [&](int a, int b) { return rows[a].number < rows[b].number; };
    auto less = [&](int a, int b) {
        const ComparisonRow& ra = rows[static_cast<std::size_t>(a)];
        const ComparisonRow& rb = rows[static_cast<std::size_t>(b)];
        if (column == kColumnNumber)
            return descending ? rb.number < ra.number : ra.number < rb.number;
        if (column == kColumnName) {
            if (ra.name == rb.name)
                return byNumber(a, b);
            return descending ? rb.name < ra.name : ra.name < rb.name;
        }
        double va = 0.0;
        double vb = 0.0;
        const bool ha = ComparisonValue(ra, column, va);
        const bool hb = ComparisonValue(rb, column, vb);
        if (ha != hb)
            return ha; // a row with a value before one without, in either direction
        if (!ha || va == vb)
            return byNumber(a, b);
        return descending ? vb < va : va < vb;
    };
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(" ,\"\r\n\t") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order)
{
    std::string csv;
    for (int column = 0; column < kComparisonColumnCount; ++column) {
        if (column > 0)
            csv += ',';
        csv += CsvField(ComparisonHeader(column));
    }
    csv += "\r\n";
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        const ComparisonRow& row = rows[static_cast<std::size_t>(position)];
        for (int column = 0; column < kComparisonColumnCount; ++column) {
            if (column > 0)
                csv += ',';
            csv += CsvField(ComparisonCell(row, column));
        }
        csv += "\r\n";
    }
    return csv;
}
