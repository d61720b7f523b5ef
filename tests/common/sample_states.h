// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/derived.h"

// Calculation states that the tests share.

// The inputs of a hall with a round duct, as the dialogs would write them.
inline CalcState HallState(double diameter, double length, double inletLoss, double density,
                           double wind, double roughness = 1.8)
{
    CalcState s;
    s.DuctRound = true;
    s.DuctDiameter = diameter;
    s.DuctArea = CircleArea(diameter);
    s.DuctLength = length;
    s.DuctRoughness = roughness;
    s.LossCoefficient = inletLoss;
    s.AirDensity = density;
    s.WindSpeed = wind;
    s.IsHall = true;
    return s;
}

// The same duct and ventilator in a building of 5 storeys of 3 m with a grille
// of 0.2 m by 0.2 m and a loss coefficient of 15.
inline CalcState BuildingState()
{
    CalcState s = HallState(0.16, 15.0, 15.0, 1.2, 4.0);
    s.IsHall = false;
    s.InstallationType = Installation::BuildingRectangular;
    s.StoreyCount = 5;
    s.StoreyHeight = 3.0;
    s.GrilleSizeA = 0.2;
    s.GrilleSizeB = 0.2;
    s.GrilleArea = 0.2 * 0.2;
    return s;
}

// A finished calculation of a hall with a round duct: 13 report lines.
inline CalcState HallRoundDuct()
{
    CalcState s;
    s.VentilatorName = "KALMO-160";
    s.AirDensity = 1.2;
    s.WindSpeed = 4.0;
    s.DuctRound = true;
    s.DuctDiameter = 0.16;
    s.DuctRoughness = 1.8;
    s.IsHall = true;
    s.DuctLength = 5.0;
    s.LossCoefficient = 0.5;
    s.FlowPerHour = 1800.0;
    s.VentilatorSuction = 3.7752;
    s.DuctVelocity = 2.1191;
    s.ResultsShown = true;
    s.ResultsPrintable = true;
    return s;
}

// A finished calculation of a building of 5 storeys of 3 m with a rectangular
// duct and grille: 18 report lines, the lowest on row 19.
inline CalcState BuildingRectangular()
{
    CalcState s = HallRoundDuct();
    s.DuctRound = false;
    s.DuctSideA = 0.2;
    s.DuctSideB = 0.3;
    s.DuctDiameter = 0.24;
    s.IsHall = false;
    s.InstallationType = Installation::BuildingRectangular;
    s.StoreyCount = 5;
    s.StoreyHeight = 3.0;
    s.GrilleSizeA = 0.2;
    s.GrilleSizeB = 0.25;
    s.LossCoefficient = 15.0;
    return s;
}
