#include "ventilator_command.h"

#include "catalogue.h"
#include "refusal.h"

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

QString CalculationFailureText(const OperatingPoint& point)
{
    QString text = "Niewłaściwe obliczenia!!!";
    if (point.status == OperatingPointStatus::Refused) {
        const std::string_view reason = RefusalText(point.refusal);
        text += '\n' + QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
    }
    return text;
}
