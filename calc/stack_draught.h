// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The wind and the stack together: warmer air in the duct rises by itself (the
// gravity draught), and the wind-driven ventilator adds its underpressure.
// An analysis beside the program's own calculation, which it leaves as it is.
//
// Stack pressure  dps = g H (rho_e - rho_i), rho = p / (287.05 (t + 273.15)),
//                 g = 9.81 m/s2, p the ambient pressure (101325 Pa unless given).
// Operating point the flow Q >= 0 with  Ro Rs Q^2 / 2 = -Cp(Q / A) pw + dps,
//                 the same Rs, Ro, pw and characteristic as the calculation.
// Both sides are polynomials in Q; the roots of their difference
//   g(Q) = dps - Cp(Q / A) pw - Ro Rs Q^2 / 2
// (what drives the flow less what the path loses) are found exactly,
// bracketed between its turning points.
//
// The state the duct reaches from rest: where g(0) > 0 the air starts to rise
// and speeds up until g first falls to zero, so the smallest root above 0 is
// chosen. Where g(0) < 0, or g(0) = 0 and g falls beyond it, no upward flow
// starts. The characteristic is a fit that means nothing far outside the
// coefficients the calculation scans: with the wind, a chosen root where
// |Cp| > 0.55 gives no number (never a higher root instead). Without wind the
// characteristic plays no part and has no limit. A stable root (g falls
// through zero) other than the chosen one is a state the duct keeps only when
// its flow is already there; those are listed beside the chosen one.
// dps = 0 (ti = te) is no special case; the program's own calculation (the
// scan of the report) is then told where it gives another result.

inline constexpr double kGravity = 9.81;                 // [m/s2]
inline constexpr double kStackPressure = 101325.0;       // [Pa]
inline constexpr double kAirGasConstant = 287.05;        // [J/(kg K)]
inline constexpr double kAbsoluteZero = -273.15;         // [°C]
inline constexpr double kLargestCharacteristic = 0.55;   // |Cp| of the fit's range, with wind
inline constexpr double kDesignInsideTemperature = 20.0; // [°C]
inline constexpr double kDesignOutsideTemperature = 12.0;

struct StackConditions {
    double inside = kDesignInsideTemperature;   // ti [°C]
    double outside = kDesignOutsideTemperature; // te [°C]
    double height = 0.0;                        // H [m], by default the duct length L
    // pf [Pa] >= 0: the flat's underpressure, which lowers what drives the
    // flow to dps - pf (0: the room open to the outside air).
    double underpressure = 0.0;
    // p [Pa] > 0: the ambient pressure of the air densities of dps.
    double pressure = kStackPressure;
};

// The conditions at the design temperatures with H = L of the state.
StackConditions DefaultStackConditions(const CalcState& state);

// The ambient pressure [Pa] of dps: that of the air whose density was computed
// from a barometric pressure [hPa] (the weather dialog's), 101325 Pa with a
// typed density.
double AmbientStackPressure(bool densityTyped, double hectopascals);

// The short line naming the ambient pressure of dps where it is not 101325 Pa
// ("Δps przy ciśnieniu p = 90000.0 [Pa]"); empty where it is.
std::string AmbientPressureLine(double pressure);

// Air density at temperature t [°C] and pressure p [Pa].
double StackAirDensity(double temperature, double pressure = kStackPressure);

enum class StackStatus {
    Found,      // `flowPerHour` and the rest are valid: the state reached from rest
    NoDraught,  // g(0) <= 0: no upward flow starts from rest
    OutOfRange, // with the wind, the state reached from rest lies where |Cp| > 0.55
    Refused,    // see `refusal`
};

struct StackPoint {
    StackStatus status = StackStatus::NoDraught;
    Refusal refusal = Refusal::None;
    double stackPressure = 0.0;     // dps [Pa]
    double startPressure = 0.0;     // g(0) = dps - Cp(0) pw [Pa], what drives the air at rest
    double flowPerHour = 0.0;       // Qh [m3/h] of the chosen operating point
    double ventilatorSuction = 0.0; // -Cp pw [Pa]
    double ductVelocity = 0.0;      // c [m/s]
    // The chosen point and every stable root (g falls through zero; with the
    // wind only where |Cp| <= 0.55), by rising flow. `chosen` is 0 when the
    // status is Found and `count` otherwise.
    std::size_t count = 0;
    std::array<double, 3> flowsPerHour{};
    std::size_t chosen = 0;
    // At dps = 0: whether the program's own calculation on the same inputs
    // gives another result (another meeting chosen, or none found), and that
    // result.
    bool scanDiffers = false;
    bool scanFound = false;
    double scanFlowPerHour = 0.0;
};

// The Polish reason of a status other than Found (the refusal's text for Refused).
std::string_view StackReason(const StackPoint& point);

// The lines that go with a result, one sentence each: every stable state
// other than the chosen one, then, where it differs, the program's own result.
std::vector<std::string> StackNotes(const StackPoint& point);

// Refuses conditions with a temperature at or below absolute zero, an outdoor
// te outside -60 ... 60 °C, a height outside the bounds of calc/input_limits.h,
// a negative underpressure, an ambient pressure not above 0, a value that is
// not finite, or a stack pressure that is not finite.
Refusal CheckStackConditions(const StackConditions& conditions);

// The combined operating point of a model on the inputs of the state; writes nothing.
StackPoint EvaluateStackPoint(const CalcState& state, const VentilatorModel& model,
                              const StackConditions& conditions);

// The same in the form of the calculation's own result, for the windows and
// the command line that show either: NoDraught and OutOfRange become
// NoOperatingPoint (StackReason tells them apart); the stable roots listed
// are kept, none of them chosen when no point is found.
OperatingPoint AsOperatingPoint(const StackPoint& point);

// The stack pressure dps [Pa] of the conditions.
double StackPressure(const StackConditions& conditions);

// The flow Qh [m3/h] that the air path reaches from rest when `driving` [Pa]
// (dps - pf) drives it: the smallest root of g above 0 where g(0) > 0 (or
// g(0) = 0 and g rises), else 0 (no upward flow). `inRange` tells whether the
// root lies within the characteristic's fit (always without wind).
struct RestFlow {
    double flowPerHour = 0.0;
    bool flows = false;
    bool inRange = true;
};
RestFlow FlowFromRest(const AirPath& path, double driving);
