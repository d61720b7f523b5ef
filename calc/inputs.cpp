#include "inputs.h"

void ApplyTypedAir(CalcState& state, double density, double windSpeed)
{
    state.AirDensity = density;
    state.WindSpeed = windSpeed;
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
