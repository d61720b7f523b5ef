#include "app/ventilator_command.h"

#include "calc/refusal.h"

QString CalculationFailureText(const OperatingPoint& point)
{
    QString text = "Niewłaściwe obliczenia!!!";
    if (point.status == OperatingPointStatus::Refused) {
        const std::string_view reason = RefusalText(point.refusal);
        text += '\n' + QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
    }
    return text;
}
