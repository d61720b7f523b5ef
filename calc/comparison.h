#pragma once

#include "calc_state.h"
#include "catalogue.h"
#include "operating_point.h"

#include <array>

// The operating points of all 27 catalogue models on the inputs of one state,
// in catalogue order (position 0 is model 1). Writes nothing.
std::array<OperatingPoint, kVentilatorCount> EvaluateAllVentilators(const CalcState& state);
