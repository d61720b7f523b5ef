// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/operating_point_fast.h"

#include "calc/scan_selection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// Why the bounds hold (u = 2^-53, the rounding unit of double).
//
// Scan point i has the trial coefficient K_i = TrialCoefficient(i) and the
// real s_i = sqrt(-K_i). The bounds take K_i from TrialRange(i), an interval
// around it computed without the repeated additions. Its computed velocity, sqrt((-2 K_i) pw / (Rs
// Ro)) / A with one rounding per operation, is g s_i (1 + t) with |t| <= 3u as long as every
// intermediate result is a normal double; that is checked once, at the slowest point, where they
// are smallest. Let m(s) = |Coef0| + |Coef1| g s + (1 + |Coef2| g^2) s^2 + |Coef3| g^3 s^3 be the
// magnitude of the terms of P. Horner's rule on the computed velocity is off the real
// characteristic there by at most 6u m, the velocity's own error moves the characteristic by at
// most 9u m, the subtraction K - Cp adds u m, and the rounded coefficients of
// P another 12u m: every computed distance lies within 30u m(s_i) of P(s_i).
// The bounds, themselves computed with a few dozen roundings of the same
// size, allow 1e-11 (m + 1), some two thousand times what all of these can
// add up to, plus 1e-290 for results below the normal range. A range of scan
// points maps to the interval of s between its ends; a cubic on an interval is
// bounded from its values at the ends and the range of its slope (a quadratic,
// bounded exactly from its ends and its vertex), which is exact where it is
// monotone.
//
// Outside the normal range (no wind at all, or a velocity near the underflow)
// the distances are bounded through the computed velocities instead: every
// operation of the velocity rounds monotonically, so the computed velocities
// of a range lie between those of its ends, and the characteristic on that
// interval is bounded in the same way, with Horner's 6u and the subtraction's
// u.

namespace {

constexpr double kRelativeSlack = 1e-11;
constexpr double kAbsoluteSlack = 1e-290;
constexpr double kOutward = 1e-15; // widens a computed square root past its rounding

constexpr std::size_t kLeafSize = 16;   // shorter ranges are evaluated rather than split
constexpr std::size_t kWideWindow = 64; // wider windows are pruned around their nearest point
constexpr double kIndexMargin = 2.0;    // scan points added beside a predicted window
constexpr std::size_t kStackSize = 256;

struct Interval {
    double low;
    double high;
};

// A cubic whose double coefficients are taken as exact reals, used for x >= 0.
struct Cubic {
    double c[4];

