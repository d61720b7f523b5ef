// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wizard.h"

#include "calc/inputs.h"

namespace {

// The steps up to the ventilator command; returns the counter reached.
int RunInputDialogs(CalcState& state, WizardSteps& steps)
{
    int counter = 0;
    if (!steps.Confirm(WizardDialog::DensityMode))
        return counter;
    if (!steps.Confirm(state.DensityEntered ? WizardDialog::TypedDensity : WizardDialog::Weather))
        return counter;
    counter = 1;
    if (!steps.Confirm(WizardDialog::DuctShape))
        return counter;
    if (!steps.Confirm(state.DuctRound ? WizardDialog::RoundDuct : WizardDialog::RectangularDuct))
        return counter;
    counter = 2;
    if (!steps.Confirm(WizardDialog::DuctMaterial))
        return counter;
    counter = 3;
    if (!steps.Confirm(WizardDialog::InstallationType))
        return counter;
    switch (state.InstallationType) {
    case Installation::Hall:
        if (!steps.Confirm(WizardDialog::Hall))
            return counter;
        ApplyHallConfirmed(state); // only after a confirmed hall dialog
        break;
    case Installation::BuildingRectangular:
        if (!steps.Confirm(WizardDialog::BuildingRectangular))
            return counter;
        break;
    case Installation::BuildingRound:
        if (!steps.Confirm(WizardDialog::BuildingRound))
            return counter;
        break;
    case Installation::BuildingAdjustable:
        if (!steps.Confirm(WizardDialog::BuildingAdjustable))
            return counter;
        break;
    }
    return 4;
}

} // namespace

int RunCalculationWizard(CalcState& state, WizardSteps& steps)
{
    ApplyWizardStart(state);

    const int counter = RunInputDialogs(state, steps);
    if (counter == 4)
        steps.RunVentilatorCommand();
    steps.Repaint();
    return counter;
}
