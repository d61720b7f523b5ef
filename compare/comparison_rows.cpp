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
    case kColumnDiameter:
        return "Dn [m]";
    case kColumnDuctFit:
        return "Dn wobec D";
    case kColumnReachesNeed:
        return "Qh wym.";
    case kColumnNeedWind:
        return "v dla Qh wym. [m/s]";
    default:
        return {};
    }
}

std::vector<int> ComparisonColumns(bool needSet)
{
    std::vector<int> columns;
    for (int column = 0; column < kComparisonColumnCount; ++column) {
        if (needSet || (column != kColumnReachesNeed && column != kColumnNeedWind))
            columns.push_back(column);
    }
    return columns;
}

std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state, const StackConditions* stack,
                                               double neededFlowPerHour)
{
    const double need = neededFlowPerHour > 0.0 ? neededFlowPerHour : 0.0;
    std::vector<ComparisonRow> rows;
    rows.reserve(VentilatorCatalogue.size());
    for (std::size_t i = 0; i < VentilatorCatalogue.size(); ++i) {
        const VentilatorModel& model = VentilatorCatalogue[i];
        ComparisonRow row{static_cast<int>(i) + 1, model.Name, {}};
        if (stack) {
            const StackPoint point = EvaluateStackPoint(state, model, *stack);
            row.point = AsOperatingPoint(point);
            row.notes = StackNotes(point);
            // Beside other states, why none is reached from rest.
            if (!row.notes.empty() && point.status != StackStatus::Found)
                row.notes.insert(row.notes.begin(), std::string(StackReason(point)));
        } else {
            row.point = EvaluateOperatingPoint(state, model);
        }
        row.nominalDiameter = model.NominalDiameter;
        row.fit = FitToDuct(model.NominalDiameter, state.DuctDiameter);
        row.neededFlowPerHour = need;
        if (need > 0.0)
            row.needWind = LowestWindForNeed(state, model, need, stack);
        rows.push_back(row);
    }
    const int suggested = SuggestVentilator(ComparisonCandidates(rows), need);
    for (ComparisonRow& row : rows)
        row.suggested = row.number == suggested;
    return rows;
}

std::vector<Candidate> ComparisonCandidates(const std::vector<ComparisonRow>& rows)
{
    std::vector<Candidate> candidates;
    candidates.reserve(rows.size());
    for (const ComparisonRow& row : rows)
        candidates.push_back({row.number, row.point, row.needWind});
    return candidates;
}

bool ComparisonValue(const ComparisonRow& row, int column, double& value)
{
    if (column == kColumnDiameter) {
        value = row.nominalDiameter;
        return true;
    }
    if (column == kColumnDuctFit) {
        value = static_cast<double>(row.fit);
        return true;
    }
    if (column == kColumnNeedWind) {
        value = row.needWind;
        return row.needWind >= 0.0;
    }
    if (column == kColumnReachesNeed) {
        value = row.Reaches() ? 1.0 : 0.0;
        return row.NeedSet();
    }
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
    if (column == kColumnDiameter)
        return FormatFixed(row.nominalDiameter, 3);
    if (column == kColumnDuctFit)
        return std::string(DuctFitText(row.fit));
    if (column == kColumnReachesNeed)
        return row.NeedSet() ? (row.Reaches() ? "tak" : "nie") : "";
    if (column == kColumnNeedWind)
        return !row.NeedSet() ? "" : row.needWind >= 0.0 ? FormatFixed(row.needWind, 1) : "–";
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

namespace {

// A numeric cell with the decimal comma of the Polish form.
std::string PolishCell(const ComparisonRow& row, int column)
{
    std::string text = ComparisonCell(row, column);
    double value = 0.0;
    if (column != kColumnNumber && column != kColumnName && column != kColumnDuctFit &&
        column != kColumnReachesNeed && (ComparisonValue(row, column, value))) {
        for (char& ch : text) {
            if (ch == '.')
                ch = ',';
        }
    }
    return text;
}

} // namespace

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                          CsvForm form)
{
    const char separator = form == CsvForm::Polish ? ';' : ',';
    bool needSet = false;
    for (const ComparisonRow& row : rows)
        needSet = needSet || row.NeedSet();
    const std::vector<int> columns = ComparisonColumns(needSet);
    // The byte order mark tells a spreadsheet that the Polish letters are UTF-8.
    std::string csv = form == CsvForm::Polish ? "\xEF\xBB\xBF" : "";
    auto line = [&](auto&& cell) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                csv += separator;
            csv += CsvField(cell(columns[i]), separator);
        }
        csv += "\r\n";
    };
    line([](int column) { return std::string(ComparisonHeader(column)); });
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        const ComparisonRow& row = rows[static_cast<std::size_t>(position)];
        line([&](int column) {
            return form == CsvForm::Polish ? PolishCell(row, column) : ComparisonCell(row, column);
        });
    }
    return csv;
}
