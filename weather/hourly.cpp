// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/hourly.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/operating_point.h"
#include "weather/rest_flow.h"
#include "weather/rest_verdict.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// The density of the check of a case's inputs, before any hour has its own.
constexpr double kTrialDensity = 1.2;

// What the summary needs of one hour.
struct HourOutcome {
    int month = 1;
    HourStatus status = HourStatus::Missing;
    double flowPerHour = 0.0;
};

HourStatus FromStack(StackStatus status)
{
    switch (status) {
    case StackStatus::Found:
        return HourStatus::Flow;
    case StackStatus::NoDraught:
        return HourStatus::NoDraught;
    case StackStatus::OutOfRange:
        return HourStatus::OutOfRange;
    case StackStatus::Refused:
        break;
    }
    return HourStatus::Refused;
}

// The hour's air, the same for every model, and the conditions of its
// gravity draught. Refused where the density formula gives none, where the
// density, the wind or the humidity leave the bounds a single run accepts,
// or where the draught's conditions are refused.
HourlyYear::Hour HourAir(const HourlyCase& c, const WeatherHour& hour, StackConditions& conditions)
{
    HourlyYear::Hour air;
    air.month = hour.month;
    if (hour.missing) {
        air.status = HourStatus::Missing;
        return air;
    }
    const WeatherDensity density =
        AirDensityFromMeasurement(hour.temperature, hour.pressure, hour.humidity);
    air.density = density.density;
    air.wind = hour.wind * c.windRatio;
    conditions = StackConditions{c.inside, hour.temperature, c.height, 0.0, hour.pressure};
    Refusal refusal = density.refusal;
    if (refusal == Refusal::None)
        refusal = CheckLimits({{Limited::AirDensity, air.density},
                               {Limited::WindSpeed, air.wind},
                               {Limited::Humidity, hour.humidity}});
    if (refusal == Refusal::None)
        refusal = CheckStackConditions(conditions);
    if (refusal != Refusal::None) {
        air.status = HourStatus::Refused;
        air.refusal = refusal;
        return air;
    }
    air.stackPressure = StackPressure(conditions);
    return air;
}

// The state of one hour: the case's duct with the hour's density and wind.
CalcState HourState(const CalcState& state, double density, double wind)
{
    CalcState hourState = state;
    hourState.DensityEntered = true;
    hourState.AirDensity = density;
    hourState.WindSpeed = wind;
    return hourState;
}

void CountMonths(const std::vector<HourOutcome>& outcomes, double need, HourlySummary& s)
{
    for (const HourOutcome& o : outcomes) {
        MonthShare& month = s.months[static_cast<std::size_t>(o.month - 1)];
        switch (o.status) {
        case HourStatus::Flow:
        case HourStatus::NoDraught:
        case HourStatus::OutOfRange: {
            const bool meets = o.status == HourStatus::Flow && o.flowPerHour >= need;
            ++s.computedHours;
            ++month.hours;
            s.meetingHours += meets ? 1 : 0;
            month.meeting += meets ? 1 : 0;
            s.noFlowHours += o.status == HourStatus::NoDraught ? 1 : 0;
            s.outOfRangeHours += o.status == HourStatus::OutOfRange ? 1 : 0;
            break;
        }
        case HourStatus::Refused:
            ++s.refusedHours;
            break;
        case HourStatus::Missing:
            ++s.missingHours;
            break;
        }
    }
}

// Sorts flows (finite, never below +0) from the largest down: by their bits,
// whose order is that of the values for such numbers, eleven bits a pass
// from the lowest, a pass skipped where every flow has the same digit.
void SortDescending(std::vector<double>& flows)
{
    constexpr int kDigitBits = 11;
    constexpr std::uint64_t kDigits = std::uint64_t{1} << kDigitBits;
    std::vector<std::uint64_t> keys(flows.size()), other(flows.size());
    for (std::size_t i = 0; i < flows.size(); ++i)
        keys[i] = ~std::bit_cast<std::uint64_t>(flows[i]); // descending
    std::vector<std::size_t> counts(kDigits);
    for (int shift = 0; shift < 64; shift += kDigitBits) {
        std::fill(counts.begin(), counts.end(), 0);
        for (const std::uint64_t key : keys)
            ++counts[(key >> shift) & (kDigits - 1)];
        if (!keys.empty() && counts[(keys[0] >> shift) & (kDigits - 1)] == keys.size())
            continue;
        std::size_t place = 0;
        for (std::size_t& count : counts)
            place += std::exchange(count, place);
        for (const std::uint64_t key : keys)
            other[counts[(key >> shift) & (kDigits - 1)]++] = key;
        keys.swap(other);
    }
    for (std::size_t i = 0; i < flows.size(); ++i)
        flows[i] = std::bit_cast<double>(~keys[i]);
}

