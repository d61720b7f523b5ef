// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"

#include <cstddef>

// The calculation wizard: the chain of input dialogs of "&Nowe obliczenia",
// each chosen by the answers already given, ending in the ventilator command.
// The dialogs themselves write their values into the state when confirmed; the
// wizard reads three choices and clears three flags.

// The input dialogs of the wizard, one a step or alternative; which window
// each one is, is set where the program creates its windows
// (app/program_windows.cpp).
enum class WizardDialog {
    DensityMode,
    TypedDensity,
    Weather,
    DuctShape,
    RoundDuct,
    RectangularDuct,
    DuctMaterial,
    InstallationType,
    Hall,
    BuildingRectangular,
    BuildingRound,
    BuildingAdjustable,
};
inline constexpr std::size_t kWizardDialogCount =
    static_cast<std::size_t>(WizardDialog::BuildingAdjustable) + 1;

// What the wizard drives: the real windows in the program, a script in tests.
class WizardSteps {
public:
    virtual ~WizardSteps() = default;
    // Shows a dialog modally; true when it was confirmed with OK.
    virtual bool Confirm(WizardDialog dialog) = 0;
    // The ventilator choice and calculation ("&Wybierz tylko wywietrznik").
    virtual void RunVentilatorCommand() = 0;
    // Asks for the main window to be redrawn.
    virtual void Repaint() = 0;
};

// Runs the chain and returns the step counter it reached (4 when every input
// dialog was confirmed and the ventilator command ran). Repaints on every path.
int RunCalculationWizard(CalcState& state, WizardSteps& steps);
