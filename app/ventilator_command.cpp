// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ventilator_command.h"

#include "calc/program_texts.h"
#include "calc/refusal.h"
#include "ui/text.h"

QString CalculationFailureText(const OperatingPoint& point)
{
    QString text = QString::fromUtf8(kFailedCalculationText);
    if (point.status == OperatingPointStatus::Refused) {
        const std::string_view reason = RefusalText(point.refusal);
        text += '\n' + Text(reason);
    }
    return text;
}
