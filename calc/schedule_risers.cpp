// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule_risers.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/selection.h"
#include "calc/sentence.h"

#include <map>
#include <tuple>

namespace {

constexpr std::string_view kSuffix = " k";

// A model on every row of a riser: how many rows it fails, and its size.
struct Trial {
    int model = 0;
    int failing = 0;
    double diameter = 0.0;
    double flow = 0.0; // the sum of the rows' Qh
    bool SmallerThan(const Trial& other) const
    {
        return std::tie(diameter, flow, model) < std::tie(other.diameter, other.flow, other.model);
    }
};

Trial TryModel(const std::vector<const RowResult*>& rows, ScheduleCondition condition, int model)
{
    Trial trial;
    trial.model = model;
    trial.diameter = LookUpVentilator(model).NominalDiameter;
    for (const RowResult* row : rows) {
        const ConditionResult r =
            EvaluateCondition(row->inputs, LookUpVentilator(model), condition);
        if (r.Found())
            trial.flow += r.point.flowPerHour;
        if (!ReachesNeed(r.point, row->need))
            ++trial.failing;
    }
    return trial;
}

std::string Named(int model)
{
    return std::string(VentilatorCaption(model)) + " (nr " + FormatWhole(model) + ")";
}

// The row's results with the riser's model, and the remark that tells it.
void TakeRiserModel(RowResult& r, const std::string& riser, const RiserChoice& choice, int storeys,
                    ScheduleCondition condition)
{
    const int own = r.suggested;
    r.model = choice.model;
    for (int c = 0; c < kScheduleConditionCount; ++c)
        r.results[static_cast<std::size_t>(c)] = EvaluateCondition(
            r.inputs, LookUpVentilator(choice.model), static_cast<ScheduleCondition>(c));
    r.meets = ReachesNeed(r.Of(condition).point, r.need);
    const std::string where = "jeden model w pionie „" + riser + "”";
    if (r.meets) {
        r.suggested = choice.model;
        r.note = "Dobrano " + Named(choice.model) + " – " + where + ".";
        return;
    }
    r.note = CapitalFirst(where) + ": " + Named(choice.model) + " nie zapewnia " +
             FormatFixed(r.need, 1) + " m3/h (" + std::string(ConditionText(condition)) +
             ") na tej kondygnacji. Żaden model nie spełnia wymagania na wszystkich " +
             "kondygnacjach pionu; ten nie spełnia go na " + FormatWhole(choice.failing) + " z " +
             FormatWhole(storeys) + ".";
    if (own != 0 && own != choice.model)
        r.note += " Temu przewodowi wystarczyłby " + Named(own) + ".";
}

} // namespace

std::string StoreyLabel(std::string_view riser, std::int32_t storey)
{
    return std::string(riser) + std::string(kSuffix) + FormatWhole(storey);
}

std::string RiserName(std::string_view label)
{
    std::size_t digits = label.size();
    while (digits > 0 && label[digits - 1] >= '0' && label[digits - 1] <= '9')
        --digits;
    if (digits == label.size() || digits < kSuffix.size() ||
        label.substr(digits - kSuffix.size(), kSuffix.size()) != kSuffix)
        return std::string(label);
    return std::string(label.substr(0, digits - kSuffix.size()));
}

std::vector<std::vector<std::size_t>> Risers(const std::vector<ScheduleRow>& rows)
{
    std::vector<std::vector<std::size_t>> risers;
    std::map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [at, added] = byName.try_emplace(RiserName(rows[i].label), risers.size());
        if (added)
            risers.emplace_back();
        risers[at->second].push_back(i);
    }
    return risers;
}

RiserChoice ChooseRiserModel(const std::vector<const RowResult*>& rows, ScheduleCondition condition)
{
    if (rows.empty())
        return {};
    Trial best = TryModel(rows, condition, 1);
    for (int model = 2; model <= kVentilatorCount; ++model) {
        const Trial trial = TryModel(rows, condition, model);
        if (trial.failing < best.failing ||
            (trial.failing == best.failing && trial.SmallerThan(best)))
            best = trial;
    }
    return {best.model, best.failing};
}

void ApplyRiserModels(const Schedule& schedule, std::vector<RowResult>& rows)
{
    const ScheduleBuilding& building = schedule.building;
    // Without the design wind a verdict on it means nothing: no row has a model.
    // On "rok" each row's model is chosen by its share of the year's hours,
    // duct by duct (weather/schedule_year.h): the riser's rule does not apply.
    if (!building.oneModelPerRiser ||
        (building.condition == ScheduleCondition::Wind && building.windSpeed == 0.0) ||
        building.condition == ScheduleCondition::Year)
        return;
    for (const std::vector<std::size_t>& riser : Risers(schedule.rows)) {
        std::vector<std::size_t> chosen;
        std::vector<const RowResult*> results;
        for (std::size_t i : riser) {
            if (schedule.rows[i].model == 0 && rows[i].computed) {
                chosen.push_back(i);
                results.push_back(&rows[i]);
            }
        }
        if (chosen.size() < 2)
            continue;
        const RiserChoice choice = ChooseRiserModel(results, building.condition);
        const std::string name = RiserName(schedule.rows[chosen.front()].label);
        for (std::size_t i : chosen)
            TakeRiserModel(rows[i], name, choice, static_cast<int>(chosen.size()),
                           building.condition);
    }
}

std::string ModelCountLine(const ScheduleSummary& summary)
{
    int distinct = 0;
    for (std::size_t i = 0; i < summary.models.size(); ++i)
        distinct += summary.models[i] > 0 || summary.toVerify[i] > 0 ? 1 : 0;
    if (distinct == 0)
        return {};
    return "Budynek wymaga " + Counted(distinct, kModelNoun) + ".";
}
