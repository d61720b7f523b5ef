// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"
#include "calc/stack_draught.h"

#include <array>
#include <cstddef>
#include <vector>

// Every function here finds the operating points by the wind alone, as the
// program's calculation does, or, given `stack`, by the wind and the gravity
// draught together (stack_draught.h).

// The operating point of one model on the inputs of the state; writes nothing.
OperatingPoint EvaluatePoint(const CalcState& state, const VentilatorModel& model,
                             const StackConditions* stack = nullptr);

// The operating points of all 27 catalogue models on the inputs of one state,
// in catalogue order (position 0 is model 1). Writes nothing.
std::array<OperatingPoint, kVentilatorCount>
EvaluateAllVentilators(const CalcState& state, const StackConditions* stack = nullptr);

// The underpressure that the ventilator develops at a flow Q [m3/s] through
// the duct: -Cp(Q / A) * pw [Pa]. Where the characteristic turns positive the
// ventilator no longer helps and the value is negative.
double AvailableUnderpressure(const AirPath& path, double flow);

// The pressure that drives a flow Q [m3/s] through the resistance of the whole
// air path: Ro * Rs * Q^2 / 2 [Pa].
double RequiredPressure(const AirPath& path, double flow);

// One sample of the two pressure curves of a model on its duct.
struct PressureSample {
    double flow = 0.0;      // Q [m3/s]
    double available = 0.0; // AvailableUnderpressure [Pa]
    double required = 0.0;  // RequiredPressure [Pa]
};

// The two curves of a model on the inputs of a state, with the operating
// point where they meet. The flows run from 0 to `flowLimit` in equal steps;
// the operating flow, when there is one, is one of the samples, so that both
// curves pass exactly through it.
struct PressureCurves {
    Refusal refusal = Refusal::None; // not None: no air path, `samples` is empty
    OperatingPoint point;            // EvaluateOperatingPoint of the same state and model
    double flowLimit = 0.0;          // the largest flow sampled [m3/s]
    std::vector<PressureSample> samples;
};

// The flows reach 1.5 times the operating flow. Without one they reach 1.1
// times the largest flow that the scan tries (that of K = -0.55), and in a calm
// 1.1 times the flow at which the available underpressure would fall to zero,
// or a duct velocity of 10 m/s.
// A positive `flowLimit` replaces the chosen largest flow (a chart may round
// its axis up to a round number).
inline constexpr int kPressureCurveSteps = 200;
// With the gravity draught the available pressure is -Cp pw + dps.
PressureCurves SamplePressureCurves(const CalcState& state, const VentilatorModel& model,
                                    int steps = kPressureCurveSteps, double flowLimit = 0.0,
                                    const StackConditions* stack = nullptr);

// One wind speed of a sweep and the operating point at it.
struct WindSweepPoint {
    double windSpeed = 0.0; // v [m/s]
    OperatingPoint point;
};

// The operating points of a model at the wind speeds from, from + step, ...
// up to `to` (the last one included where (to - from) / step is whole up to
// 1e-9), each computed on a copy of the state with WindSpeed replaced. The
// speed of point i is from + i * step. An empty result for a step that is not
// positive, `to` below `from`, values that are not finite, or more than
// kWindSweepMaxSteps steps.
inline constexpr double kWindSweepMaxSteps = 100000.0;
std::vector<WindSweepPoint> WindSweep(const CalcState& state, const VentilatorModel& model,
                                      double from, double to, double step,
                                      const StackConditions* stack = nullptr);