    double Value(double x) const { return ((c[3] * x + c[2]) * x + c[1]) * x + c[0]; }
    double Slope(double x) const { return (3.0 * c[3] * x + 2.0 * c[2]) * x + c[1]; }
};

// The range of the slope of a cubic on [low, high]: its values at the ends and
// at the vertex of the slope when that lies inside.
Interval SlopeRange(const Cubic& p, double low, double high)
{
    const double atLow = p.Slope(low);
    const double atHigh = p.Slope(high);
    Interval slope{std::min(atLow, atHigh), std::max(atLow, atHigh)};
    if (p.c[3] != 0.0) {
        const double vertex = -p.c[2] / (3.0 * p.c[3]);
        if (vertex > low && vertex < high) {
            const double atVertex = p.Slope(vertex);
            slope.low = std::min(slope.low, atVertex);
            slope.high = std::max(slope.high, atVertex);
        }
    }
    return slope;
}

// Bounds of a function on [low, high] from its values at the ends and bounds
// of its slope: it rises from either end at most as fast as the slope allows.
// Exact for a monotone function.
Interval ValueRange(double low, double high, double atLow, double atHigh, Interval slope)
{
    const double width = (high - low) * (1.0 + 0x1p-50);
    const double fall = std::min(0.0, slope.low) * width;
    const double rise = std::max(0.0, slope.high) * width;
    return {std::max(atLow + fall, atHigh - rise), std::min(atLow + rise, atHigh - fall)};
}

// Bounds of the trial coefficient K_i: its checkpoint plus i mod 512 steps in
// one multiplication, off the repeated additions by at most 512 roundings of
// at most 2^-54 each (every |K| < 1), widened to 4e-14.
struct TrialRange {
    double low;
    double high;
};

TrialRange TrialBounds(std::size_t index)
{
    constexpr std::size_t kSpacing = 512;
    constexpr double kAllowance = 4e-14;
    const std::size_t base = index - index % kSpacing;
    const double estimate = TrialCoefficient(base) + static_cast<double>(index - base) * kScanStep;
    return {estimate - kAllowance, estimate + kAllowance};
}

// The scan index whose trial coefficient is nearest -s^2, as a real estimate.
double IndexOf(double s)
{
    return (-kScanStart - s * s) / kScanStep;
}

enum class Work : unsigned char {
    Bound,    // bound the range; split it around a predicted crossing or in halves
    Bisect,   // bound the range; split it in halves
    Evaluate, // evaluate every point
};

struct Range {
    std::size_t first;
    std::size_t last;
    Work work;
};

// What is known of the computed distances K - Cp of a range of scan points.
struct Bounds {
    double low = 0.0; // every distance lies in [low, high]
    double high = 0.0;
    // Through the polynomial only: the interval of s, P at its ends, the
    // slope of P on it, and the allowance for rounding.
    double sLow = 0.0;
    double sHigh = 0.0;
    double atLow = 0.0;
    double atHigh = 0.0;
    Interval slope{0.0, 0.0};
    double slack = 0.0;
};

class FastScan {
public:
    FastScan(const AirPath& path, FastScanStatistics& statistics)
        : path_(path)
        , statistics_(statistics)
        , count_(kTrialCount)
        , characteristic_{{path.coef[0], path.coef[1], path.coef[2], path.coef[3]}}
        , characteristicSize_{{std::fabs(path.coef[0]), std::fabs(path.coef[1]),
                               std::fabs(path.coef[2]), std::fabs(path.coef[3])}}
    {
    }

    ScanMatch Run()
    {
        byPolynomial_ = PrepareDistance();
        statistics_.byPolynomial = byPolynomial_;

        // Start from ranges that end at the turning points of P, so that P is
        // mostly monotone on each.
        std::array<std::size_t, 2> turns{};
        const std::size_t turnCount = byPolynomial_ ? TurningIndices(turns) : 0;
        std::size_t last = count_ - 1;
        for (std::size_t t = turnCount; t-- > 0;) {
            Push({turns[t] + 1, last, Work::Bound});
            last = turns[t];
        }
        Push({0, last, Work::Bound});

        while (depth_ > 0)
            Process(stack_[--depth_]);
        Flush();
        return selection_.Match();
    }

private:
    // Sets up P(s) when every step of the velocity stays in the normal range.
    bool PrepareDistance()
    {
        constexpr double kNormal = std::numeric_limits<double>::min();
        const double slowest = TrialBounds(count_ - 1).high; // the smallest |K|
        const double pressure = -2.0 * slowest * path_.windPressure;
        const double square = pressure / path_.resistanceDensity;
        if (!(pressure >= kNormal && square >= kNormal && TrialVelocity(path_, slowest) >= kNormal))
            return false;
        const double g =
            std::sqrt(2.0 * path_.windPressure / path_.resistanceDensity) / path_.ductArea;
        if (!(g >= kNormal) || !std::isfinite(g))
            return false;
        const double* c = path_.coef;
        distance_ = {{-c[0], -c[1] * g, -(1.0 + c[2] * g * g), -c[3] * g * g * g}};
        distanceSize_ = {{std::fabs(c[0]), std::fabs(c[1]) * g, 1.0 + std::fabs(c[2]) * g * g,
                          std::fabs(c[3]) * g * g * g}};
        for (int k = 0; k < 4; ++k) {
            if (!std::isfinite(distance_.c[k]) || !std::isfinite(distanceSize_.c[k]))
                return false;
        }
        return true;
    }

