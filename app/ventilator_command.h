#pragma once

#include "calc_state.h"
#include "operating_point.h"

#include <QString>

// What the ventilator command does once the choice is confirmed: looks up the
// chosen model, names it in the state before computing, and computes the
// operating point. After a failure the report is withdrawn (both result flags
// cleared), so that no earlier model's results stand under the new name.
OperatingPoint ApplyVentilatorChoice(CalcState& state);

// The text of the system's message box for a failed calculation: the message,
// and for inputs refused as undefined the reason on a second line.
QString CalculationFailureText(const OperatingPoint& point);

// The caption of that message box (spelled so, unlike the window title).
inline constexpr const char* kCalculationFailureCaption =
    "Program doboru wywietrznikow Firmy KORVANT";
