#include "calc/ventilator_choice.h"

#include "calc/catalogue.h"

OperatingPoint ApplyVentilatorChoice(CalcState& state)
{
    const VentilatorModel& model = LookUpVentilator(state.VentilatorIndex);
    state.VentilatorName = model.Name;
    const OperatingPoint point = ComputeOperatingPoint(state, model);
    if (point.status != OperatingPointStatus::Found) {
        state.ResultsShown = 0;
        state.ResultsPrintable = 0;
    }
    return point;
}
