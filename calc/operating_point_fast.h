// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"

#include <cstddef>

// The operating point without visiting every trial coefficient.
//
// With s = sqrt(-K) the trial velocity is c = g s, g = sqrt(2 pw / (Rs Ro)) / A,
// and the distance K - Cp(c) becomes the cubic
//   P(s) = -Coef0 - Coef1 g s - (1 + Coef2 g^2) s^2 - Coef3 g^3 s^3.
// The fast scan bounds the computed distances of whole ranges of scan points
// from P, with a bound on every rounding of the computation. A range whose
// distances all lie beyond the tolerance on one side can hold neither a match
// nor a change of sign, so only the points near the crossings of P, and beside
// changes of sign between ranges, are evaluated, exactly as the full scan
// evaluates them (TrialCharacteristic at the same TrialCoefficient(i)). The
// full scan's rules then pick the same point.

// How much work one fast scan did.
struct FastScanStatistics {
    std::size_t evaluatedPoints = 0; // scan points evaluated exactly
    std::size_t boundedRanges = 0;   // ranges of scan points bounded without evaluation
    bool byPolynomial = false;       // bounded through P(s), not through the velocities
};

// The same result as ScanReference(path), found, and with it the bit-identical
// matched coefficient, for every air path that PrepareAirPath accepts.
ScanMatch ScanFast(const AirPath& path);
ScanMatch ScanFast(const AirPath& path, FastScanStatistics& statistics);
