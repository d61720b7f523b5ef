// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/refusal.h"

#include <array>
#include <cmath>
#include <cstddef>

// The operating point of a wind-driven ventilator on its duct: the flow at which
// the underpressure that the wind makes the ventilator develop just drives that
// flow through the resistance of the air path. It is found by scanning trial
// pressure coefficients K from -0.55 to -0.005 in steps of 1e-6.

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kScanStart = -0.55;
inline constexpr double kScanEnd = -0.005;
inline constexpr double kScanStep = 1e-6;
inline constexpr double kScanTolerance = 2e-6;

// Loss coefficient of the transition from a duct of diameter D to a ventilator
// of diameter Dn; the polynomial is chosen by comparing Dn with D.
double TransitionLoss(double nominalDiameter, double ductDiameter);

// Friction term of the duct per metre: 1e-2 * k^0.314 * D^-1.314 [1/m].
double FrictionTerm(double roughness, double ductDiameter);

// Everything the scan needs about one ventilator on one duct.
struct AirPath {
    double windPressure = 0.0;      // pw = 0.6 v^2 [Pa]
    double resistance = 0.0;        // Rs [1/m4]
    double resistanceDensity = 0.0; // Rs * Ro
    double ductArea = 0.0;          // A [m2]
    double windSpeed = 0.0;         // v [m/s]
    double coef[4] = {0, 0, 0, 0};  // Coef0..Coef3 of the characteristic
};

struct PreparedAirPath {
    Refusal refusal = Refusal::None; // None when `path` is ready for the scan
    AirPath path;
};

// Refuses the inputs of the state that make the formulas undefined, whatever
// the model: non-finite values, a duct diameter, duct area or air density that
// is not positive, a zero grille area in a building.
Refusal CheckInputs(const CalcState& state);

// The air path of a model on the inputs of the state, or the reason why the
// inputs are refused (also a resistance that is not positive and finite, or
// flows that leave the range of double).
PreparedAirPath PrepareAirPath(const CalcState& state, const VentilatorModel& model);

// Duct velocity at trial coefficient K: Q = sqrt(-2 K pw / (Rs Ro)), c = Q / A.
inline double TrialVelocity(const AirPath& path, double trial)
{
    const double flow = std::sqrt(-2.0 * trial * path.windPressure / path.resistanceDensity);
    return flow / path.ductArea;
}

// The characteristic Cp(c) by Horner's rule.
inline double Characteristic(const AirPath& path, double velocity)
{
    return ((path.coef[3] * velocity + path.coef[2]) * velocity + path.coef[1]) * velocity +
           path.coef[0];
}

// The ventilator's pressure coefficient at the flow of trial coefficient K.
inline double TrialCharacteristic(const AirPath& path, double trial)
{
    return Characteristic(path, TrialVelocity(path, trial));
}

// The trial coefficients of the scan: K0 = -0.55 advanced by repeated addition
// of 1e-6 while K <= -0.005, 545,001 values. TrialCoefficient(i) is bit for bit
// the value that i repeated additions give; it starts from a checkpoint kept
// for every 512th value, so no table of all of them is ever built.
inline constexpr std::size_t kTrialCount = 545'001;
double TrialCoefficient(std::size_t index);

// At most this many separate operating points are told apart; more (only
// rounding noise around a tangency could make them) join the last one.
inline constexpr std::size_t kMaxOperatingPoints = 6;

// The result of a scan. A separate operating point is a run of scan points
// that lie within the tolerance or beside a change of sign of K - Cp, with no
// gap of a point between them; each has its own best point chosen by the same
// rules as the scan as a whole, and its own matched coefficient.
struct ScanMatch {
    bool found = false;
    double matched = 0.0;  // M of the chosen operating point
    std::size_t count = 0; // separate operating points, in scan order (K rising)
    std::array<double, kMaxOperatingPoints> matches{}; // M of each
    std::size_t chosen = 0;                            // which of them the scan's rules choose
    bool operator==(const ScanMatch&) const = default;
};

// The straightforward scan over all 545,001 trial coefficients. Of the points
// whose distance |K - Cp| is within 2e-6 the smallest distance wins, the earlier
// on a tie, and M is the characteristic's value there. Where none is within the
// tolerance but K - Cp changes sign between consecutive points, the point
// beside such a change with the smallest distance wins (the earlier on a tie),
// and M is that point's own trial coefficient K, within one step of the
// crossing: a steep characteristic can cross the trial coefficient between two
// points without coming near either, and its value there lies on neither curve.
// This is the reference: ScanFast (operating_point_fast.h) must give the same
// result bit for bit, and the program calls ScanFast.
ScanMatch ScanReference(const AirPath& path);

enum class OperatingPointStatus {
    Found,            // the results are valid
    NoOperatingPoint, // the characteristic never meets the trial coefficient
    Refused,          // the inputs make the formulas undefined; see `refusal`
};

struct OperatingPoint {
    OperatingPointStatus status = OperatingPointStatus::NoOperatingPoint;
    Refusal refusal = Refusal::None;
    double matched = 0.0;           // M
    double flowPerHour = 0.0;       // Qh [m3/h]
    double ventilatorSuction = 0.0; // DPsw [Pa]
    double ductVelocity = 0.0;      // c [m/s]
    // Every separate operating point found, by rising flow; the chosen one,
    // whose results are above, is flowsPerHour[chosen].
    std::size_t count = 0;
    std::array<double, kMaxOperatingPoints> flowsPerHour{}; // Qh of each [m3/h]
    std::size_t chosen = 0;
};

// The results that a scan's match gives on an air path.
OperatingPoint OperatingPointFromMatch(const AirPath& path, const ScanMatch& match);

// The operating point of a model on the inputs of the state; writes nothing.
OperatingPoint EvaluateOperatingPoint(const CalcState& state, const VentilatorModel& model);

// What a found operating point writes: FlowPerHour, VentilatorSuction,
// DuctVelocity, and ResultsShown = ResultsPrintable = true.
void WriteResults(CalcState& state, const OperatingPoint& point);

// Computes the operating point and, only on success, writes FlowPerHour,
// VentilatorSuction and DuctVelocity and sets ResultsShown and ResultsPrintable.
// On failure nothing in the state changes.
OperatingPoint ComputeOperatingPoint(CalcState& state, const VentilatorModel& model);
