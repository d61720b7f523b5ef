// SPDX-License-Identifier: GPL-3.0-or-later
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
    case kColumnYearShare:
        return kYearShareHeader;
    default:
        return {};
    }
}

std::vector<int> ComparisonColumns(bool needSet, bool year)
{
    std::vector<int> columns;
    for (int column = 0; column < kComparisonColumnCount; ++column) {
        if (needSet || (column != kColumnReachesNeed && column != kColumnNeedWind))
            columns.push_back(column);
    }
    if (year)
        columns.push_back(kColumnYearShare);
    return columns;
}

namespace {

bool SameStack(const std::optional<StackConditions>& kept, const StackConditions* stack)
{
    if (!kept || stack == nullptr)
        return !kept && stack == nullptr;
    return kept->inside == stack->inside && kept->outside == stack->outside &&
           kept->height == stack->height;
}

} // namespace

const std::vector<double>& NeedWindCache::Flows(const CalcState& state,
                                                const StackConditions* stack, int number)
{
    if (!valid_ || !(state_ == state) || !SameStack(stack_, stack)) {
        valid_ = true;
        state_ = state;
        stack_ = stack != nullptr ? std::optional(*stack) : std::nullopt;
        swept_.fill(false);
    }
    const auto at = static_cast<std::size_t>(number - 1);
    if (!swept_[at]) {
        flows_[at] = NeedWindFlows(state, LookUpVentilator(number), stack);
        swept_[at] = true;
    }
    return flows_[at];
}

std::vector<ComparisonRow> BuildComparisonRows(const CalcState& state, const StackConditions* stack,
                                               double neededFlowPerHour, NeedWindCache* cache)
{
    const double need = neededFlowPerHour > 0.0 ? neededFlowPerHour : 0.0;
    std::vector<ComparisonRow> rows;
    rows.reserve(kVentilatorCatalogue.size());
    NeedWindCache local;
    for (std::size_t i = 0; i < kVentilatorCatalogue.size(); ++i) {
        const VentilatorModel& model = kVentilatorCatalogue[i];
        const int number = static_cast<int>(i) + 1;
        ComparisonRow row;
        row.number = number;
        row.name = VentilatorCaption(number);
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
        row.windSteps = NeedWindSteps(state.WindSpeed);
        if (need > 0.0) {
            row.windRanges = WindsReachingNeed(
                (cache != nullptr ? *cache : local).Flows(state, stack, number), need);
            row.needWind = LowestWind(row.windRanges);
        }
        rows.push_back(row);
    }
    const int suggested = SuggestVentilator(ComparisonCandidates(rows), need);
    for (ComparisonRow& row : rows)
        row.suggested = row.number == suggested;
    return rows;
}

ComparisonConditions ConditionsOf(const CalcState& state, const StackConditions* stack,
                                  const std::vector<ComparisonRow>& rows)
{
    ComparisonConditions conditions;
    conditions.windSpeed = state.WindSpeed;
    if (stack != nullptr) {
        conditions.stack = *stack;
        conditions.stackPressure = StackPressure(*stack);
    }
    for (const ComparisonRow& row : rows) {
        conditions.neededFlowPerHour = row.neededFlowPerHour;
        if (row.suggested)
            conditions.suggested = row.number;
    }
    conditions.suggestion =
        SuggestionText(ComparisonCandidates(rows), conditions.neededFlowPerHour, state.WindSpeed);
    return conditions;
}

bool HasYearShares(const std::vector<ComparisonRow>& rows)
{
    return std::any_of(rows.begin(), rows.end(),
                       [](const ComparisonRow& row) { return row.yearShare >= 0.0; });
}

std::string YearShareCell(const ComparisonRow& row)
{
    return row.yearShare >= 0.0 ? FormatFixed(100.0 * row.yearShare, 2) : std::string();
}

