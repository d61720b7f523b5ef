// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_state.h"

void ResetCalcState(CalcState& state)
{
    state = CalcState{};
}

CalcState& ProgramCalcState()
{
    static CalcState state;
    return state;
}
