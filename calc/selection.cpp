#include "calc/selection.h"

#include "calc/comparison.h"
#include "calc/field_conversion.h"
#include "calc/number_format.h"

#include <cmath>

double NeededFlowFromField(std::string_view text)
{
    const double value = ConvertFieldReal(text);
    return value > 0.0 && std::isfinite(value) ? value : 0.0;
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

double LowestWindForNeed(const CalcState& state, const VentilatorModel& model,
                         double neededFlowPerHour, const StackConditions* stack)
{
    if (!(neededFlowPerHour > 0.0))
        return -1.0;
    CalcState copy = state;
    for (int i = 0; i <= kNeedWindSteps; ++i) {
        copy.WindSpeed = i / 10.0;
        if (ReachesNeed(EvaluatePoint(copy, model, stack), neededFlowPerHour))
            return copy.WindSpeed;
    }
    return -1.0;
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
            text += " Najsłabszego wiatru potrzebuje " +
                    std::string(LookUpVentilator(earliest->number).Name) + " (nr " +
                    FormatWhole(earliest->number) + "): v = " + FormatFixed(earliest->needWind, 1) +
                    " m/s.";
        return text;
    }
    double flow = 0.0;
    for (const Candidate& candidate : candidates) {
        if (candidate.number == suggested)
            flow = candidate.point.flowPerHour;
    }
    const VentilatorModel& model = LookUpVentilator(suggested);
    return "Proponowany: " + std::string(model.Name) + " (nr " + FormatWhole(suggested) +
           ") – spośród modeli osiągających " + need + " przy wietrze v = " + wind +
           " ma najmniejszą średnicę Dn = " + FormatFixed(model.NominalDiameter, 3) +
           " m, a przy niej najmniejszą wydajność Qh = " + FormatFixed(flow, 4) + " m3/h.";
}
