#include "operating_point.h"

#include "operating_point_fast.h"

#include <cmath>
#include <limits>

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
    const bool hall = s.IsHall == 1;
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
    const double inlet = s.IsHall == 1 ? s.LossCoefficient / (area * area)
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

const std::vector<double>& TrialCoefficients()
{
    static const std::vector<double> trials = [] {
        std::vector<double> k;
        k.reserve(545'001);
        for (double trial = kScanStart; trial <= kScanEnd; trial += kScanStep)
            k.push_back(trial);
        return k;
    }();
    return trials;
}

ScanMatch ScanReference(const AirPath& path)
{
    double best = 1.0;
    ScanMatch match;

    // A steep crossing: the best point beside a change of sign of K - Cp.
    bool crossed = false;
    double crossingBest = std::numeric_limits<double>::infinity();
    double crossingMatch = 0.0;
    double previousDifference = std::numeric_limits<double>::quiet_NaN();
    double previousCharacteristic = 0.0;

    for (double trial = kScanStart; trial <= kScanEnd; trial += kScanStep) {
        const double characteristic = TrialCharacteristic(path, trial);
        const double difference = trial - characteristic;
        const double distance = std::fabs(difference);
        if (distance <= kScanTolerance && distance < best) {
            match.matched = characteristic;
            match.found = true;
            best = distance;
        }
        if ((previousDifference < 0.0 && difference > 0.0) ||
            (previousDifference > 0.0 && difference < 0.0)) {
            if (std::fabs(previousDifference) < crossingBest) {
                crossingBest = std::fabs(previousDifference);
                crossingMatch = previousCharacteristic;
                crossed = true;
            }
            if (distance < crossingBest) {
                crossingBest = distance;
                crossingMatch = characteristic;
                crossed = true;
            }
        }
        previousDifference = difference;
        previousCharacteristic = characteristic;
    }

    if (!match.found && crossed && crossingMatch < 0.0) {
        match.found = true;
        match.matched = crossingMatch;
    }
    return match;
}

OperatingPoint OperatingPointFromMatch(const AirPath& path, double matched)
{
    OperatingPoint point;
    const double flow = std::sqrt(-2.0 * matched * path.windPressure / path.resistanceDensity);
    point.matched = matched;
    point.flowPerHour = flow * 3600.0;
    point.ventilatorSuction = -0.6 * path.windSpeed * path.windSpeed * matched;
    point.ductVelocity = flow / path.ductArea;
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
    return OperatingPointFromMatch(prepared.path, match.matched);
}

OperatingPoint ComputeOperatingPoint(CalcState& state, const VentilatorModel& model)
{
    const OperatingPoint point = EvaluateOperatingPoint(state, model);
    if (point.status == OperatingPointStatus::Found) {
        state.FlowPerHour = point.flowPerHour;
        state.VentilatorSuction = point.ventilatorSuction;
        state.DuctVelocity = point.ductVelocity;
        state.ResultsPrintable = 1;
        state.ResultsShown = 1;
    }
    return point;
}
