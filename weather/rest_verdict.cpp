// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/rest_verdict.h"

#include <algorithm>
#include <cmath>
#include <utility>

using rest_lanes::Bracket;
using rest_lanes::kBisectionSteps;
using rest_lanes::kLanes;

namespace {

// A lane's bracket [low, high] holds the root the bisection ends on, and the
// flow per hour (root x 3600) grows with the root; so the hour's verdict is
// known once the whole bracket lies on one side of the need. Above it, the
// root must also lie where |Cp| of the fit holds: that is sure when the
// characteristic at the lower velocity, plus what each of its terms can
// still grow by up to the higher one, stays below the bound with a margin far
// above any rounding.
bool SurelyInRange(const AirPath& path, double low, double high)
{
    if (path.windPressure == 0.0)
        return true;
    const double from = low / path.ductArea, to = high / path.ductArea;
    double spread = 0.0, size = std::fabs(path.coef[0]);
    double powerFrom = 1.0, powerTo = 1.0;
    for (int k = 1; k < 4; ++k) {
        powerFrom *= from;
        powerTo *= to;
        spread += std::fabs(path.coef[k]) * (powerTo - powerFrom);
        size += std::fabs(path.coef[k]) * powerTo;
    }
    const double margin = 1e-9 * size + 1e-12;
    return std::fabs(Characteristic(path, from)) + spread + margin <= kLargestCharacteristic;
}

bool MeetsAt(const AirPath& path, double root, double needPerHour)
{
    const RestFlow rest = rest_lanes::Found(path, root);
    return rest.inRange && rest.flowPerHour >= needPerHour;
}

// Bisection steps between two looks at the lanes; it divides the steps'
// limit, so that a lane stops after exactly as many as in FlowsFromRest.
constexpr int kStepsBetweenLooks = 6;
static_assert(rest_lanes::kBisectionSteps % kStepsBetweenLooks == 0);

} // namespace

MeetingCounter::MeetingCounter(double needPerHour, bool vectors)
    : need_(needPerHour)
    , fourWide_(vectors && rest_lanes::FourWide())
    , below_(needPerHour / 3600.0 * (1.0 - 1e-6))
    , above_(needPerHour / 3600.0 * (1.0 + 1e-6))
{
}

void MeetingCounter::Note(std::size_t index, bool meets)
{
    meeting_ += meets ? 1 : 0;
    if (!record_.empty())
        record_[index] = meets ? 1 : 0;
}

void MeetingCounter::Add(const RestQuery& query, std::size_t index)
{
    const Terms& terms = TermsOf(query.path);
    if (SurelyBelow(query, terms))
        return Note(index, false);
    if (SurelyMeets(query, terms))
        return Note(index, true);
    const rest_lanes::Balance f(query.path, query.driving);
    if (!f.StartsFromRest())
        return Note(index, false);
    const Bracket bracket = rest_lanes::FirstRoot(f);
    if (bracket.kind == Bracket::None)
        return Note(index, false);
    if (bracket.kind == Bracket::At)
        return Note(index, MeetsAt(query.path, bracket.high, need_));
    auto free = std::find(busy_.begin(), busy_.end(), false);
    while (free == busy_.end()) {
        Step();
        free = std::find(busy_.begin(), busy_.end(), false);
    }
    const auto lane = static_cast<std::size_t>(free - busy_.begin());
    lanes_.Put(lane, f, bracket.low, bracket.high, index);
    paths_[lane] = query.path;
    busy_[lane] = true;
    steps_[lane] = 0;
}

void MeetingCounter::Finish()
{
    while (std::find(busy_.begin(), busy_.end(), true) != busy_.end())
        Step();
}

void MeetingCounter::Step()
{
    rest_lanes::Bisect(lanes_, kStepsBetweenLooks, fourWide_);
    for (std::size_t i = 0; i < kLanes; ++i) {
        if (busy_[i])
            Look(i);
    }
}

// A lane's verdict once its bracket lies on one side of the need, or once
// its bisection has ended as FlowsFromRest's would.
void MeetingCounter::Look(std::size_t i)
{
    steps_[i] += kStepsBetweenLooks;
    const double low = lanes_.low[i], high = lanes_.high[i];
    const double middle = 0.5 * (low + high);
    const AirPath& path = paths_[i];
    bool meets = false;
    if (high * 3600.0 < need_) {
        meets = false;
    } else if (!(middle > low && middle < high) || steps_[i] >= kBisectionSteps) {
        const double root =
            std::fabs(lanes_.Value(i, low)) <= std::fabs(lanes_.Value(i, high)) ? low : high;
        meets = MeetsAt(path, root, need_);
    } else if (low * 3600.0 >= need_ && SurelyInRange(path, low, high)) {
        meets = true;
    } else {
        return;
    }
    Note(lanes_.query[i], meets);
    busy_[i] = false;
    lanes_.low[i] = lanes_.high[i] = 0.0; // stays where it is
}