    // The scan indices of the turning points of P inside the scan, ascending.
    std::size_t TurningIndices(std::array<std::size_t, 2>& turns) const
    {
        const double a = 3.0 * distance_.c[3];
        const double b = 2.0 * distance_.c[2];
        const double c = distance_.c[1];
        double roots[2];
        std::size_t rootCount = 0;
        if (a == 0.0) {
            if (b != 0.0)
                roots[rootCount++] = -c / b;
        } else {
            const double discriminant = b * b - 4.0 * a * c;
            if (discriminant >= 0.0) {
                const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
                roots[rootCount++] = q / a;
                if (q != 0.0)
                    roots[rootCount++] = c / q;
            }
        }
        std::size_t count = 0;
        for (std::size_t r = 0; r < rootCount; ++r) {
            const double index = IndexOf(roots[r]);
            if (roots[r] > 0.0 && index >= 1.0 && index <= static_cast<double>(count_ - 3))
                turns[count++] = static_cast<std::size_t>(index);
        }
        if (count == 2) {
            if (turns[0] > turns[1])
                std::swap(turns[0], turns[1]);
            if (turns[0] == turns[1])
                count = 1;
        }
        return count;
    }

    Bounds BoundByPolynomial(std::size_t first, std::size_t last) const
    {
        Bounds b;
        // s falls as the index rises.
        b.sHigh = std::sqrt(-TrialBounds(first).low) * (1.0 + kOutward);
        b.sLow = std::sqrt(-TrialBounds(last).high) * (1.0 - kOutward);
        b.atLow = distance_.Value(b.sLow);
        b.atHigh = distance_.Value(b.sHigh);
        b.slope = SlopeRange(distance_, b.sLow, b.sHigh);
        const Interval values = ValueRange(b.sLow, b.sHigh, b.atLow, b.atHigh, b.slope);
        b.slack = kRelativeSlack * (distanceSize_.Value(b.sHigh) + 1.0) + kAbsoluteSlack;
        b.low = values.low - b.slack;
        b.high = values.high + b.slack;
        return b;
    }

    Bounds BoundByVelocity(std::size_t first, std::size_t last) const
    {
        Bounds b;
        const double firstTrial = TrialBounds(first).low;
        const double lastTrial = TrialBounds(last).high;
        const double fastest = TrialVelocity(path_, firstTrial);
        const double slowest = TrialVelocity(path_, lastTrial);
        const Interval slope = SlopeRange(characteristic_, slowest, fastest);
        const Interval values = ValueRange(slowest, fastest, Characteristic(path_, slowest),
                                           Characteristic(path_, fastest), slope);
        const double slack =
            kRelativeSlack * (characteristicSize_.Value(fastest) + 1.0) + kAbsoluteSlack;
        b.low = (firstTrial - (values.high + slack)) - slack;
        b.high = (lastTrial - (values.low - slack)) + slack;
        return b;
    }

    void Process(Range range)
    {
        if (range.work == Work::Evaluate) {
            if (byPolynomial_ && range.last - range.first >= kWideWindow)
                EvaluateWide(range.first, range.last);
            else
                Evaluate(range.first, range.last);
            return;
        }
        const Bounds b = byPolynomial_ ? BoundByPolynomial(range.first, range.last)
                                       : BoundByVelocity(range.first, range.last);
        ++statistics_.boundedRanges;
        if (b.low > kScanTolerance) {
            Clean(range.first, range.last, 1);
            return;
        }
        if (b.high < -kScanTolerance) {
            Clean(range.first, range.last, -1);
            return;
        }
        if (range.last - range.first < kLeafSize || depth_ + 3 > kStackSize) {
            Evaluate(range.first, range.last);
            return;
        }
        if (byPolynomial_ && range.work == Work::Bound && SplitAroundCrossing(range, b))
            return;
        const std::size_t middle = range.first + (range.last - range.first) / 2;
        Push({middle + 1, range.last, Work::Bound});
        Push({range.first, middle, Work::Bound});
    }

