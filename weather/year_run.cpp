// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/year_run.h"

#include "calc/refusal.h"

#include <utility>

namespace {

HourlyCase HourlyOf(const LoadedWeather& weather, const YearQuestion& q, double ratio)
{
    HourlyCase c;
    c.state = q.state;
    c.inside = weather.source.inside;
    c.height = q.height;
    c.windRatio = ratio;
    c.need = q.need;
    c.period = q.period;
    return c;
}

WeibullCase WeibullOf(const LoadedWeather& weather, const YearQuestion& q, double ratio)
{
    WeibullCase c;
    c.state = q.state;
    c.conditions.inside = weather.source.inside;
    c.conditions.outside = weather.source.outside;
    c.conditions.height = q.height;
    c.conditions.pressure = q.pressure;
    c.windRatio = ratio;
    c.need = q.need;
    return c;
}

Result<int> CheckedModel(int model)
{
    if (model < 1 || model > static_cast<int>(kVentilatorCount))
        return Failure{"Wywietrznik musi mieć numer od 1 do 27."};
    return model;
}

YearOutcome OutcomeOf(int model, double ratio)
{
    YearOutcome outcome;
    outcome.model = model;
    outcome.windRatio = ratio;
    return outcome;
}

} // namespace

Result<YearOutcome> EvaluateYearModel(const LoadedWeather& weather, const YearQuestion& q,
                                      int model)
{
    if (Result<int> checked = CheckedModel(model); !checked)
        return checked.Fault();
    const Result<double> ratio = SiteWindRatio(q.site);
    if (!ratio)
        return ratio.Fault();
    YearOutcome outcome = OutcomeOf(model, ratio.Value());
    const VentilatorModel& ventilator = LookUpVentilator(model);
    if (weather.source.kind == WeatherSource::Kind::Distribution) {
        Result<WindShare> share =
            WeibullNeedShare(WeibullOf(weather, q, ratio.Value()), ventilator, weather.weibull);
        if (!share)
            return share.Fault();
        outcome.distribution = true;
        outcome.share = share.Value();
        return outcome;
    }
    Result<HourlySummary> summary =
        EvaluateYear(HourlyOf(weather, q, ratio.Value()), ventilator, weather.year);
    if (!summary)
        return summary.Fault();
    outcome.summary = std::move(summary).Value();
    return outcome;
}

Result<std::vector<YearOutcome>> EvaluateYearAllModels(const LoadedWeather& weather,
                                                       const YearQuestion& q)
{
    const Result<double> ratio = SiteWindRatio(q.site);
    if (!ratio)
        return ratio.Fault();
    std::vector<YearOutcome> outcomes;
    if (weather.source.kind == WeatherSource::Kind::Distribution) {
        for (int model = 1; model <= static_cast<int>(kVentilatorCount); ++model) {
            Result<YearOutcome> one = EvaluateYearModel(weather, q, model);
            if (!one)
                return one.Fault();
            outcomes.push_back(std::move(one).Value());
        }
        return outcomes;
    }
    Result<HourlyYear> year =
        HourlyYear::Prepare(HourlyOf(weather, q, ratio.Value()), weather.year);
    if (!year)
        return year.Fault();
    std::array<HourlySummary, kVentilatorCount> all = year.Value().EvaluateAllModels();
    for (std::size_t i = 0; i < all.size(); ++i) {
        outcomes.push_back(OutcomeOf(static_cast<int>(i + 1), ratio.Value()));
        outcomes.back().summary = std::move(all[i]);
    }
    return outcomes;
}

Result<std::vector<HourRow>> ListYearHours(const LoadedWeather& weather, const YearQuestion& q,
                                           int model)
{
    if (Result<int> checked = CheckedModel(model); !checked)
        return checked.Fault();
    const Result<double> ratio = SiteWindRatio(q.site);
    if (!ratio)
        return ratio.Fault();
    if (weather.source.kind == WeatherSource::Kind::Distribution)
        return std::vector<HourRow>{};
    const HourlyCase c = HourlyOf(weather, q, ratio.Value());
    if (const Refusal refusal = CheckHourlyCase(c); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    return ListHours(c, LookUpVentilator(model), weather.year);
}
