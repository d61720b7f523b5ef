// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The four installations of the installation type dialog, in its order.
enum class Installation { Hall, BuildingRectangular, BuildingRound, BuildingAdjustable };

// The number that the calculation file keeps for an installation: its position
// in the dialog, 0..3. The one conversion between the two, both ways; a number
// out of range is no installation.
std::int32_t InstallationNumber(Installation installation);
std::optional<Installation> InstallationOfNumber(std::int32_t number);

// The one record of inputs, choices and results of a calculation. The input
// dialogs write it when confirmed, the wizard reads its choices, the ventilator
// command writes the results, and the report only reads it. Every start of the
// program begins with the values of ResetCalcState; a calculation is kept only
// when the user saves it in a .wyw file (project/), which restores it again.
struct CalcState {
    bool ResultsShown = false;     // the main window draws the report
    bool ResultsPrintable = false; // the report may be printed
    bool DensityEntered = false;   // density typed, not computed from weather data
    bool DuctRound = false;        // round duct, not rectangular
    Installation InstallationType = Installation::Hall;
    std::int32_t VentilatorIndex = 0; // catalogue row 1..27, 0 before the first choice
    double AirDensity = 0.0;          // Ro [kg/m3]
    double WindSpeed = 0.0;           // v [m/s]
    double DuctRoughness = 0.0;       // k, one of the six material values
    double DuctArea = 0.0;            // A = pi*D*D/4 [m2], also for a rectangular duct
    double DuctDiameter = 0.0;        // D, or the equivalent diameter [m]
    double DuctLength = 0.0;          // L [m]: hall length or storeys x storey height
    double LossCoefficient = 0.0;     // hall inlet, or storey grille loss coefficient
    double GrilleArea = 0.0;          // Ag [m2], building only
    std::string_view VentilatorName;  // name of the catalogue row last chosen (not owned)
    double DuctVelocity = 0.0;        // result c [m/s]
    double FlowPerHour = 0.0;         // result Qh [m3/h]
    double VentilatorSuction = 0.0;   // result DPsw [Pa]
    double DuctSideA = 0.0;           // rectangular duct, "Długość" [m]
    double DuctSideB = 0.0;           // rectangular duct, "Szerokość" [m]
    bool IsHall = false;              // the hall dialog was confirmed in the last wizard run
    double GrilleSizeA = 0.0;         // grille height, or round grille diameter [m]
    double GrilleSizeB = 0.0;         // rectangular grille width [m]
    std::int32_t StoreyCount = 0;     // N
    double StoreyHeight = 0.0;        // H [m]

    bool operator==(const CalcState&) const = default;
};

// Sets every field of the record to its start-up value.
void ResetCalcState(CalcState& state);

// The process-wide record that every window of the program works on.
CalcState& ProgramCalcState();