    // Where P is monotone on the range, predicts the window of s where |P| is
    // within the tolerance and its allowance, evaluates the scan points of that
    // window and leaves the two sides to be bounded (they are split in halves
    // should the prediction have missed).
    bool SplitAroundCrossing(const Range& range, const Bounds& b)
    {
        if (!(b.slope.low >= 0.0 || b.slope.high <= 0.0))
            return false;
        const double sign = b.slope.low >= 0.0 ? 1.0 : -1.0; // sign * P rises with s
        const double target = kScanTolerance + 2.0 * b.slack;
        const double atLow = sign * b.atLow;
        const double atHigh = sign * b.atHigh;
        if (!(atLow <= target && atHigh >= -target))
            return false;
        const double sFrom =
            atLow >= -target ? b.sLow : Solve(sign, -target, b.sLow, b.sHigh, atLow, atHigh);
        const double sTo = atHigh <= target ? b.sHigh
                                            : Solve(sign, target, sFrom, b.sHigh,
                                                    sign * distance_.Value(sFrom), atHigh);
        const double from =
            std::max(std::floor(IndexOf(sTo) - kIndexMargin), static_cast<double>(range.first));
        const double to =
            std::min(std::ceil(IndexOf(sFrom) + kIndexMargin), static_cast<double>(range.last));
        if (!(from <= to))
            return false;
        const auto windowFirst = static_cast<std::size_t>(from);
        const auto windowLast = static_cast<std::size_t>(to);
        if (windowLast < range.last)
            Push({windowLast + 1, range.last, Work::Bisect});
        Push({windowFirst, windowLast, Work::Evaluate});
        if (windowFirst > range.first)
            Push({range.first, windowFirst - 1, Work::Bisect});
        return true;
    }

    // The s in [low, high] where sign * P(s) = target, sign * P rising, by
    // Newton's method kept inside a shrinking bracket.
    double Solve(double sign, double target, double low, double high, double atLow,
                 double atHigh) const
    {
        double x = atHigh > atLow ? low + (high - low) * ((target - atLow) / (atHigh - atLow))
                                  : 0.5 * (low + high);
        if (!(x >= low && x <= high))
            x = 0.5 * (low + high);
        for (int step = 0; step < 200; ++step) {
            const double value = sign * distance_.Value(x) - target;
            if (value == 0.0)
                return x;
            if (value < 0.0)
                low = x;
            else
                high = x;
            double next = x - value / (sign * distance_.Slope(x));
            if (!(next > low && next < high))
                next = 0.5 * (low + high);
            if (std::fabs(next - x) <= 1e-13 || high - low <= 1e-13)
                return next;
            x = next;
        }
        return x;
    }

    // A wide window near a tangency holds thousands of points within the
    // tolerance. The point nearest the crossing is found first; elsewhere only
    // the ranges whose bounds allow a distance as small (smaller, before that
    // point: the earlier point wins a tie) are evaluated. A range that lies
    // wholly within the tolerance and cannot do so is only covered: it joins
    // the operating point without changing its choice. Should the window turn
    // out to hold more than one operating point, it is evaluated whole.
    void EvaluateWide(std::size_t first, std::size_t last)
    {
        cleanSign_ = 0;
        first = first == 0 ? 0 : first - 1; // with its neighbours, as Evaluate does
        last = std::min(last + 1, count_ - 1);
        Flush();
        const Probe probe = Nearest(first, last);
        const ScanSelection before = selection_;
        const FastScanStatistics beforeStatistics = statistics_;
        if (probe.distance <= kScanTolerance) {
            Prune(first, last, probe);
            Flush();
            if (selection_.OnePointSince(before))
                return;
            selection_ = before;
            statistics_ = beforeStatistics;
        }
        Schedule(first, last);
    }

    struct Probe {
        std::size_t index;
        double distance;
    };