// The flow of the duration curve reached in at least `percent` % of its hours.
double Exceeded(const std::vector<double>& curve, std::size_t percent)
{
    if (curve.empty())
        return 0.0;
    const std::size_t place = (percent * curve.size() + 99) / 100;
    return curve[std::max<std::size_t>(place, 1) - 1];
}

HourlySummary Summarize(const std::vector<HourOutcome>& outcomes, double need)
{
    HourlySummary s;
    s.periodHours = static_cast<int>(outcomes.size());
    CountMonths(outcomes, need, s);
    if (s.computedHours > 0)
        s.share = static_cast<double>(s.meetingHours) / s.computedHours;
    double worst = 2.0;
    for (std::size_t m = 0; m < s.months.size(); ++m) {
        MonthShare& month = s.months[m];
        if (month.hours == 0)
            continue;
        month.share = static_cast<double>(month.meeting) / month.hours;
        if (month.share < worst) {
            worst = month.share;
            s.worstMonth = static_cast<int>(m) + 1;
        }
    }
    s.durationCurve.reserve(outcomes.size());
    for (const HourOutcome& o : outcomes) {
        if (o.status == HourStatus::Flow || o.status == HourStatus::NoDraught)
            s.durationCurve.push_back(o.status == HourStatus::Flow ? o.flowPerHour : 0.0);
    }
    SortDescending(s.durationCurve);
    s.flowExceeded50 = Exceeded(s.durationCurve, 50);
    s.flowExceeded90 = Exceeded(s.durationCurve, 90);
    return s;
}

} // namespace

bool WeatherPeriod::Contains(int month, int day) const
{
    const int key = month * 100 + day;
    const int from = fromMonth * 100 + fromDay;
    const int to = toMonth * 100 + toDay;
    return from <= to ? key >= from && key <= to : key >= from || key <= to;
}

WeatherPeriod WholeYear()
{
    return {};
}

WeatherPeriod HeatingSeason()
{
    return {10, 1, 4, 30};
}

Result<WeatherPeriod> MonthsPeriod(int fromMonth, int toMonth)
{
    if (fromMonth < 1 || fromMonth > 12 || toMonth < 1 || toMonth > 12)
        return Failure{"Miesiące okresu muszą być liczbami od 1 do 12."};
    return WeatherPeriod{fromMonth, 1, toMonth, 31};
}

Refusal CheckHourlyCase(const HourlyCase& c)
{
    const CalcState state = HourState(c.state, kTrialDensity, 0.0);
    if (const Refusal refusal = CheckCalculationInputs(state); refusal != Refusal::None)
        return refusal;
    if (!std::isfinite(c.inside) || !std::isfinite(c.windRatio) || !(c.windRatio > 0.0))
        return Refusal::NonFiniteInput;
    if (!(c.inside > kAbsoluteZero))
        return Refusal::StackTemperature;
    return CheckLimits({{Limited::StackHeight, c.height}, {Limited::Need, c.need}});
}

HourRow EvaluateHour(const HourlyCase& c, const VentilatorModel& model, const WeatherHour& hour)
{
    HourRow row;
    row.month = hour.month;
    row.day = hour.day;
    row.hour = hour.hour;
    row.outside = hour.temperature;
    row.pressure = hour.pressure;
    StackConditions conditions;
    const HourlyYear::Hour air = HourAir(c, hour, conditions);
    row.density = air.density;
    row.wind = air.wind;
    row.status = air.status;
    row.refusal = air.refusal;
    if (air.status != HourStatus::Flow)
        return row;
    const StackPoint point =
        EvaluateStackPoint(HourState(c.state, air.density, air.wind), model, conditions);
    row.status = FromStack(point.status);
    row.refusal = point.refusal;
    row.flowPerHour = point.status == StackStatus::Found ? point.flowPerHour : 0.0;
    return row;
}

std::vector<HourRow> ListHours(const HourlyCase& c, const VentilatorModel& model,
                               const WeatherYear& year)
{
    std::vector<HourRow> rows;
    for (const WeatherHour& hour : year.hours) {
        if (c.period.Contains(hour.month, hour.day))
            rows.push_back(EvaluateHour(c, model, hour));
    }
    return rows;
}

HourlySummary SummarizeHours(const std::vector<HourRow>& rows, double need)
{
    std::vector<HourOutcome> outcomes;
    outcomes.reserve(rows.size());
    for (const HourRow& row : rows)
        outcomes.push_back({row.month, row.status, row.flowPerHour});
    return Summarize(outcomes, need);
}

