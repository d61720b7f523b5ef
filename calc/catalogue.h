#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
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
extern const std::array<VentilatorModel, kVentilatorCount> VentilatorCatalogue;

// Raised by LookUpVentilator for an index outside 1..27.
class VentilatorIndexError : public std::out_of_range {
public:
    explicit VentilatorIndexError(std::int32_t index);
};

// The catalogue row of a ventilator index 1..27; any other index throws
// VentilatorIndexError instead of reading outside the table.
const VentilatorModel& LookUpVentilator(std::int32_t index);

// The caption of a model as the choice of the ventilator shows it ("KALMO-100",
// "OSTREL-160 wzdłużnie", "TRAVEN/M-150"): the program's own windows name the
// models so, while the report keeps the catalogue names. Throws as
// LookUpVentilator.
std::string_view VentilatorCaption(std::int32_t index);
