// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/inputs.h"
#include "calc/operating_point.h"

// Calculation states as the input dialogs write them, for the comparison tests.

// A hall with a round duct, steel pipe (k = 1.8) and an inlet with a collar
// (zeta = 0.5), as the wizard leaves it before the ventilator is chosen.
inline CalcState HallState(double density, double wind, double diameter, double length,
                           double inletLoss = 0.5)
{
    CalcState state;
    ResetCalcState(state);
    state.DensityEntered = true;
    ApplyTypedAir(state, density, wind);
    state.DuctRound = true;
    ApplyRoundDuct(state, diameter);
    state.DuctRoughness = kDuctMaterials[0].roughness;
    state.InstallationType = Installation::Hall;
    state.IsHall = true;
    ApplyHall(state, length, inletLoss);
    return state;
}

// The same duct in a building of 5 storeys of 3 m with a 0.2 m x 0.2 m grille
// of zeta = 15.
inline CalcState BuildingState(double wind)
{
    CalcState state = HallState(1.2, wind, 0.16, 0.0);
    state.IsHall = false;
    state.InstallationType = Installation::BuildingRectangular;
    ApplyStoreys(state, 3.0, 5);
    ApplyRectangularGrille(state, 0.2, 0.2, 15.0);
    return state;
}

// The state after a confirmed choice of model `index` that found its point.
inline CalcState ChosenState(CalcState state, int index)
{
    state.VentilatorIndex = index;
    state.VentilatorName = LookUpVentilator(index).Name;
    ComputeOperatingPoint(state, LookUpVentilator(index));
    return state;
}
