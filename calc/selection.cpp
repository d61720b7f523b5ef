// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/selection.h"

#include "calc/comparison.h"
#include "calc/field_conversion.h"
#include "calc/number_format.h"

#include "calc/strict_number.h"

#include <algorithm>
#include <cmath>

std::optional<double> StrictFieldNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string number(text);
    if (std::count(number.begin(), number.end(), ',') +
            std::count(number.begin(), number.end(), '.') >
        1)
        return std::nullopt;
    std::replace(number.begin(), number.end(), ',', '.');
    return StrictNumber(number);
}

Result<double> ReadNeededFlow(std::string_view text)
{
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return 0.0;
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        return Failure{"Wymagana wydajność „" + std::string(text) +
                       "” nie jest liczbą. Wpisz liczbę, np. 150 lub 150,5."};
    if (!(*value > 0.0))
        return Failure{"Wymagana wydajność musi być większa od zera."};
    return *value;
}

double NeededFlowFromField(std::string_view text)
{
    const Result<double> need = ReadNeededFlow(text);
    return need ? need.Value() : 0.0;
}

bool ReachesNeed(const OperatingPoint& point, double neededFlowPerHour)
{
    return neededFlowPerHour > 0.0 && point.status == OperatingPointStatus::Found &&
           point.flowPerHour >= neededFlowPerHour;
}

DuctFit FitToDuct(double nominalDiameter, double ductDiameter)
{
    if (nominalDiameter == ductDiameter)
        return DuctFit::Equal;
    return nominalDiameter > ductDiameter ? DuctFit::Wider : DuctFit::Narrower;
}

std::string_view DuctFitText(DuctFit fit)
{
    switch (fit) {
    case DuctFit::Narrower:
        return "węższy";
    case DuctFit::Equal:
        return "równy";
    case DuctFit::Wider:
        return "szerszy";
    }
    return {};
}

double NeedWindLimit(double windSpeed)
{
    if (!std::isfinite(windSpeed) || !(1.5 * windSpeed > kNeedWindLeast))
        return kNeedWindLeast;
    const double limit = std::min(1.5 * windSpeed, kNeedWindMost);
    return std::ceil(limit / kNeedWindStep - 1e-9) * kNeedWindStep;
}

int NeedWindSteps(double windSpeed)
{
    return static_cast<int>(std::lround(NeedWindLimit(windSpeed) / kNeedWindStep));
}

std::vector<double> NeedWindFlows(const CalcState& state, const VentilatorModel& model,
                                  const StackConditions* stack)
{
    const int steps = NeedWindSteps(state.WindSpeed);
    std::vector<double> flows;
    flows.reserve(static_cast<std::size_t>(steps) + 1);
    CalcState copy = state;
    for (int i = 0; i <= steps; ++i) {
        copy.WindSpeed = i * kNeedWindStep;
        const OperatingPoint point = EvaluatePoint(copy, model, stack);
        flows.push_back(point.status == OperatingPointStatus::Found ? point.flowPerHour : -1.0);
    }
    return flows;
}

std::vector<WindRange> WindsReachingNeed(const std::vector<double>& flows, double neededFlowPerHour)
{
    std::vector<WindRange> ranges;
    if (!(neededFlowPerHour > 0.0))
        return ranges;
    for (std::size_t i = 0; i < flows.size(); ++i) {
        if (!(flows[i] >= neededFlowPerHour))
            continue;
        const int step = static_cast<int>(i);
        if (!ranges.empty() && ranges.back().last == step - 1)
            ranges.back().last = step;
        else
            ranges.push_back({step, step});
    }
    return ranges;
}

double LowestWind(const std::vector<WindRange>& ranges)
{
    return ranges.empty() ? -1.0 : ranges.front().first * kNeedWindStep;
}

std::string WindRangesText(const std::vector<WindRange>& ranges, int steps)
{
    if (ranges.empty())
        return "–";
    std::string text;
    for (const WindRange& range : ranges) {
        if (!text.empty())
            text += ", ";
        const std::string from = FormatFixed(range.first * kNeedWindStep, 1);
        if (range.last >= steps)
            text += "≥ " + from;
        else if (range.first == range.last)
            text += from;
        else
            text += from + "–" + FormatFixed(range.last * kNeedWindStep, 1);
    }
    return text;
}

int SuggestVentilator(const std::vector<Candidate>& candidates, double neededFlowPerHour)
{
    const Candidate* best = nullptr;
    for (const Candidate& candidate : candidates) {
        if (candidate.number < 1 || candidate.number > kVentilatorCount ||
            !ReachesNeed(candidate.point, neededFlowPerHour))
            continue;
        if (best == nullptr) {
            best = &candidate;
            continue;
        }
        const double dn = LookUpVentilator(candidate.number).NominalDiameter;
        const double bestDn = LookUpVentilator(best->number).NominalDiameter;
        const double qh = candidate.point.flowPerHour;
        const double bestQh = best->point.flowPerHour;
        if (dn < bestDn ||
            (dn == bestDn && (qh < bestQh || (qh == bestQh && candidate.number < best->number))))
            best = &candidate;
    }
    return best == nullptr ? 0 : best->number;
}

std::string SuggestionText(const std::vector<Candidate>& candidates, double neededFlowPerHour,
                           double windSpeed)
{
    if (!(neededFlowPerHour > 0.0))
        return {};
    const std::string need = FormatFixed(neededFlowPerHour, 1) + " m3/h";
    const std::string wind = FormatFixed(windSpeed, 2) + " m/s";
    const int suggested = SuggestVentilator(candidates, neededFlowPerHour);
    if (suggested == 0) {
        std::string text = "Żaden wywietrznik nie osiąga wymaganej wydajności " + need +
                           " przy wietrze v = " + wind + ".";
        const Candidate* earliest = nullptr;
        for (const Candidate& candidate : candidates) {
            if (candidate.number >= 1 && candidate.number <= kVentilatorCount &&
                candidate.needWind >= 0.0 &&
                (earliest == nullptr || candidate.needWind < earliest->needWind))
                earliest = &candidate;
        }
        if (earliest != nullptr)
            text += " Najmniejszej prędkości wiatru wymaga " +
                    std::string(VentilatorCaption(earliest->number)) + " (nr " +
                    FormatWhole(earliest->number) + "): v = " + FormatFixed(earliest->needWind, 1) +
                    " m/s.";
        return text + " Wymagana wydajność wynika z normy: zwiększ przekrój przewodu, zastosuj "
                      "kratkę o mniejszym ζ, zapewnij dopływ powietrza (nawiewniki) albo "
                      "wspomaganie mechaniczne.";
    }
    double flow = 0.0;
    for (const Candidate& candidate : candidates) {
        if (candidate.number == suggested)
            flow = candidate.point.flowPerHour;
    }
    const VentilatorModel& model = LookUpVentilator(suggested);
    return "Proponowany: " + std::string(VentilatorCaption(suggested)) + " (nr " +
           FormatWhole(suggested) + ") – spośród modeli osiągających " + need +
           " przy wietrze v = " + wind +
           " ma najmniejszą średnicę Dn = " + FormatFixed(model.NominalDiameter, 3) +
           " m, a przy niej najmniejszą wydajność Qh = " + FormatFixed(flow, 4) + " m3/h.";
}
