// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/operating_point.h"

// What a confirmed ventilator choice does with VentilatorIndex: looks up the
// model, names it in the state before computing, and computes the operating
// point; inputs outside the bounds of calc/input_limits.h are refused first.
// After a failure the report is withdrawn (both result flags cleared),
// so that no earlier model's results stand under the new name.
OperatingPoint ApplyVentilatorChoice(CalcState& state);
