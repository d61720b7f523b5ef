// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/comparison.h"

#include <cmath>

OperatingPoint EvaluatePoint(const CalcState& state, const VentilatorModel& model,
                             const StackConditions* stack)
{
    return stack ? AsOperatingPoint(EvaluateStackPoint(state, model, *stack))
                 : EvaluateOperatingPoint(state, model);
}

std::array<OperatingPoint, kVentilatorCount> EvaluateAllVentilators(const CalcState& state,
                                                                    const StackConditions* stack)
{
    std::array<OperatingPoint, kVentilatorCount> points;
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = EvaluatePoint(state, kVentilatorCatalogue[i], stack);
    return points;
}

double AvailableUnderpressure(const AirPath& path, double flow)
{
    return -Characteristic(path, flow / path.ductArea) * path.windPressure;
}

double RequiredPressure(const AirPath& path, double flow)
{
    return path.resistanceDensity * flow * flow / 2.0;
}

namespace {

// Duct velocities searched for the first zero of the characteristic when there
// is no operating flow to scale the curves by.
constexpr double kLargestSearchedVelocity = 30.0;
constexpr double kSearchStep = 0.01;
constexpr double kDefaultVelocity = 10.0;

double FlowLimitWithoutPoint(const AirPath& path)
{
    // The flows that the scan tries run up to that of its first trial
    // coefficient; a little beyond shows the whole range searched.
    const double scanned = TrialVelocity(path, kScanStart) * path.ductArea;
    if (scanned > 0.0 && std::isfinite(scanned))
        return 1.1 * scanned;
    // Calm: up to a little beyond the first zero of the characteristic, where
    // the ventilator would stop drawing.
    for (double c = kSearchStep; c <= kLargestSearchedVelocity; c += kSearchStep) {
        if (Characteristic(path, c) >= 0.0)
            return 1.1 * c * path.ductArea;
    }
    return kDefaultVelocity * path.ductArea;
}

} // namespace

PressureCurves SamplePressureCurves(const CalcState& state, const VentilatorModel& model, int steps,
                                    double flowLimit, const StackConditions* stack)
{
    PressureCurves curves;
    const PreparedAirPath prepared = PrepareAirPath(state, model);
    curves.refusal = prepared.refusal;
    curves.point = EvaluatePoint(state, model, stack);
    const double draught = stack ? StackPressure(*stack) : 0.0;
    if (prepared.refusal != Refusal::None)
        return curves;
    const AirPath& path = prepared.path;

    const bool found = curves.point.status == OperatingPointStatus::Found;
    // The operating flow exactly as the report shows Q: FlowPerHour times the
    // reciprocal of 3600 held in extended precision (FlowPerSecond of the report).
    constexpr long double kReciprocal = 1.0L / 3600.0L;
    const double shownFlow =
        found
            ? static_cast<double>(static_cast<long double>(curves.point.flowPerHour) * kReciprocal)
            : 0.0;
    curves.flowLimit = shownFlow > 0.0 ? 1.5 * shownFlow : FlowLimitWithoutPoint(path);
    if (flowLimit > 0.0 && std::isfinite(flowLimit))
        curves.flowLimit = flowLimit;
    if (!(curves.flowLimit > 0.0) || !std::isfinite(curves.flowLimit))
        curves.flowLimit = kDefaultVelocity * path.ductArea;

    if (steps < 1)
        steps = 1;
    curves.samples.reserve(static_cast<std::size_t>(steps) + 2);
    bool pointPlaced = !(shownFlow > 0.0);
    for (int i = 0; i <= steps; ++i) {
        const double flow = curves.flowLimit * static_cast<double>(i) / steps;
        if (!pointPlaced && flow >= shownFlow) {
            if (flow != shownFlow)
                curves.samples.push_back({shownFlow,
                                          AvailableUnderpressure(path, shownFlow) + draught,
                                          RequiredPressure(path, shownFlow)});
            pointPlaced = true;
        }
        curves.samples.push_back(
            {flow, AvailableUnderpressure(path, flow) + draught, RequiredPressure(path, flow)});
    }
    return curves;
}

std::vector<WindSweepPoint> WindSweep(const CalcState& state, const VentilatorModel& model,
                                      double from, double to, double step,
                                      const StackConditions* stack)
{
    std::vector<WindSweepPoint> sweep;
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step) || !(step > 0.0) ||
        !(to >= from))
        return sweep;
    const double span = (to - from) / step;
    if (!(span <= kWindSweepMaxSteps))
        return sweep;
    const long steps = static_cast<long>(span + 1e-9);
    sweep.reserve(static_cast<std::size_t>(steps) + 1);
    CalcState copy = state;
    for (long i = 0; i <= steps; ++i) {
        copy.WindSpeed = from + static_cast<double>(i) * step;
        sweep.push_back({copy.WindSpeed, EvaluatePoint(copy, model, stack)});
    }
    return sweep;
}
