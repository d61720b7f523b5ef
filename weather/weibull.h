// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/result.h"
#include "calc/stack_draught.h"

#include <vector>

// The wind of a place without a weather file: the Weibull distribution of the
// wind at the station (10 m), P(V > v) = exp(-(v / A)^k), with the scale
// A = mean / Gamma(1 + 1/k) from the mean wind, or A given.

inline constexpr double kWeibullShape = 2.0;

struct Weibull {
    double scale = 0.0;           // A [m/s]
    double shape = kWeibullShape; // k
};

// Refused with a Polish reason where the mean (or A) is not above 0 or the
// shape k is not above 0, or either is not finite.
Result<Weibull> WeibullFromMean(double mean, double shape = kWeibullShape);
Result<Weibull> WeibullFromScale(double scale, double shape = kWeibullShape);

// P(V > v) of the station's wind; 1 for v <= 0.
double WeibullExceedance(const Weibull& weibull, double wind);

// A duct and a model under that wind at fixed temperatures: the share of time
// in which the flow meets the need.
struct WeibullCase {
    // The duct and the installation with its density; WindSpeed is replaced.
    CalcState state;
    // ti, te (by default those of a calm day, 20 and 12 °C) and H.
    StackConditions conditions;
    double windRatio = 1.0; // TerrainWindRatio of the roof
    double need = 0.0;      // Qh [m3/h]
};

enum class NeedReach {
    Crossing,    // met from ventilatorWind on: share = P(V > stationWind)
    MetInCalm,   // met even with no wind: share 1
    NeverMet,    // met at no wind up to largestWind at the ventilator: share 0
    NotMonotone, // met on several ranges of wind: share their sum
};

struct WindShare {
    NeedReach reach = NeedReach::NeverMet;
    double ventilatorWind = 0.0; // the smallest wind at the ventilator meeting the need [m/s]
    double stationWind = 0.0;    // the same at the station: ventilatorWind / windRatio
    double share = 0.0;          // of the time, 0..1
    // The winds at the ventilator checked, every 0.1 m/s: up to 100 m/s or to
    // the last before the state reached from rest leaves the characteristic's
    // range (|Cp| > 0.55). Above it the need counts as it was met there.
    double largestWind = 0.0;
    // Whether Qh never falls as the wind rises up to largestWind (no upward
    // flow counts as 0).
    bool monotone = true;
};

// The flow of each wind at the ventilator is the program's own calculation
// from rest (EvaluateStackPoint); the smallest wind meeting the need is found
// by bisection to the last bit where the grid of 0.1 m/s changes from short
// to met (a range of met winds narrower than the grid can be missed). Refused with a Polish reason
// for inputs the calculation refuses, a need outside its bounds, or a ratio that is not above 0.
Result<WindShare> WeibullNeedShare(const WeibullCase& weibullCase, const VentilatorModel& model,
                                   const Weibull& weibull);
