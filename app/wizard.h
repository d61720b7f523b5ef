#pragma once

#include "calc/calc_state.h"

// The calculation wizard: the chain of input dialogs of "&Nowe obliczenia",
// each chosen by the answers already given, ending in the ventilator command.
// The dialogs themselves write their values into the state when confirmed; the
// wizard reads three choices and clears three flags.

enum class WizardDialog {
    DensityMode,         // OKBottomDlg3, "Wprowadzanie Ro"
    TypedDensity,        // OKBottomDlg, "Dobór parametrów"
    Weather,             // Form3, "Dobór parametrów "
    DuctShape,           // OKBottomDlg333, "Wybór kanału"
    RoundDuct,           // Form4, "Parametry kanału"
    RectangularDuct,     // Form1, "Parametry kanału"
    DuctMaterial,        // OKBottomDlg33333, "Wybór współczynnika chropowatości"
    InstallationType,    // OKBottomDlg3333, "Wybór typu instalacji"
    Hall,                // Form2, "Parametry hali"
    BuildingRectangular, // Form22, "Parametry budynku"
    BuildingRound,       // Form222, "Parametry budynku"
    BuildingAdjustable,  // Form2222, "Parametry budynku"
};

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
