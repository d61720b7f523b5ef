// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/operating_point.h"

#include "calc/operating_point_fast.h"
#include "calc/scan_selection.h"

#include <array>
#include <cmath>

namespace {

// Beyond this the characteristic of the fastest trial flow is treated as out of
// range; every value the scan meets then stays far inside the range of double.
constexpr double kLargestCharacteristic = 1e200;

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

} // namespace

double TransitionLoss(double nominalDiameter, double ductDiameter)
{
    const double x = nominalDiameter / ductDiameter;
    const double x2 = x * x;
    if (nominalDiameter >= ductDiameter) // ventilator at least as wide as the duct
        return ((0.0131917 * x2 - 0.138865) * x2 + 0.598253) * x2 - 0.47258;
    return (((-40.7329 * x2 + 92.941) * x2 - 60.9139) * x2 + 2.37875) * x2 + 6.29349;
}

double FrictionTerm(double roughness, double ductDiameter)
{
    return 1e-2 * std::pow(roughness, 0.314) * std::pow(ductDiameter, -1.314);
}

Refusal CheckInputs(const CalcState& s)
{
    const bool hall = s.IsHall;
    if (!AllFinite({s.AirDensity, s.WindSpeed, s.DuctRoughness, s.DuctArea, s.DuctDiameter,
                    s.DuctLength, s.LossCoefficient}) ||
        (!hall && !std::isfinite(s.GrilleArea)))
        return Refusal::NonFiniteInput;
    if (!(s.DuctDiameter > 0.0))
        return Refusal::DuctDiameter;
    if (!(s.DuctArea > 0.0))
        return Refusal::DuctArea;
    if (!(s.AirDensity > 0.0))
        return Refusal::AirDensity;
    if (!hall && s.GrilleArea == 0.0)
        return Refusal::GrilleArea;
    return Refusal::None;
}

PreparedAirPath PrepareAirPath(const CalcState& s, const VentilatorModel& model)
{
    PreparedAirPath prepared;
    prepared.refusal = CheckInputs(s);
    if (prepared.refusal != Refusal::None)
        return prepared;

    const double area = s.DuctArea;
    const double transition = TransitionLoss(model.NominalDiameter, s.DuctDiameter);
    const double ventilatorArea = kPi * model.NominalDiameter * model.NominalDiameter * 0.25;
    const double friction = FrictionTerm(s.DuctRoughness, s.DuctDiameter);
    // The only difference between a hall and a building: the inlet loss refers
    // to the duct area in a hall and to the storey grille's area in a building.
    const double inlet = s.IsHall ? s.LossCoefficient / (area * area)
                                  : s.LossCoefficient / (s.GrilleArea * s.GrilleArea);
    const double resistance = model.VentilatorLoss / (ventilatorArea * ventilatorArea) +
                              (friction + transition) * s.DuctLength / (area * area) + inlet;
    if (!(resistance > 0.0) || !std::isfinite(resistance)) {
        prepared.refusal = Refusal::Resistance;
        return prepared;
    }

    AirPath& path = prepared.path;
    path.windSpeed = s.WindSpeed;
    path.windPressure = 0.6 * s.WindSpeed * s.WindSpeed;
    path.resistance = resistance;
    path.resistanceDensity = resistance * s.AirDensity;
    path.ductArea = area;
    path.coef[0] = model.Coef0;
    path.coef[1] = model.Coef1;
    path.coef[2] = model.Coef2;
    path.coef[3] = model.Coef3;

    // The fastest trial flow is the first one; every other is slower.
    const double top = TrialVelocity(path, kScanStart);
    const double bound = std::fabs(path.coef[0]) + std::fabs(path.coef[1]) * top +
                         std::fabs(path.coef[2]) * top * top +
                         std::fabs(path.coef[3]) * top * top * top;
    if (!std::isfinite(top) || !(bound <= kLargestCharacteristic))
        prepared.refusal = Refusal::OutOfRange;
    return prepared;
}

