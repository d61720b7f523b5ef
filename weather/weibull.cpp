// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/weibull.h"

#include "calc/input_limits.h"
#include "calc/operating_point.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kGridStep = 0.1; // [m/s]
constexpr int kGridSteps = 1000;  // up to 100 m/s, the largest wind of a single run
constexpr int kBisectionSteps = 200;

Result<Weibull> Checked(Weibull weibull, const char* what)
{
    if (!std::isfinite(weibull.scale) || !(weibull.scale > 0.0))
        return Failure{std::string(what) + " musi być większa od zera – popraw wiatr."};
    if (!std::isfinite(weibull.shape) || !(weibull.shape > 0.0))
        return Failure{"Współczynnik kształtu k rozkładu Weibulla musi być większy od zera – "
                       "popraw k."};
    return weibull;
}

// The flow of one wind at the ventilator and whether it meets the need.
struct WindPoint {
    double flow = 0.0; // Qh, 0 without upward flow
    bool inRange = true;
    bool meets = false;
};

class WindFlow {
public:
    WindFlow(const WeibullCase& c, const VentilatorModel& model)
        : case_(c)
        , model_(model)
        , state_(c.state)
    {
    }
    WindPoint At(double wind)
    {
        state_.WindSpeed = wind;
        const StackPoint point = EvaluateStackPoint(state_, model_, case_.conditions);
        WindPoint p;
        p.inRange = point.status != StackStatus::OutOfRange;
        p.flow = point.status == StackStatus::Found ? point.flowPerHour : 0.0;
        p.meets = point.status == StackStatus::Found && p.flow >= case_.need;
        return p;
    }
    // The wind in (low, high] where meeting the need changes, to the last bit:
    // the first wind of the new state.
    double Change(double low, double high)
    {
        const bool lowMeets = At(low).meets;
        for (int step = 0; step < kBisectionSteps; ++step) {
            const double middle = 0.5 * (low + high);
            if (middle <= low || middle >= high)
                break;
            (At(middle).meets == lowMeets ? low : high) = middle;
        }
        return high;
    }

private:
    const WeibullCase& case_;
    const VentilatorModel& model_;
    CalcState state_;
};

Refusal CheckWeibullCase(const WeibullCase& c)
{
    CalcState state = c.state;
    state.WindSpeed = 0.0;
    if (const Refusal refusal = CheckCalculationInputs(state); refusal != Refusal::None)
        return refusal;
    if (const Refusal refusal = CheckStackConditions(c.conditions); refusal != Refusal::None)
        return refusal;
    if (!std::isfinite(c.windRatio) || !(c.windRatio > 0.0))
        return Refusal::NonFiniteInput;
    return CheckLimits({{Limited::Need, c.need}});
}

} // namespace

Result<Weibull> WeibullFromMean(double mean, double shape)
{
    Result<Weibull> checked = Checked({mean, shape}, "Średnia prędkość wiatru");
    if (!checked)
        return checked;
    return Checked({mean / std::tgamma(1.0 + 1.0 / shape), shape}, "Średnia prędkość wiatru");
}

Result<Weibull> WeibullFromScale(double scale, double shape)
{
    return Checked({scale, shape}, "Parametr skali A rozkładu Weibulla");
}

double WeibullExceedance(const Weibull& weibull, double wind)
{
    if (!(wind > 0.0))
        return 1.0;
    return std::exp(-std::pow(wind / weibull.scale, weibull.shape));
}

Result<WindShare> WeibullNeedShare(const WeibullCase& c, const VentilatorModel& model,
                                   const Weibull& weibull)
{
    if (const Refusal refusal = CheckWeibullCase(c); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    WindFlow flow(c, model);
    WindShare result;
    WindPoint previous = flow.At(0.0);
    double start = 0.0; // where the current range of meeting winds began
    int ranges = previous.meets ? 1 : 0;
    bool first = !previous.meets; // met in a calm: the smallest wind is 0
    auto atStation = [&](double wind) { return WeibullExceedance(weibull, wind / c.windRatio); };
    for (int i = 1; i <= kGridSteps; ++i) {
        const double low = (i - 1) * kGridStep, high = i * kGridStep;
        const WindPoint point = flow.At(high);
        if (!point.inRange) // beyond the characteristic's range: as just below it
            break;
        result.largestWind = high;
        result.monotone = result.monotone && point.flow >= previous.flow;
        if (point.meets != previous.meets) {
            const double change = flow.Change(low, high);
            if (point.meets) {
                start = change;
                ++ranges;
                if (std::exchange(first, false))
                    result.ventilatorWind = change;
            } else {
                result.share += atStation(start) - atStation(change);
            }
        }
        previous = point;
    }
    if (previous.meets)
        result.share += atStation(start);
    result.stationWind = result.ventilatorWind / c.windRatio;
    result.reach = ranges == 0                     ? NeedReach::NeverMet
                   : ranges > 1 || !previous.meets ? NeedReach::NotMonotone
                   : result.ventilatorWind == 0.0  ? NeedReach::MetInCalm
                                                   : NeedReach::Crossing;
    return result;
}