std::vector<std::string> ConditionLines(const ComparisonConditions& c)
{
    std::vector<std::string> lines{"Prędkość wiatru = " + FormatFixed(c.windSpeed, 2) + " [m/s]"};
    if (c.stack)
        lines.push_back("Ciąg grawitacyjny: ti = " + FormatFixed(c.stack->inside, 1) +
                        " [°C], te = " + FormatFixed(c.stack->outside, 1) +
                        " [°C], H = " + FormatFixed(c.stack->height, 2) +
                        " [m], Δps = " + FormatFixed(c.stackPressure, 4) + " [Pa]");
    if (c.stack && !AmbientPressureLine(c.stack->pressure).empty())
        lines.push_back(AmbientPressureLine(c.stack->pressure));
    if (c.neededFlowPerHour > 0.0)
        lines.push_back("Wymagana wydajność Qh = " + FormatFixed(c.neededFlowPerHour, 1) +
                        " [m3/h]");
    if (!c.suggestion.empty())
        lines.push_back(c.suggestion);
    lines.insert(lines.end(), c.yearLines.begin(), c.yearLines.end());
    return lines;
}

std::vector<Candidate> ComparisonCandidates(const std::vector<ComparisonRow>& rows)
{
    std::vector<Candidate> candidates;
    candidates.reserve(rows.size());
    for (const ComparisonRow& row : rows)
        candidates.push_back({row.number, row.point, row.needWind});
    return candidates;
}

std::optional<double> ComparisonValue(const ComparisonRow& row, int column)
{
    if (column == kColumnDiameter)
        return row.nominalDiameter;
    if (column == kColumnDuctFit)
        return static_cast<double>(row.fit);
    if (column == kColumnNeedWind)
        return row.needWind >= 0.0 ? std::optional(row.needWind) : std::nullopt;
    if (column == kColumnReachesNeed)
        return row.NeedSet() ? std::optional(row.Reaches() ? 1.0 : 0.0) : std::nullopt;
    if (column == kColumnYearShare)
        return row.yearShare >= 0.0 ? std::optional(100.0 * row.yearShare) : std::nullopt;
    if (!row.HasPoint())
        return std::nullopt;
    switch (column) {
    case kColumnFlow:
        return FlowPerSecond(row.point.flowPerHour);
    case kColumnFlowPerHour:
        return row.point.flowPerHour;
    case kColumnSuction:
        return row.point.ventilatorSuction;
    case kColumnVelocity:
        return row.point.ductVelocity;
    default:
        return std::nullopt;
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
        return !row.NeedSet() ? "" : WindRangesText(row.windRanges, row.windSteps);
    if (column == kColumnYearShare)
        return YearShareCell(row);
    if (!row.HasPoint())
        return column == kColumnFlow ? kNoOperatingPointText : "";
    const std::optional<double> value = ComparisonValue(row, column);
    return value ? FormatFixed(*value, 4) : "";
}

namespace {

std::string WindText(int step)
{
    return FormatFixed(step * kNeedWindStep, 1);
}

} // namespace

std::string NeedWindShortText(const std::vector<WindRange>& ranges, int steps)
{
    if (ranges.size() <= 2)
        return WindRangesText(ranges, steps);
    // The main run: the one up to the end of the search, else the longest
    // (the later of equals).
    std::size_t main = ranges.size() - 1;
    if (ranges.back().last < steps) {
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            if (ranges[i].last - ranges[i].first >= ranges[main].last - ranges[main].first)
                main = i;
        }
    }
    // The band of the other runs, up to the main run on the side where they lie.
    int from = main > 0 ? ranges.front().first : ranges[main].last;
    int to = main + 1 < ranges.size() ? ranges.back().last : ranges[main].first;
    if (main > 0 && main + 1 < ranges.size()) {
        from = ranges.front().first;
        to = ranges.back().last;
    }
    return WindRangesText({ranges[main]}, steps) + " (" + WindText(from) + "–" + WindText(to) +
           " zależnie od punktu pracy)";
}

std::string ComparisonShownCell(const ComparisonRow& row, int column)
{
    if (column == kColumnName && row.suggested)
        return std::string(row.name) + " – proponowany";
    if (column == kColumnNeedWind && row.NeedSet())
        return NeedWindShortText(row.windRanges, row.windSteps);
    return ComparisonCell(row, column);
}

