// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/inputs.h"

void ApplyDensityMode(CalcState& state, bool typed)
{
    state.DensityEntered = typed;
}

void ApplyTypedAir(CalcState& state, double density, double windSpeed)
{
    state.AirDensity = density;
    state.WindSpeed = windSpeed;
}

void ApplyDuctShape(CalcState& state, bool round)
{
    state.DuctRound = round;
}

void ApplyDuctMaterial(CalcState& state, std::size_t material)
{
    state.DuctRoughness = kDuctMaterials[material].roughness;
}

void ApplyInstallationType(CalcState& state, Installation installation)
{
    state.InstallationType = installation;
}

void ApplyVentilatorIndex(CalcState& state, std::int32_t index)
{
    state.VentilatorIndex = index;
}

void ApplyRoundDuct(CalcState& state, double diameter)
{
    state.DuctDiameter = diameter;
    state.DuctArea = CircleArea(diameter);
}

Refusal ApplyRectangularDuct(CalcState& state, double sideA, double sideB)
{
    if (sideA + sideB == 0.0)
        return Refusal::DuctSides;
    state.DuctSideA = sideA;
    state.DuctSideB = sideB;
    state.DuctDiameter = EquivalentDiameter(sideA, sideB);
    state.DuctArea = CircleArea(state.DuctDiameter);
    return Refusal::None;
}

void ApplyHall(CalcState& state, double ductLength, double inletLoss)
{
    state.DuctLength = ductLength;
    state.LossCoefficient = inletLoss;
}

void ApplyStoreys(CalcState& state, double storeyHeight, std::int32_t storeys)
{
    state.StoreyHeight = storeyHeight;
    state.StoreyCount = storeys;
    state.DuctLength = BuildingDuctLength(storeys, storeyHeight);
}

void ApplyRectangularGrille(CalcState& state, double height, double width, double loss)
{
    state.GrilleSizeA = height;
    state.GrilleSizeB = width;
    state.LossCoefficient = loss;
    state.GrilleArea = height * width;
}

void ApplyRoundGrille(CalcState& state, double diameter, double loss)
{
    state.GrilleSizeA = diameter;
    state.LossCoefficient = loss;
    state.GrilleArea = CircleArea(diameter);
}

void ApplyAdjustableGrille(CalcState& state, const AdjustableGrille& grille, std::int32_t opening)
{
    ApplyRoundGrille(state, grille.diameter, GrilleLossCoefficient(grille, LimitOpening(opening)));
}

void ApplyWizardStart(CalcState& state)
{
    state.IsHall = false;
    state.ResultsShown = false;
    state.ResultsPrintable = false;
}

void ApplyHallConfirmed(CalcState& state)
{
    state.IsHall = true;
}

void ApplyInstallation(CalcState& state, const InstallationInput& in)
{
    ApplyInstallationType(state, in.kind);
    state.IsHall = in.kind == Installation::Hall;
    switch (in.kind) {
    case Installation::Hall:
        ApplyHall(state, in.hallLength,
                  kHallInlets[static_cast<std::size_t>(in.inlet - 1)].lossCoefficient);
        break;
    case Installation::BuildingRectangular:
        ApplyStoreys(state, in.storeyHeight, in.storeys);
        ApplyRectangularGrille(state, in.grilleHeight, in.grilleWidth, in.grilleLoss);
        break;
    case Installation::BuildingRound:
        ApplyStoreys(state, in.storeyHeight, in.storeys);
        ApplyRoundGrille(state, in.grilleDiameter, in.grilleLoss);
        break;
    case Installation::BuildingAdjustable:
        ApplyStoreys(state, in.storeyHeight, in.storeys);
        ApplyAdjustableGrille(state, kAdjustableGrilles[static_cast<std::size_t>(in.grille - 1)],
                              in.opening);
        break;
    }
}
