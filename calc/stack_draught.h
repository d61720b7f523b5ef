#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"

#include <array>
#include <cstddef>
#include <string_view>

// The wind and the stack together: warmer air in the duct rises by itself (the
// gravity draught), and the wind-driven ventilator adds its underpressure.
// An analysis beside the program's own calculation, which it leaves as it is.
//
// Stack pressure  dps = g H (rho_e - rho_i), rho = p / (287.05 (t + 273.15)),
//                 g = 9.81 m/s2, p = 101325 Pa.
// Operating point the flow Q >= 0 with  Ro Rs Q^2 / 2 = -Cp(Q / A) pw + dps,
//                 the same Rs, Ro, pw and characteristic as the calculation.
// Both sides are polynomials in Q; the roots are found exactly, bracketed
// between the turning points of their difference. The characteristic is a fit
// that means nothing far outside the coefficients the calculation scans, so a
// root counts only where |Cp| <= 0.55. The lowest flow that counts is chosen:
// the state the duct reaches first from rest.

inline constexpr double kGravity = 9.81;                 // [m/s2]
inline constexpr double kStackPressure = 101325.0;       // [Pa]
inline constexpr double kAirGasConstant = 287.05;        // [J/(kg K)]
inline constexpr double kAbsoluteZero = -273.15;         // [°C]
inline constexpr double kLargestCharacteristic = 0.55;   // |Cp| where a root still counts
inline constexpr double kDesignInsideTemperature = 20.0; // [°C]
inline constexpr double kDesignOutsideTemperature = 12.0;

struct StackConditions {
    double inside = kDesignInsideTemperature;   // ti [°C]
    double outside = kDesignOutsideTemperature; // te [°C]
    double height = 0.0;                        // H [m], by default the duct length L
};

// The conditions at the design temperatures with H = L of the state.
StackConditions DefaultStackConditions(const CalcState& state);

// Air density at temperature t [°C] and 101325 Pa.
double StackAirDensity(double temperature);

enum class StackStatus {
    Found,     // `flowPerHour` and the rest are valid
    NoDraught, // the driving pressure is negative at every flow
    NoRoot,    // no flow where the loss meets what drives it, within |Cp| <= 0.55
    Refused,   // see `refusal`
};

struct StackPoint {
    StackStatus status = StackStatus::NoRoot;
    Refusal refusal = Refusal::None;
    double stackPressure = 0.0;     // dps [Pa]
    double flowPerHour = 0.0;       // Qh [m3/h] of the chosen operating point
    double ventilatorSuction = 0.0; // -Cp pw [Pa]
    double ductVelocity = 0.0;      // c [m/s]
    std::size_t count = 0;          // every operating point that counts, by rising flow
    std::array<double, 3> flowsPerHour{};
    std::size_t chosen = 0; // always 0: the lowest flow
};

// The Polish reason of a status other than Found (the refusal's text for Refused).
std::string_view StackReason(const StackPoint& point);

// The combined operating point of a model on the inputs of the state; writes nothing.
StackPoint EvaluateStackPoint(const CalcState& state, const VentilatorModel& model,
                              const StackConditions& conditions);

// The same in the form of the calculation's own result, for the windows and
// the command line that show either: NoDraught and NoRoot become
// NoOperatingPoint (StackReason tells them apart).
OperatingPoint AsOperatingPoint(const StackPoint& point);

// The stack pressure dps [Pa] of the conditions.
double StackPressure(const StackConditions& conditions);
