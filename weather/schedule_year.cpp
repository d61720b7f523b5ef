// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/schedule_year.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/sentence.h"
#include "weather/hourly.h"
#include "weather/year_run.h"

#include <algorithm>
#include <map>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

const char* const kOpenRoom = "Udział godzin policzono jak w otwartym pomieszczeniu: bilans "
                              "mieszkania nie jest liczony godzina po godzinie";

// What every row of the schedule shares: the weather with the building's ti
// (and te of a distribution), the site, the period, and the hours of a file
// prepared once for each height H of the draught.
} // namespace

struct YearContext {
    const LoadedWeather* file = nullptr;
    std::optional<LoadedWeather> distribution; // with the building's temperatures
    Site site;
    WeatherPeriod period;
    double ratio = 1.0;
    double target = 0.9; // the share to reach, 0..1
    Outcome ready;       // failed: no row can be computed
    std::map<double, Result<HourlyYear>> hours;
};

namespace {

HourlyCase CaseOf(const YearContext& ctx, const ScheduleBuilding& b, const RowInputs& in,
                  double need)
{
    HourlyCase c;
    c.state = in.state;
    c.inside = b.inside;
    c.height = in.stack.height;
    c.windRatio = ctx.ratio;
    c.need = need;
    c.period = ctx.period;
    return c;
}

// The hours of a file for the height of a row that can be computed.
void PrepareHours(YearContext& ctx, const ScheduleBuilding& b, const ScheduleRow& row)
{
    if (!ctx.ready || ctx.distribution)
        return;
    const RowInputs in = BuildRowInputs(b, row);
    if (!in.computable)
        return;
    auto found = ctx.hours.find(in.stack.height);
    if (found != ctx.hours.end() && found->second)
        return;
    Result<HourlyYear> prepared =
        HourlyYear::Prepare(CaseOf(ctx, b, in, RowNeed(row)), ctx.file->year);
    ctx.hours.insert_or_assign(in.stack.height, std::move(prepared));
}

void SetUp(YearContext& ctx, const ScheduleBuilding& b, const ScheduleWeather& w)
{
    ctx.file = w.weather.get();
    ctx.target = b.yearShare / 100.0;
    ctx.site = Site{w.stationTerrain, w.buildingTerrain,
                    ScheduleVentilatorHeight(b.storeys, b.storeyHeight)};
    const Result<double> ratio = SiteWindRatio(ctx.site);
    const Result<WeatherPeriod> period = ParsePeriod(b.yearPeriod);
    if (!ratio || !period) {
        ctx.ready = !ratio ? ratio.Fault() : period.Fault();
        return;
    }
    ctx.ratio = ratio.Value();
    ctx.period = period.Value();
    if (w.weather->source.kind == WeatherSource::Kind::Distribution) {
        ctx.distribution = *w.weather;
        ctx.distribution->source.inside = b.inside;
        ctx.distribution->source.outside = b.outside;
    }
}

// The share of the period in which `model` meets the row's need, or why not.
Result<double> RowShare(const YearContext& ctx, const RowResult& r, int model)
{
    if (ctx.distribution) {
        YearQuestion q;
        q.state = r.inputs.state;
        q.height = r.inputs.stack.height;
        q.need = r.need;
        q.pressure = r.inputs.stack.pressure;
        q.site = ctx.site;
        q.period = ctx.period;
        const Result<YearOutcome> outcome = EvaluateYearModel(*ctx.distribution, q, model);
        if (!outcome)
            return outcome.Fault();
        return outcome.Value().MeetingShare();
    }
    const auto found = ctx.hours.find(r.inputs.stack.height);
    if (found == ctx.hours.end())
        return Failure{std::string(kNoWeatherReason)};
    if (!found->second)
        return found->second.Fault();
    return found->second.Value().DuctShare(r.inputs.state, r.need, LookUpVentilator(model));
}

// "dobierz" on the year: the first diameter with a model that reaches the
// share, in it the least share that does; and the model with the most.
struct YearPick {
    int model = 0;
    double share = 0.0;
    int nearest = 0;
    double nearestShare = -1.0;
    std::string reason;
};

YearPick Pick(const YearContext& ctx, const RowResult& r)
{
    YearPick pick;
    const auto& order = ModelsByDiameter();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Result<double> share = RowShare(ctx, r, order[i]);
        if (!share) {
            pick.reason = pick.reason.empty() ? share.Reason() : pick.reason;
        } else {
            if (share.Value() > pick.nearestShare) {
                pick.nearest = order[i];
                pick.nearestShare = share.Value();
            }
            if (share.Value() >= ctx.target && (pick.model == 0 || share.Value() < pick.share)) {
                pick.model = order[i];
                pick.share = share.Value();
            }
        }
        // A smaller diameter always wins: the search stops at the end of the
        // first diameter that holds a model reaching the share.
        const bool lastOfDiameter =
            i + 1 == order.size() || LookUpVentilator(order[i + 1]).NominalDiameter !=
                                         LookUpVentilator(order[i]).NominalDiameter;
        if (pick.model != 0 && lastOfDiameter)
            break;
    }
    return pick;
}

