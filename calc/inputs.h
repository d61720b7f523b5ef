// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/derived.h"
#include "calc/refusal.h"

#include <cstddef>
#include <cstdint>

// What a confirmed input dialog writes into the calculation state, shared by the
// dialogs and the command-line calculator. Each function writes exactly the
// fields of its dialog.

// How the density is given, typed or computed from the weather: DensityEntered.
void ApplyDensityMode(CalcState& state, bool typed);

// The density, typed or computed from the weather, and the wind: AirDensity,
// WindSpeed.
void ApplyTypedAir(CalcState& state, double density, double windSpeed);

// The duct's shape, round or rectangular: DuctRound.
void ApplyDuctShape(CalcState& state, bool round);

// The duct's material, a row of kDuctMaterials: DuctRoughness.
void ApplyDuctMaterial(CalcState& state, std::size_t material);

// The installation type: InstallationType. The installation's own dialog
// writes the rest (ApplyInstallation for all of it at once).
void ApplyInstallationType(CalcState& state, Installation installation);

// The ventilator chosen, a catalogue row 1..27: VentilatorIndex.
void ApplyVentilatorIndex(CalcState& state, std::int32_t index);

// Round duct: DuctDiameter, DuctArea. The sides of a rectangular duct stay.
void ApplyRoundDuct(CalcState& state, double diameter);

// Rectangular duct: DuctSideA, DuctSideB, DuctDiameter (equivalent), DuctArea.
// Two sides that add up to 0 are refused and nothing is written.
Refusal ApplyRectangularDuct(CalcState& state, double sideA, double sideB);

// Hall: DuctLength, LossCoefficient (one of the inlet constants).
void ApplyHall(CalcState& state, double ductLength, double inletLoss);

// The storeys of a building: StoreyHeight, StoreyCount and DuctLength = N x H.
void ApplyStoreys(CalcState& state, double storeyHeight, std::int32_t storeys);

// Rectangular grille a x b with loss coefficient zeta: GrilleSizeA, GrilleSizeB,
// LossCoefficient, GrilleArea = a x b.
void ApplyRectangularGrille(CalcState& state, double height, double width, double loss);

// Round fixed grille of diameter d: GrilleSizeA, LossCoefficient, GrilleArea.
// GrilleSizeB stays.
void ApplyRoundGrille(CalcState& state, double diameter, double loss);

// Adjustable grille opened by `opening` turns (limited to 0..20 here):
// GrilleSizeA, LossCoefficient = zeta(n), GrilleArea. GrilleSizeB stays.
void ApplyAdjustableGrille(CalcState& state, const AdjustableGrille& grille, std::int32_t opening);

// Everything one installation's dialogs take; only the fields of `kind` count.
struct InstallationInput {
    Installation kind = Installation::Hall;
    double hallLength = 0.0;
    int inlet = 1; // 1..3, the order of the hall dialog
    double storeyHeight = 0.0;
    std::int32_t storeys = 0;
    double grilleHeight = 0.0;   // rectangular grille
    double grilleWidth = 0.0;    // rectangular grille
    double grilleDiameter = 0.0; // round fixed grille
    double grilleLoss = 0.0;     // fixed grilles
    int grille = 1;              // 1..5, adjustable grille
    std::int32_t opening = 0;    // adjustable grille, turns
};

// The start of a run of the calculation wizard: IsHall and both result flags
// cleared, so that no report is drawn and nothing printed until a calculation
// succeeds.
void ApplyWizardStart(CalcState& state);

// The hall dialog confirmed in a run of the wizard: IsHall.
void ApplyHallConfirmed(CalcState& state);

// What confirming the installation type dialog and then the installation's own
// dialog writes: InstallationType, IsHall (true for a hall) and the fields
// of the installation's dialog.
void ApplyInstallation(CalcState& state, const InstallationInput& input);
