// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/rest_flow.h"

#include "weather/rest_lanes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace rest_lanes;

namespace {

std::size_t Cuts(const Balance& f, int n, std::array<double, 4>& cuts)
{
    double bound = 0.0;
    for (int k = 0; k < n; ++k)
        bound = std::max(bound, std::fabs(f.c[k] / f.c[n]));
    bound += 1.0;
    std::size_t count = 0;
    cuts[count++] = 0.0;
    const double a = 3.0 * f.c[3], b = 2.0 * f.c[2], c = f.c[1];
    if (a != 0.0) {
        const double discriminant = b * b - 4.0 * a * c;
        if (discriminant > 0.0) {
            const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
            cuts[count++] = q / a;
            if (q != 0.0)
                cuts[count++] = c / q;
        }
    } else if (b != 0.0) {
        cuts[count++] = -c / b;
    }
    cuts[count++] = bound;
    std::sort(cuts.begin(), cuts.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

} // namespace

Bracket rest_lanes::FirstRoot(const Balance& f)
{
    const int n = f.Degree();
    if (n == 0)
        return {};
    std::array<double, 4> cuts{};
    const std::size_t count = Cuts(f, n, cuts);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const double low = std::max(cuts[i], 0.0);
        const double high = cuts[i + 1];
        if (!(high > low))
            continue;
        const double atLow = f.Value(low), atHigh = f.Value(high);
        if (atHigh == 0.0)
            return {Bracket::At, high, high};
        if ((atLow < 0.0) != (atHigh < 0.0) && atLow != 0.0)
            return {Bracket::Between, low, high};
    }
    return {};
}

namespace {

double Select(std::uint64_t mask, double a, double b)
{
    return std::bit_cast<double>((std::bit_cast<std::uint64_t>(a) & mask) |
                                 (std::bit_cast<std::uint64_t>(b) & ~mask));
}

std::uint64_t Mask(bool condition)
{
    return std::uint64_t{0} - static_cast<std::uint64_t>(condition);
}

// Each lane's bisection to the last bit, all of them step by step together:
// a lane whose middle no longer lies strictly inside stays where it stopped,
// as the single bisection stops there.
void BisectLaneByLane(Lanes& lanes, int steps)
{
    for (int step = 0; step < steps; ++step) {
        std::uint64_t moving = 0;
        for (std::size_t i = 0; i < kLanes; ++i) {
            const double low = lanes.low[i], high = lanes.high[i];
            const double middle = 0.5 * (low + high);
            const std::uint64_t moves = Mask(middle > low) & Mask(middle < high);
            const std::uint64_t differs = Mask(lanes.Value(i, middle) < 0.0) ^ lanes.lowNegative[i];
            lanes.low[i] = Select(moves & ~differs, middle, low);
            lanes.high[i] = Select(moves & differs, middle, high);
            moving |= moves;
        }
        if (moving == 0)
            break;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same steps four lanes to an instruction, where the processor has AVX2:
// the same IEEE operations lane by lane (no fused multiply-add).
using Doubles4 = double __attribute__((vector_size(32)));
using Masks4 = std::int64_t __attribute__((vector_size(32)));
constexpr std::size_t kGroups = kLanes / 4;

__attribute__((target("avx2"))) void BisectFourWide(Lanes& lanes, int steps)
{
    Doubles4 c0[kGroups], c1[kGroups], c2[kGroups], c3[kGroups], low[kGroups], high[kGroups];
    Masks4 lowNegative[kGroups];
    std::memcpy(c0, lanes.c0.data(), sizeof c0);
    std::memcpy(c1, lanes.c1.data(), sizeof c1);
    std::memcpy(c2, lanes.c2.data(), sizeof c2);
    std::memcpy(c3, lanes.c3.data(), sizeof c3);
    std::memcpy(low, lanes.low.data(), sizeof low);
    std::memcpy(high, lanes.high.data(), sizeof high);
    std::memcpy(lowNegative, lanes.lowNegative.data(), sizeof lowNegative);
    const Doubles4 half = {0.5, 0.5, 0.5, 0.5};
    const Doubles4 zero = {0.0, 0.0, 0.0, 0.0};
    for (int step = 0; step < steps; ++step) {
        Masks4 moving = {0, 0, 0, 0};
        for (std::size_t g = 0; g < kGroups; ++g) {
            const Doubles4 middle = half * (low[g] + high[g]);
            const Masks4 moves = (middle > low[g]) & (middle < high[g]);
            const Doubles4 value = ((c3[g] * middle + c2[g]) * middle + c1[g]) * middle + c0[g];
            const Masks4 differs = (value < zero) ^ lowNegative[g];
            low[g] = (moves & ~differs) != 0 ? middle : low[g];
            high[g] = (moves & differs) != 0 ? middle : high[g];
            moving |= moves;
        }
        if ((moving[0] | moving[1] | moving[2] | moving[3]) == 0)
            break;
    }
    std::memcpy(lanes.low.data(), low, sizeof low);
    std::memcpy(lanes.high.data(), high, sizeof high);
}

bool HasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2") != 0;
    return avx2;
}
#else
void BisectFourWide(Lanes& lanes, int steps)
{
    BisectLaneByLane(lanes, steps);
}

bool HasAvx2()
{
    return false;
}
#endif

void Finish(Lanes& lanes, bool fourWide, std::span<const RestQuery> queries,
            std::span<RestFlow> flows)
{
    Bisect(lanes, kBisectionSteps, fourWide);
    for (std::size_t i = 0; i < lanes.count; ++i) {
        const double low = lanes.low[i], high = lanes.high[i];
        const double root =
            std::fabs(lanes.Value(i, low)) <= std::fabs(lanes.Value(i, high)) ? low : high;
        flows[lanes.query[i]] = Found(queries[lanes.query[i]].path, root);
    }
    lanes = Lanes{};
}

// A lane's bracket [low, high] holds the root the bisection ends on, and the
// flow per hour (root x 3600) grows with the root; so the hour's verdict is
// known once the whole bracket lies on one side of the need. Above it, the
// root must also lie where |Cp| of the fit holds: that is sure when the
// characteristic at the lower velocity, plus what each of its terms can
} // namespace

void rest_lanes::Bisect(Lanes& lanes, int steps, bool fourWide)
{
    fourWide ? BisectFourWide(lanes, steps) : BisectLaneByLane(lanes, steps);
}

bool rest_lanes::FourWide()
{
    return HasAvx2();
}

RestFlow rest_lanes::Found(const AirPath& path, double root)
{
    RestFlow rest;
    rest.flows = true;
    rest.flowPerHour = root * 3600.0;
    rest.inRange = path.windPressure == 0.0 ||
                   std::fabs(Characteristic(path, root / path.ductArea)) <= kLargestCharacteristic;
    return rest;
}

void FlowsFromRest(std::span<const RestQuery> queries, std::span<RestFlow> flows, bool vectors)
{
    const bool fourWide = vectors && FourWide();
    Lanes lanes;
    for (std::size_t q = 0; q < queries.size(); ++q) {
        const Balance f(queries[q].path, queries[q].driving);
        flows[q] = RestFlow{};
        if (!f.StartsFromRest())
            continue;
        const Bracket bracket = FirstRoot(f);
        if (bracket.kind == Bracket::None) {
            flows[q].inRange = false;
        } else if (bracket.kind == Bracket::At) {
            flows[q] = Found(queries[q].path, bracket.high);
        } else {
            lanes.Add(f, bracket.low, bracket.high, q);
            if (lanes.count == kLanes)
                Finish(lanes, fourWide, queries, flows);
        }
    }
    Finish(lanes, fourWide, queries, flows);
}