std::string Percent(double share)
{
    return FormatFixed(100.0 * share, 2) + " %";
}

std::string Named(int model)
{
    return std::string(VentilatorCaption(model)) + " (nr " + FormatWhole(model) + ")";
}

void SetShare(RowResult& r, double share, double target)
{
    r.yearShare = share;
    r.meets = share >= target;
}

// The row's model not reaching the share, or "dobierz": the pick.
void ApplyPick(const YearContext& ctx, const ScheduleBuilding& b, const ScheduleRow& row,
               RowResult& r)
{
    const YearPick pick = Pick(ctx, r);
    r.suggested = pick.model;
    if (pick.model != 0 && row.model == 0) {
        SetRowModel(r, pick.model, ScheduleCondition::Year);
        SetShare(r, pick.share, ctx.target);
        r.note = "Dobrano " + Named(pick.model) + ".";
        return;
    }
    if (pick.model != 0) {
        r.note = "Proponowany: " + Named(pick.model) + " spełnia wymaganie w " +
                 Percent(pick.share) + " godzin (" + VerdictConditionText(b) + ").";
        return;
    }
    if (row.model == 0 && pick.nearest != 0) {
        SetRowModel(r, pick.nearest, ScheduleCondition::Year);
        SetShare(r, pick.nearestShare, ctx.target);
    } else if (row.model == 0) {
        r.model = 0;
        r.meets = false;
        r.yearShare = Failure{pick.reason.empty() ? std::string(kNoWeatherReason) : pick.reason};
        for (ConditionResult& result : r.results)
            result.reason = "nie dobrano wywietrznika";
    }
    r.note = "Żaden wywietrznik nie spełnia wymagania (" + VerdictConditionText(b) + ")";
    r.note += pick.nearest != 0
                  ? "; najczęściej " + Named(pick.nearest) + ": " + Percent(pick.nearestShare) + "."
                  : ".";
}

void YearRow(const YearContext& ctx, const ScheduleBuilding& b, const ScheduleRow& row,
             RowResult& r)
{
    if (!r.computed)
        return;
    if (!ctx.ready) {
        r.yearShare = ctx.ready.Fault();
        return;
    }
    r.note.clear();
    r.suggested = 0;
    if (row.model != 0) {
        const Result<double> share = RowShare(ctx, r, row.model);
        if (!share) {
            r.yearShare = share.Fault();
            r.meets = false;
            return;
        }
        SetShare(r, share.Value(), ctx.target);
    }
    // "dobierz" searches on the year whatever the operating point chose.
    if (row.model == 0 || !r.meets)
        ApplyPick(ctx, b, row, r);
    if (!row.flat.empty())
        r.note = JoinSentences(r.note, kOpenRoom);
}

} // namespace

ScheduleYearRows::ScheduleYearRows(const ScheduleBuilding& building, const ScheduleWeather& weather)
    : building_(building)
    , weather_(weather)
{
    if (building.condition != ScheduleCondition::Year || !weather.weather)
        return;
    context_ = std::make_shared<YearContext>();
    SetUp(*context_, building, weather);
}

void ScheduleYearRows::Prepare(const ScheduleRow& row)
{
    if (context_)
        PrepareHours(*context_, building_, row);
}

RowResult ScheduleYearRows::Compute(const ScheduleRow& row) const
{
    RowResult r = ComputeRow(building_, row);
    if (context_)
        YearRow(*context_, building_, row, r);
    return r;
}

ScheduleResult ComputeScheduleOn(const Schedule& schedule, const ScheduleWeather& weather)
{
    ScheduleYearRows year(schedule.building, weather);
    for (const ScheduleRow& row : schedule.rows)
        year.Prepare(row);
    ScheduleResult result;
    result.rows.resize(schedule.rows.size());
    // Each row alone, the rows dealt out to the threads in turn.
    auto work = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < result.rows.size(); i += step)
            result.rows[i] = year.Compute(schedule.rows[i]);
    };
    const unsigned wanted =
        weather.threads == 0 ? std::thread::hardware_concurrency() : weather.threads;
    const std::size_t count =
        std::max<std::size_t>(1, std::min<std::size_t>(wanted, result.rows.size()));
    {
        std::vector<std::jthread> pool;
        for (std::size_t t = 1; t < count; ++t)
            pool.emplace_back(work, t, count);
        work(0, count);
    }
    ApplyFlats(schedule, result);
    result.summary = Summarize(result.rows);
    return result;
}
