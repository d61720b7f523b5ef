// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/derived.h"

#include "calc/operating_point.h"

#include <algorithm>
#include <cmath>

WeatherDensity AirDensityFromWeather(std::int32_t temperature, std::int32_t pressure,
                                     std::int32_t humidity)
{
    // Every whole number involved is exact in double, so are P and T.
    return AirDensityFromMeasurement(temperature, 100.0 * static_cast<double>(pressure), humidity);
}

WeatherDensity AirDensityFromMeasurement(double temperature, double pascal, double humidity)
{
    WeatherDensity result;
    const double absolute = temperature + 273.0;
    if (pascal == 0.0) {
        result.refusal = Refusal::WeatherPressure;
        return result;
    }
    if (absolute == 0.0) {
        result.refusal = Refusal::WeatherTemperature;
        return result;
    }

    const double t = temperature;
    const double x = 0.071470785 * t - 0.0002334875 * t * t;
    const double saturation = 613.23918 * std::exp(x);
    const double denominator = 1.0 - 0.00378 * humidity * saturation / pascal;
    if (denominator == 0.0) {
        result.refusal = Refusal::WeatherHumidity;
        return result;
    }
    const double gasConstant = 287.04 / denominator;
    const double density = pascal / (absolute * gasConstant);
    if (density > 0.0 && std::isfinite(density)) {
        result.density = density;
    } else if (pascal < 0.0) {
        result.refusal = Refusal::WeatherPressure;
    } else if (absolute < 0.0) {
        result.refusal = Refusal::WeatherTemperature;
    } else if (!(denominator > 0.0)) {
        result.refusal = Refusal::WeatherHumidity;
    } else {
        result.refusal = Refusal::WeatherDensity;
    }
    return result;
}

double CircleArea(double diameter)
{
    return kPi * diameter * diameter * 0.25;
}

double EquivalentDiameter(double sideA, double sideB)
{
    return 2.0 * sideA * sideB / (sideA + sideB);
}

double BuildingDuctLength(std::int32_t storeys, double storeyHeight)
{
    return static_cast<double>(storeys) * storeyHeight;
}

const std::array<DuctMaterial, 6> kDuctMaterials = {{
    {"Rura stalowa ocynkowana czysta", 1.8, "   Rodzaj materiału: rura stalowa ocynkowana czysta"},
    {"Nowa rura odlewana, blacha stalowa, gładki cement ", 2.5,
     "   Rodzaj materiału: nowa rura odlewana, blacha stalowa, gładki cement "},
    {"Zwyczajnie ocynkowana rura stalowa", 3.0,
     "   Rodzaj materiału: zwyczajnie ocynkowana rura stalowa"},
    {"Stara rura stalowa zardzewiała", 5.0, "   Rodzaj materiału: stara rura stalowa zardzewiała"},
    {"Surowy cement lub deski", 7.5, "   Rodzaj materiału: surowy cement lub deski "},
    {"Cegła", 10.0, "   Rodzaj materiału: cegła"},
}};

const std::array<HallInlet, 3> kHallInlets = {{
    {"Z kołnierzem", 0.5, " wlocie ostrokrawędziowym z kołnierzem."},
    {"Bez kołnierza", 1.0, " wlocie ostrokrawędziowym bez kołnierza."},
    {"Zaokrąglony", 0.1, " wlocie zaokrąglonym."},
}};

// clang-format off
const std::array<AdjustableGrille, 5> kAdjustableGrilles = {{
    {"KTV 75/80", 0.046, {35.6161, -10.2791, 1.21962, -0.06343, 0.001197}},
    {"KTV 100",   0.07,  {40.5829, -9.92083, 1.08037, -0.05447, 0.001021}},
    {"KTV 125",   0.096, {89.352,  -13.289,  0.735112, -0.0141,  0.0}},
    {"KTV 160",   0.115, {153.971, -30.2484, 2.38995, -0.08547, 0.001142}},
    {"KTV 200",   0.163, {171.713, -51.7115, 6.24028, -0.330387, 0.0063225}},
}};
// clang-format on

std::int32_t LimitOpening(std::int32_t turns)
{
    return std::clamp(turns, std::int32_t{0}, kLargestOpening);
}

double GrilleLossCoefficient(const AdjustableGrille& grille, std::int32_t opening)
{
    const double n = opening;
    const double* c = grille.c;
    return (((c[4] * n + c[3]) * n + c[2]) * n + c[1]) * n + c[0];
}
