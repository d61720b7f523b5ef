#include "comparison.h"

std::array<OperatingPoint, kVentilatorCount> EvaluateAllVentilators(const CalcState& state)
{
    std::array<OperatingPoint, kVentilatorCount> points;
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = EvaluateOperatingPoint(state, VentilatorCatalogue[i]);
    return points;
}
