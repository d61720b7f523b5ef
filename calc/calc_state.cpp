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

std::int32_t InstallationNumber(Installation installation)
{
    switch (installation) {
    case Installation::Hall:
        return 0;
    case Installation::BuildingRectangular:
        return 1;
    case Installation::BuildingRound:
        return 2;
    case Installation::BuildingAdjustable:
        break;
    }
    return 3;
}

std::optional<Installation> InstallationOfNumber(std::int32_t number)
{
    switch (number) {
    case 0:
        return Installation::Hall;
    case 1:
        return Installation::BuildingRectangular;
    case 2:
        return Installation::BuildingRound;
    case 3:
        return Installation::BuildingAdjustable;
    default:
        return std::nullopt;
    }
}
