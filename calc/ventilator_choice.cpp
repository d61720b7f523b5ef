// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/ventilator_choice.h"

#include "calc/catalogue.h"
#include "calc/input_limits.h"

OperatingPoint ApplyVentilatorChoice(CalcState& state)
{
    const VentilatorModel& model = LookUpVentilator(state.VentilatorIndex);
    state.VentilatorName = model.Name;
    OperatingPoint point;
    point.refusal = CheckCalculationInputs(state);
    if (point.refusal != Refusal::None)
        point.status = OperatingPointStatus::Refused;
    else
        point = ComputeOperatingPoint(state, model);
    if (point.status != OperatingPointStatus::Found) {
        state.ResultsShown = false;
        state.ResultsPrintable = false;
    }
    return point;
}
