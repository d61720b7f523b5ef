// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/refusal.h"

#include <cstdint>
#include <initializer_list>

// The bounds of what can be built: every front end (the input dialogs, the
// command line, the batch and the calculation files) refuses an input outside
// them with the reason of the quantity, before anything is computed with it.

enum class Limited {
    AirDensity,         // 0 < Ro <= 5 kg/m3
    WindSpeed,          // the design wind: 0 <= v <= 100 m/s
    DuctSize,           // a duct diameter or side: 0 < x <= 1000 m
    GrilleSize,         // a grille's height, width or diameter: 0 < x <= 1000 m
    DuctLength,         // the hall's duct: 0 < L <= 1000 m
    StoreyHeight,       // 0 < H <= 1000 m
    StoreyCount,        // N >= 1
    BuildingHeight,     // N x H <= 1000 m
    StackHeight,        // the gravity draught's height: 0 < H <= 1000 m
    Humidity,           // 0 <= phi <= 100 %
    Pressure,           // p > 0
    OutdoorTemperature, // the weather's and the gravity draught's te: -60 <= t <= 60 °C
    LossCoefficient,    // a typed grille's or a hall inlet's zeta >= 0
    Need,               // a typed need: 0 < Qh <= 100000 m3/h
};

struct LimitedValue {
    Limited what;
    double value;
};

// The first value outside its bounds: NonFiniteInput for a value that is not
// finite, else the reason naming the quantity; None when all are within.
Refusal CheckLimits(std::initializer_list<LimitedValue> values);

// The storeys of a building: their height, their count and the building's
// height N x H.
Refusal CheckStoreyLimits(double storeyHeight, std::int32_t storeys);

// The bounds of the inputs that the operating point of the state uses: the
// air, the duct of DuctRound, and the hall (IsHall) or the building of
// InstallationType with its grille.
Refusal CheckStateLimits(const CalcState& state);

// What every front end refuses before it computes on the state: the bounds
// above, then the undefined inputs of CheckInputs (calc/operating_point.h).
Refusal CheckCalculationInputs(const CalcState& state);