namespace {

// Every 512th trial coefficient, made by the same repeated addition at compile
// time (IEEE double addition, rounded to nearest, as at run time).
constexpr std::size_t kCheckpointSpacing = 512;
constexpr std::size_t kCheckpointCount =
    (kTrialCount + kCheckpointSpacing - 1) / kCheckpointSpacing;

constexpr std::array<double, kCheckpointCount + 1> MakeCheckpoints()
{
    std::array<double, kCheckpointCount + 1> checkpoints{};
    double trial = kScanStart;
    for (std::size_t c = 0; c <= kCheckpointCount; ++c) {
        checkpoints[c] = trial;
        for (std::size_t step = 0; step < kCheckpointSpacing; ++step)
            trial += kScanStep;
    }
    return checkpoints;
}

constexpr std::array<double, kCheckpointCount + 1> kCheckpoints = MakeCheckpoints();

constexpr double TrialAt(std::size_t index)
{
    double trial = kCheckpoints[index / kCheckpointSpacing];
    for (std::size_t step = index % kCheckpointSpacing; step > 0; --step)
        trial += kScanStep;
    return trial;
}

// The scan runs while K <= -0.005: exactly kTrialCount values.
static_assert(TrialAt(kTrialCount - 1) <= kScanEnd && TrialAt(kTrialCount) > kScanEnd);

} // namespace

double TrialCoefficient(std::size_t index)
{
    return TrialAt(index);
}

ScanMatch ScanReference(const AirPath& path)
{
    ScanSelection selection;
    selection.Visit(path, 0, kTrialCount - 1);
    return selection.Match();
}

namespace {

double FlowOf(const AirPath& path, double matched)
{
    return std::sqrt(-2.0 * matched * path.windPressure / path.resistanceDensity);
}

} // namespace

OperatingPoint OperatingPointFromMatch(const AirPath& path, const ScanMatch& match)
{
    OperatingPoint point;
    const double matched = match.matched;
    const double flow = FlowOf(path, matched);
    point.matched = matched;
    point.flowPerHour = flow * 3600.0;
    point.ventilatorSuction = -0.6 * path.windSpeed * path.windSpeed * matched;
    point.ductVelocity = flow / path.ductArea;
    // The scan runs from the fastest flow to the slowest: reversed, by rising flow.
    point.count = match.count;
    for (std::size_t i = 0; i < match.count; ++i)
        point.flowsPerHour[match.count - 1 - i] = FlowOf(path, match.matches[i]) * 3600.0;
    point.chosen = match.count - 1 - match.chosen;
    if (AllFinite({point.flowPerHour, point.ventilatorSuction, point.ductVelocity})) {
        point.status = OperatingPointStatus::Found;
    } else {
        point = OperatingPoint{};
        point.status = OperatingPointStatus::Refused;
        point.refusal = Refusal::OutOfRange;
    }
    return point;
}

OperatingPoint EvaluateOperatingPoint(const CalcState& state, const VentilatorModel& model)
{
    const PreparedAirPath prepared = PrepareAirPath(state, model);
    if (prepared.refusal != Refusal::None) {
        OperatingPoint refused;
        refused.status = OperatingPointStatus::Refused;
        refused.refusal = prepared.refusal;
        return refused;
    }
    const ScanMatch match = ScanFast(prepared.path);
    if (!match.found)
        return OperatingPoint{};
    return OperatingPointFromMatch(prepared.path, match);
}

OperatingPoint ComputeOperatingPoint(CalcState& state, const VentilatorModel& model)
{
    const OperatingPoint point = EvaluateOperatingPoint(state, model);
    if (point.status == OperatingPointStatus::Found)
        WriteResults(state, point);
    return point;
}

void WriteResults(CalcState& state, const OperatingPoint& point)
{
    state.FlowPerHour = point.flowPerHour;
    state.VentilatorSuction = point.ventilatorSuction;
    state.DuctVelocity = point.ductVelocity;
    state.ResultsPrintable = true;
    state.ResultsShown = true;
}
