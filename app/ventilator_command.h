// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"
#include "calc/ventilator_choice.h"

#include <QString>

// The text of the program's message box for a failed calculation: the message,
// and for inputs refused as undefined the reason on a second line.
QString CalculationFailureText(const OperatingPoint& point);

// The caption of that message box (spelled so, unlike the window title).
inline constexpr const char* kCalculationFailureCaption =
    "Program doboru wywietrznikow Firmy KORVANT";
