// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"

#include <array>
#include <cstdint>
#include <string_view>

// One KORVANT roof ventilator. Its pressure-coefficient characteristic is the
// cubic Cp(c) = Coef0 + Coef1*c + Coef2*c^2 + Coef3*c^3 of the duct velocity c.
struct VentilatorModel {
    std::string_view Name;  // exactly as printed in the report
    double NominalDiameter; // Dn [m]
    double VentilatorLoss;  // zeta_v, referred to the area pi*Dn^2/4
    double Coef0;
    double Coef1;
    double Coef2;
    double Coef3;
};

inline constexpr std::int32_t kVentilatorCount = 27;

// Rows 1..27 are stored at positions 0..26.
extern const std::array<VentilatorModel, kVentilatorCount> kVentilatorCatalogue;

// Whether an index names a row of the catalogue: 1..27.
constexpr bool IsVentilatorIndex(std::int32_t index)
{
    return index >= 1 && index <= kVentilatorCount;
}

// The catalogue row of an index that a user or a file gave, or why there is
// none: "Numer wywietrznika 28 spoza katalogu (dozwolone 1..27)."
Result<const VentilatorModel*> FindVentilator(std::int32_t index);

// The catalogue row of a ventilator index 1..27 that the caller has checked
// (every reader and field of the program checks it: IsVentilatorIndex,
// FindVentilator). Another index is a fault of the program itself: it stops
// with the reason on standard error rather than read outside the table.
const VentilatorModel& LookUpVentilator(std::int32_t index);

// The caption of a model as the choice of the ventilator shows it ("KALMO-100",
// "OSTREL-160 wzdłużnie", "TRAVEN/M-150"): the program's own windows name the
// models so, while the report keeps the catalogue names. For an index
// 1..27, as LookUpVentilator.
std::string_view VentilatorCaption(std::int32_t index);
