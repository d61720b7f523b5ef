// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/input_limits.h"

#include "calc/derived.h"
#include "calc/operating_point.h"

#include <cmath>

namespace {

constexpr double kLargestDensity = 5.0;   // [kg/m3]
constexpr double kLargestSize = 1000.0;   // [m]
constexpr double kLargestHumidity = 100;  // [%]
constexpr double kLargestWind = 100.0;    // [m/s]
constexpr double kWarmestOutdoor = 60.0;  // [°C], and -60 the coldest
constexpr double kLargestNeed = 100000.0; // [m3/h]

bool Within(Limited what, double v)
{
    switch (what) {
    case Limited::AirDensity:
        return v > 0.0 && v <= kLargestDensity;
    case Limited::WindSpeed:
        return v >= 0.0 && v <= kLargestWind;
    case Limited::OutdoorTemperature:
        return v >= -kWarmestOutdoor && v <= kWarmestOutdoor;
    case Limited::LossCoefficient:
        return v >= 0.0;
    case Limited::Need:
        return v > 0.0 && v <= kLargestNeed;
    case Limited::StoreyCount:
        return v >= 1.0;
    case Limited::BuildingHeight:
        return v <= kLargestSize;
    case Limited::Humidity:
        return v >= 0.0 && v <= kLargestHumidity;
    case Limited::Pressure:
        return v > 0.0;
    case Limited::DuctSize:
    case Limited::GrilleSize:
    case Limited::DuctLength:
    case Limited::StoreyHeight:
    case Limited::StackHeight:
        break;
    }
    return v > 0.0 && v <= kLargestSize;
}

Refusal ReasonOf(Limited what)
{
    switch (what) {
    case Limited::AirDensity:
        return Refusal::DensityLimit;
    case Limited::WindSpeed:
        return Refusal::WindLimit;
    case Limited::DuctSize:
        return Refusal::DuctSizeLimit;
    case Limited::GrilleSize:
        return Refusal::GrilleSizeLimit;
    case Limited::DuctLength:
        return Refusal::DuctLengthLimit;
    case Limited::StoreyHeight:
        return Refusal::StoreyHeightLimit;
    case Limited::StoreyCount:
        return Refusal::StoreyCountLimit;
    case Limited::BuildingHeight:
        return Refusal::BuildingHeightLimit;
    case Limited::StackHeight:
        return Refusal::StackHeightLimit;
    case Limited::Humidity:
        return Refusal::HumidityLimit;
    case Limited::OutdoorTemperature:
        return Refusal::OutdoorTemperatureLimit;
    case Limited::LossCoefficient:
        return Refusal::LossCoefficientLimit;
    case Limited::Need:
        return Refusal::NeedLimit;
    case Limited::Pressure:
        break;
    }
    return Refusal::WeatherPressure;
}

} // namespace

Refusal CheckLimits(std::initializer_list<LimitedValue> values)
{
    for (const LimitedValue& v : values) {
        if (!std::isfinite(v.value))
            return Refusal::NonFiniteInput;
        if (!Within(v.what, v.value))
            return ReasonOf(v.what);
    }
    return Refusal::None;
}

Refusal CheckStoreyLimits(double storeyHeight, std::int32_t storeys)
{
    return CheckLimits({{Limited::StoreyHeight, storeyHeight},
                        {Limited::StoreyCount, static_cast<double>(storeys)},
                        {Limited::BuildingHeight, BuildingDuctLength(storeys, storeyHeight)}});
}

Refusal CheckStateLimits(const CalcState& s)
{
    Refusal refusal =
        CheckLimits({{Limited::AirDensity, s.AirDensity}, {Limited::WindSpeed, s.WindSpeed}});
    if (refusal == Refusal::None)
        refusal =
            s.DuctRound
                ? CheckLimits({{Limited::DuctSize, s.DuctDiameter}})
                : CheckLimits({{Limited::DuctSize, s.DuctSideA}, {Limited::DuctSize, s.DuctSideB}});
    if (refusal != Refusal::None)
        return refusal;
    if (s.IsHall)
        return CheckLimits(
            {{Limited::DuctLength, s.DuctLength}, {Limited::LossCoefficient, s.LossCoefficient}});
    refusal = CheckLimits({{Limited::StoreyHeight, s.StoreyHeight},
                           {Limited::StoreyCount, static_cast<double>(s.StoreyCount)},
                           {Limited::BuildingHeight, s.DuctLength},
                           {Limited::GrilleSize, s.GrilleSizeA}});
    if (refusal == Refusal::None && s.InstallationType == Installation::BuildingRectangular)
        refusal = CheckLimits({{Limited::GrilleSize, s.GrilleSizeB}});
    // An adjustable grille's zeta follows from its opening: only a typed one is bounded.
    if (refusal == Refusal::None && (s.InstallationType == Installation::BuildingRectangular ||
                                     s.InstallationType == Installation::BuildingRound))
        refusal = CheckLimits({{Limited::LossCoefficient, s.LossCoefficient}});
    return refusal;
}

Refusal CheckCalculationInputs(const CalcState& state)
{
    const Refusal bounds = CheckStateLimits(state);
    return bounds != Refusal::None ? bounds : CheckInputs(state);
}