Result<HourlySummary> EvaluateYearPlain(const HourlyCase& c, const VentilatorModel& model,
                                        const WeatherYear& year)
{
    if (const Refusal refusal = CheckHourlyCase(c); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    return SummarizeHours(ListHours(c, model, year), c.need);
}

Result<HourlyYear> HourlyYear::Prepare(const HourlyCase& c, const WeatherYear& year)
{
    if (const Refusal refusal = CheckHourlyCase(c); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    HourlyYear prepared;
    prepared.case_ = c;
    prepared.hours_.reserve(year.hours.size());
    prepared.leastDensity_ = kTrialDensity;
    for (const WeatherHour& hour : year.hours) {
        StackConditions conditions;
        if (!c.period.Contains(hour.month, hour.day))
            continue;
        const Hour& air = prepared.hours_.emplace_back(HourAir(c, hour, conditions));
        if (air.status == HourStatus::Flow) {
            prepared.leastDensity_ = std::min(prepared.leastDensity_, air.density);
            prepared.strongestWind_ = std::max(prepared.strongestWind_, air.wind);
        }
    }
    return prepared;
}

// The air path of every hour differs from the model's on the case's duct
// only in the wind and the density, set here as PrepareAirPath sets them,
// where no hour can leave the range it accepts: with a density 1 % below the
// least of the hours and a wind 1 % above the strongest it is accepted, and
// its bound grows with the wind and falls with the density. Elsewhere each
// hour is prepared on its own. take(i, query) gets every hour i still to
// compute, refuse(i) one the model's air path refuses.
template <class Take, class Refuse>
void HourlyYear::EachQuery(const CalcState& state, const VentilatorModel& model, Take take,
                           Refuse refuse) const
{
    const PreparedAirPath base = PrepareAirPath(HourState(state, kTrialDensity, 0.0), model);
    const bool shared =
        base.refusal == Refusal::None &&
        PrepareAirPath(HourState(state, 0.99 * leastDensity_, 1.01 * strongestWind_), model)
                .refusal == Refusal::None;
    RestQuery query{base.path, 0.0};
    for (std::size_t i = 0; i < hours_.size(); ++i) {
        const Hour& air = hours_[i];
        if (air.status != HourStatus::Flow)
            continue;
        query.driving = air.stackPressure;
        if (shared) {
            query.path.windSpeed = air.wind;
            query.path.windPressure = 0.6 * air.wind * air.wind;
            query.path.resistanceDensity = query.path.resistance * air.density;
        } else {
            const PreparedAirPath own =
                PrepareAirPath(HourState(state, air.density, air.wind), model);
            if (own.refusal != Refusal::None) {
                refuse(i);
                continue;
            }
            query.path = own.path;
        }
        take(i, query);
    }
}

Result<double> HourlyYear::DuctShare(const CalcState& state, double need,
                                     const VentilatorModel& model) const
{
    HourlyCase c = case_;
    c.state = state;
    c.need = need;
    if (const Refusal refusal = CheckHourlyCase(c); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    // Every hour asked is computed: it flows, or not, or leaves the range.
    MeetingCounter counter(need);
    int computed = 0;
    EachQuery(
        state, model,
        [&](std::size_t i, const RestQuery& query) {
            counter.Add(query, i);
            ++computed;
        },
        [](std::size_t) {});
    counter.Finish();
    return computed > 0 ? static_cast<double>(counter.Meeting()) / computed : 0.0;
}

HourlySummary HourlyYear::EvaluateModel(const VentilatorModel& model) const
{
    std::vector<RestQuery> queries;
    std::vector<std::size_t> which;
    std::vector<HourStatus> statuses(hours_.size());
    for (std::size_t i = 0; i < hours_.size(); ++i)
        statuses[i] = hours_[i].status;
    queries.reserve(hours_.size());
    which.reserve(hours_.size());
    EachQuery(
        case_.state, model,
        [&](std::size_t i, const RestQuery& query) {
            queries.push_back(query);
            which.push_back(i);
        },
        [&](std::size_t i) { statuses[i] = HourStatus::Refused; });
    std::vector<RestFlow> flows(queries.size());
    FlowsFromRest(queries, flows);

    std::vector<HourOutcome> outcomes;
    outcomes.reserve(hours_.size());
    for (std::size_t i = 0; i < hours_.size(); ++i)
        outcomes.push_back({hours_[i].month, statuses[i], 0.0});
    for (std::size_t k = 0; k < flows.size(); ++k) {
        const RestFlow& rest = flows[k];
        HourOutcome& o = outcomes[which[k]];
        o.status = !rest.inRange ? HourStatus::OutOfRange
                   : rest.flows  ? HourStatus::Flow
                                 : HourStatus::NoDraught;
        o.flowPerHour = o.status == HourStatus::Flow ? rest.flowPerHour : 0.0;
    }
    return Summarize(outcomes, case_.need);
}

std::array<HourlySummary, kVentilatorCount> HourlyYear::EvaluateAllModels() const
{
    std::array<HourlySummary, kVentilatorCount> summaries;
    for (std::size_t i = 0; i < summaries.size(); ++i)
        summaries[i] = EvaluateModel(kVentilatorCatalogue[i]);
    return summaries;
}

Result<HourlySummary> EvaluateYear(const HourlyCase& c, const VentilatorModel& model,
                                   const WeatherYear& year)
{
    Result<HourlyYear> prepared = HourlyYear::Prepare(c, year);
    if (!prepared)
        return prepared.Fault();
    return prepared.Value().EvaluateModel(model);
}
