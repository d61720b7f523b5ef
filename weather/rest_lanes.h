// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"
#include "calc/stack_draught.h"
#include "weather/rest_flow.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What the flows from rest (rest_flow.cpp) and their verdicts on a need
// (rest_verdict.cpp) share: the balance, its first root's bracket, and the
// lanes of bisections stepped side by side. Only these two files use it.
namespace rest_lanes {

// The balance g(Q) = dps - Cp(Q / A) pw - Ro Rs Q^2 / 2 [Pa] as a polynomial
// in Q [m3/s], term by term as the calculation forms and evaluates it.
struct Balance {
    double c[4] = {0, 0, 0, 0};

    Balance() = default;
    Balance(const AirPath& path, double driving)
    {
        const double a = path.ductArea;
        const double pw = path.windPressure;
        c[0] = driving - pw * path.coef[0];
        c[1] = -pw * path.coef[1] / a;
        c[2] = -pw * path.coef[2] / (a * a) - 0.5 * path.resistanceDensity;
        c[3] = -pw * path.coef[3] / (a * a * a);
    }
    double Value(double q) const { return ((c[3] * q + c[2]) * q + c[1]) * q + c[0]; }
    int Degree() const
    {
        for (int k = 3; k > 0; --k) {
            if (c[k] != 0.0)
                return k;
        }
        return 0;
    }
    // g(0) > 0, or g(0) = 0 and its first derivative at 0 that is not zero
    // is positive.
    bool StartsFromRest() const
    {
        for (const double coefficient : c) {
            if (coefficient != 0.0)
                return coefficient > 0.0;
        }
        return false;
    }
};

// Where the smallest root above 0 lies: on a turning point (`low` = `high`),
// between two (to bisect), or nowhere.
struct Bracket {
    enum Kind { None, At, Between } kind = None;
    double low = 0.0;
    double high = 0.0;
};

// The cuts of (0, inf) into monotone pieces: 0, the turning points, and
// Cauchy's bound on the roots, sorted.

Bracket FirstRoot(const Balance& f);

inline constexpr std::size_t kLanes = 16;
inline constexpr int kBisectionSteps = 2100;

// Up to sixteen bisections side by side, one lane each, column by column.
// An unused lane holds the interval [0, 0], in which a bisection stops at
// once.
struct Lanes {
    std::array<double, kLanes> c0{}, c1{}, c2{}, c3{};
    std::array<double, kLanes> low{}, high{};
    std::array<std::uint64_t, kLanes> lowNegative{}; // all ones where g(low) < 0
    std::array<std::size_t, kLanes> query{};
    std::size_t count = 0;

    void Add(const Balance& f, double from, double to, std::size_t index)
    {
        Put(count++, f, from, to, index);
    }
    void Put(std::size_t lane, const Balance& f, double from, double to, std::size_t index)
    {
        c0[lane] = f.c[0];
        c1[lane] = f.c[1];
        c2[lane] = f.c[2];
        c3[lane] = f.c[3];
        low[lane] = from;
        high[lane] = to;
        lowNegative[lane] = f.Value(from) < 0.0 ? ~std::uint64_t{0} : 0;
        query[lane] = index;
    }
    double Value(std::size_t i, double q) const
    {
        return ((c3[i] * q + c2[i]) * q + c1[i]) * q + c0[i];
    }
};

// a where the mask is all ones, else b, bit for bit and without a branch
// that the processor would have to guess.

// `steps` bisection steps of every lane (fewer where none moves any more);
// four lanes to an instruction where `fourWide`, with the same result.
void Bisect(Lanes& lanes, int steps, bool fourWide);
// Whether the processor can take four lanes to an instruction.
bool FourWide();

// The flow of a root found.
RestFlow Found(const AirPath& path, double root);

} // namespace rest_lanes