std::string NeedWindTip(const ComparisonRow& row)
{
    if (!row.NeedSet())
        return {};
    if (row.windRanges.empty())
        return "Wymaganej wydajności model nie osiąga przy żadnej prędkości wiatru do " +
               WindText(row.windSteps) + " m/s.";
    return "Wymagana wydajność osiągana przy v [m/s]: " +
           WindRangesText(row.windRanges, row.windSteps);
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
        const std::optional<double> va = ComparisonValue(ra, column);
        const std::optional<double> vb = ComparisonValue(rb, column);
        if (va.has_value() != vb.has_value())
            return va.has_value(); // a row with a value before one without, in either direction
        if (!va || *va == *vb)
            return byNumber(a, b);
        return descending ? *vb < *va : *va < *vb;
    };
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

namespace {

// A numeric cell with the decimal comma of the Polish form.
std::string PolishCell(const ComparisonRow& row, int column)
{
    std::string text = ComparisonCell(row, column);
    if (column != kColumnNumber && column != kColumnName && column != kColumnDuctFit &&
        column != kColumnReachesNeed && ComparisonValue(row, column)) {
        for (char& ch : text) {
            if (ch == '.')
                ch = ',';
        }
    }
    return text;
}

} // namespace

namespace {

// The headers and values of the plain form's condition columns.
std::vector<std::pair<std::string, std::string>> ConditionColumns(const ComparisonConditions& c)
{
    std::vector<std::pair<std::string, std::string>> columns{
        {"v [m/s]", FormatFixed(c.windSpeed, 2)}};
    if (c.stack) {
        columns.emplace_back("ti [°C]", FormatFixed(c.stack->inside, 1));
        columns.emplace_back("te [°C]", FormatFixed(c.stack->outside, 1));
        columns.emplace_back("H [m]", FormatFixed(c.stack->height, 2));
        columns.emplace_back("Δps [Pa]", FormatFixed(c.stackPressure, 4));
    }
    if (c.neededFlowPerHour > 0.0) {
        columns.emplace_back("Qh wym. [m3/h]", FormatFixed(c.neededFlowPerHour, 1));
        columns.emplace_back("Proponowany", "");
    }
    return columns;
}

} // namespace

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                          const ComparisonConditions& conditions, CsvForm form)
{
    const bool inPolish = form == CsvForm::Polish;
    const char separator = CsvSeparator(form);
    const std::vector<int> columns =
        ComparisonColumns(conditions.neededFlowPerHour > 0.0, HasYearShares(rows));
    const auto extra = inPolish ? std::vector<std::pair<std::string, std::string>>{}
                                : ConditionColumns(conditions);
    std::string csv(inPolish ? kCsvByteOrderMark : "");
    if (inPolish) {
        for (const std::string& line : ConditionLines(conditions))
            csv += CsvField(line, separator) + "\r\n";
        csv += "\r\n";
    }
    auto line = [&](auto&& cell, auto&& condition) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                csv += separator;
            csv += CsvField(cell(columns[i]), separator);
        }
        for (const auto& column : extra)
            csv += separator + CsvField(condition(column), separator);
        csv += "\r\n";
    };
    line([](int column) { return std::string(ComparisonHeader(column)); },
         [](const auto& column) { return column.first; });
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        const ComparisonRow& row = rows[static_cast<std::size_t>(position)];
        line(
            [&](int column) {
                return inPolish ? PolishCell(row, column) : ComparisonCell(row, column);
            },
            [&](const auto& column) {
                if (column.first == "Proponowany")
                    return std::string(row.suggested ? "tak" : "");
                return column.second;
            });
    }
    return csv;
}

std::string ComparisonText(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                           const ComparisonConditions& conditions)
{
    const bool needSet = conditions.neededFlowPerHour > 0.0;
    std::string text;
    for (const std::string& line : ConditionLines(conditions))
        text += line + "\n";
    text += "\n";
    const std::vector<int> columns = ComparisonColumns(needSet, HasYearShares(rows));
    for (std::size_t i = 0; i < columns.size(); ++i)
        text += (i > 0 ? "\t" : "") + std::string(ComparisonHeader(columns[i]));
    text += needSet ? "\tProponowany\n" : "\n";
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        const ComparisonRow& row = rows[static_cast<std::size_t>(position)];
        for (std::size_t i = 0; i < columns.size(); ++i)
            text += (i > 0 ? "\t" : "") + ComparisonCell(row, columns[i]);
        if (needSet)
            text += row.suggested ? "\ttak" : "\t";
        text += "\n";
    }
    return text;
}