// The terms of g at flow q that come from the characteristic,
// S(q) = sum over k = 1..3 of Coef_k q^k / A^k, and their sizes, so that an
// hour computes g(q) = dps - pw (Coef0 + S(q)) - Ro Rs q^2 / 2 in a few
// products. Formed in another order than the balance's, it differs from it
// by roundings far below the margin.
MeetingCounter::Terms::At MeetingCounter::TermsAt(const AirPath& path, double q)
{
    Terms::At at;
    at.q = q;
    double power = 1.0, area = 1.0;
    for (int k = 1; k < 4; ++k) {
        power *= q;
        area *= path.ductArea;
        const double term = path.coef[k] / area * power;
        at.sum += term;
        at.size += std::fabs(term);
        if (k != 2)
            at.positive += std::max(term, 0.0);
        else
            at.square = path.coef[k] / area;
    }
    return at;
}

const MeetingCounter::Terms& MeetingCounter::TermsOf(const AirPath& path)
{
    if (std::equal(std::begin(path.coef), std::end(path.coef), terms_.coef.begin()) &&
        path.ductArea == terms_.area)
        return terms_;
    std::copy(std::begin(path.coef), std::end(path.coef), terms_.coef.begin());
    terms_.area = path.ductArea;
    terms_.below = TermsAt(path, below_);
    terms_.above = TermsAt(path, above_);
    terms_.top = TermsAt(path, TopInRange(path));
    return terms_;
}

// g(at.q) and its margin, far above any rounding of it.
std::pair<double, double> MeetingCounter::Balance(const RestQuery& query, const Terms::At& at) const
{
    const double pw = query.path.windPressure, friction = 0.5 * query.path.resistanceDensity;
    const double square = at.q * at.q;
    const double value = query.driving - pw * (query.path.coef[0] + at.sum) - friction * square;
    const double size = std::fabs(query.driving) + pw * (std::fabs(query.path.coef[0]) + at.size) +
                        friction * square;
    return {value, 1e-9 * size + 1e-300};
}

// g is clearly below zero a little under the need's flow: g(0) > 0, so the
// smallest root, and the bisection's end with it, lies under it; or the air
// does not start at all. Either way the need is not met.
bool MeetingCounter::SurelyBelow(const RestQuery& query, const Terms& terms) const
{
    if (!(need_ > 0.0))
        return false;
    const auto [value, margin] = Balance(query, terms.below);
    return value < -margin;
}

// g is clearly above zero from 0 to a little over the need's flow, even with
// every negative term at its largest, so the root lies above it; and g is
// clearly negative again at a flow up to which the characteristic surely stays
// in range, so the root lies below that.
bool MeetingCounter::SurelyMeets(const RestQuery& query, const Terms& terms) const
{
    const double pw = query.path.windPressure;
    if (pw == 0.0 || !(terms.top.q > above_))
        return false;
    const Terms::At& at = terms.above;
    const double square = -pw * at.square - 0.5 * query.path.resistanceDensity;
    const double least = query.driving - pw * query.path.coef[0] - pw * at.positive +
                         std::min(square, 0.0) * at.q * at.q;
    if (!(least > Balance(query, at).second))
        return false;
    const auto [value, margin] = Balance(query, terms.top);
    return value < -margin;
}

// The largest flow up to which SurelyInRange holds from below_, for the
// characteristic of `path`; 0 where it does not hold even there.
double MeetingCounter::TopInRange(const AirPath& path) const
{
    if (!SurelyInRange(path, below_, below_))
        return 0.0;
    double low = below_, high = std::max(2.0 * below_, 1e-3);
    while (SurelyInRange(path, below_, high) && high < 1e3) {
        low = high;
        high *= 2.0;
    }
    for (int step = 0; step < 60; ++step) {
        const double middle = 0.5 * (low + high);
        (SurelyInRange(path, below_, middle) ? low : high) = middle;
    }
    return low;
}

void MeetsFromRest(std::span<const RestQuery> queries, double needPerHour,
                   std::span<std::uint8_t> meets, bool vectors)
{
    MeetingCounter counter(needPerHour, vectors);
    counter.Record(meets);
    for (std::size_t i = 0; i < queries.size(); ++i)
        counter.Add(queries[i], i);
    counter.Finish();
}
