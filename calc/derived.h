// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/refusal.h"

#include <array>
#include <cstdint>
#include <string_view>

// The values that the input dialogs derive from what the user typed.

// Air density from temperature t [°C], barometric pressure p [hPa] and relative
// humidity phi [%], all whole numbers:
//   P = 100 p, x = 0.071470785 t - 0.0002334875 t t, ps = 613.23918 e^x,
//   R = 287.04 / (1 - 0.00378 phi ps / P), T = t + 273, Ro = P / (T R).
// P and T are integers, computed in 64 bits so that no typed value overflows.
struct WeatherDensity {
    Refusal refusal = Refusal::None; // why the formula gives no density
    double density = 0.0;            // Ro [kg/m3] when refusal is None
};
WeatherDensity AirDensityFromWeather(std::int32_t temperature, std::int32_t pressure,
                                     std::int32_t humidity);

// The same formula on measured values that need not be whole: t [°C],
// P [Pa] and phi [%], T = t + 273. On whole t, P = 100 p and phi it gives
// the density above bit for bit.
WeatherDensity AirDensityFromMeasurement(double temperature, double pascal, double humidity);

// Area of a circle of diameter d: ((pi d) d) 0.25 [m2], for a duct and a grille.
double CircleArea(double diameter);

// Equivalent (hydraulic) diameter of a rectangular duct: (2 a) b / (a + b).
// Undefined when a + b is 0; the caller refuses that case.
double EquivalentDiameter(double sideA, double sideB);

// Height of a building: storeys x storey height.
double BuildingDuctLength(std::int32_t storeys, double storeyHeight);

// One of the six duct materials and its roughness on the program's own scale.
// The report names the material of the roughness held by exact equality.
struct DuctMaterial {
    std::string_view caption; // as the material dialog shows it
    double roughness;
    std::string_view reportText; // its line in the report
};
extern const std::array<DuctMaterial, 6> kDuctMaterials;

// One of the three hall inlets and its loss coefficient.
// The report names the inlet of the loss coefficient held by exact equality.
struct HallInlet {
    std::string_view caption; // as the hall dialog shows it
    double lossCoefficient;
    std::string_view reportText; // the end of the report's hall line
};
extern const std::array<HallInlet, 3> kHallInlets;

// One of the five adjustable grilles: its diameter and the coefficients of its
// loss coefficient zeta(n) = c0 + c1 n + c2 n^2 + c3 n^3 + c4 n^4 over the
// opening n in turns of its disc.
struct AdjustableGrille {
    std::string_view name;
    double diameter; // [m]
    double c[5];
};
extern const std::array<AdjustableGrille, 5> kAdjustableGrilles;

inline constexpr std::int32_t kLargestOpening = 20;

// The opening limited to 0..20 turns.
std::int32_t LimitOpening(std::int32_t turns);

// zeta(n) of a grille by Horner's rule from the highest coefficient.
double GrilleLossCoefficient(const AdjustableGrille& grille, std::int32_t opening);