    // The scan point of a window, P monotone on it, whose distance is likely
    // the smallest: beside the crossing of P, or else at the nearer end.
    Probe Nearest(std::size_t first, std::size_t last) const
    {
        const double sHigh = std::sqrt(-TrialBounds(first).low);
        const double sLow = std::sqrt(-TrialBounds(last).high);
        const double atLow = distance_.Value(sLow);
        const double atHigh = distance_.Value(sHigh);
        double index = std::fabs(atLow) < std::fabs(atHigh) ? static_cast<double>(last)
                                                            : static_cast<double>(first);
        if ((atLow < 0.0) != (atHigh < 0.0)) {
            const double sign = atHigh > atLow ? 1.0 : -1.0;
            index = IndexOf(Solve(sign, 0.0, sLow, sHigh, sign * atLow, sign * atHigh));
        }
        const double centre =
            std::clamp(std::round(index), static_cast<double>(first), static_cast<double>(last));
        const std::size_t from =
            std::max(first, static_cast<std::size_t>(centre) -
                                (centre >= 2.0 ? std::size_t{2} : std::size_t{0}));
        const std::size_t to = std::min(last, static_cast<std::size_t>(centre) + 2);
        Probe nearest{from, std::numeric_limits<double>::infinity()};
        double trial = TrialCoefficient(from);
        for (std::size_t i = from; i <= to; ++i, trial += kScanStep) {
            const double distance = std::fabs(trial - TrialCharacteristic(path_, trial));
            if (distance < nearest.distance)
                nearest = {i, distance};
        }
        return nearest;
    }

    void Prune(std::size_t first, std::size_t last, const Probe& probe)
    {
        if (last - first < kLeafSize) {
            Schedule(first, last);
            return;
        }
        if (last < probe.index || first > probe.index) {
            const Bounds b = BoundByPolynomial(first, last);
            ++statistics_.boundedRanges;
            const double nearest = b.low > 0.0 ? b.low : (b.high < 0.0 ? -b.high : 0.0);
            const bool within = b.low >= -kScanTolerance && b.high <= kScanTolerance;
            if (within &&
                (first > probe.index ? nearest >= probe.distance : nearest > probe.distance)) {
                // Its ends are evaluated so that the changes of sign beside it are seen.
                Schedule(first, first);
                Flush();
                selection_.Cover(first + 1, last - 1);
                Schedule(last, last);
                return;
            }
        }
        const std::size_t middle = first + (last - first) / 2;
        Prune(first, middle, probe);
        Prune(middle + 1, last, probe);
    }

    void Push(const Range& range) { stack_[depth_++] = range; }

    // A range whose distances all have one sign and lie beyond the tolerance.
    // Two such ranges of opposite signs meet at a change of sign.
    void Clean(std::size_t first, std::size_t last, int sign)
    {
        if (cleanSign_ != 0 && cleanSign_ != sign && cleanLast_ + 1 == first)
            Schedule(first - 1, first);
        cleanSign_ = sign;
        cleanLast_ = last;
    }

    // A range to evaluate, together with its neighbours, which may lie beside a
    // change of sign.
    void Evaluate(std::size_t first, std::size_t last)
    {
        cleanSign_ = 0;
        Schedule(first == 0 ? 0 : first - 1, std::min(last + 1, count_ - 1));
    }

    // Ranges arrive in index order; touching ones are joined into one run.
    void Schedule(std::size_t first, std::size_t last)
    {
        if (pending_ && first <= runLast_ + 1) {
            runLast_ = std::max(runLast_, last);
            return;
        }
        Flush();
        runFirst_ = first;
        runLast_ = last;
        pending_ = true;
    }

    void Flush()
    {
        if (!pending_)
            return;
        selection_.Visit(path_, runFirst_, runLast_);
        statistics_.evaluatedPoints += runLast_ - runFirst_ + 1;
        pending_ = false;
    }

    const AirPath& path_;
    FastScanStatistics& statistics_;
    std::size_t count_;
    Cubic characteristic_;     // Cp(c)
    Cubic characteristicSize_; // the magnitudes of its coefficients
    bool byPolynomial_ = false;
    Cubic distance_{};     // P(s)
    Cubic distanceSize_{}; // the magnitudes of the terms that make up its coefficients

    std::array<Range, kStackSize> stack_;
    std::size_t depth_ = 0;

    int cleanSign_ = 0;
    std::size_t cleanLast_ = 0;
    bool pending_ = false;
    std::size_t runFirst_ = 0;
    std::size_t runLast_ = 0;
    ScanSelection selection_;
};

} // namespace

ScanMatch ScanFast(const AirPath& path, FastScanStatistics& statistics)
{
    statistics = FastScanStatistics{};
    return FastScan(path, statistics).Run();
}

ScanMatch ScanFast(const AirPath& path)
{
    FastScanStatistics statistics;
    return ScanFast(path, statistics);
}
