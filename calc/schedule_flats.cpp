// SPDX-License-Identifier: GPL-3.0-or-later
// The flats of the schedule: each flat's air balance on the rows computed in
// an open room, the rows' results at the flat's underpressure, and the lines
// that tell them.
#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/schedule.h"
#include "calc/selection.h"
#include "calc/sentence.h"

#include <algorithm>

namespace {

std::string Pa(double pressure)
{
    return FormatFixed(pressure, 2) + " Pa";
}

std::string Flow(double flowPerHour)
{
    return FormatFixed(flowPerHour, 1) + " m3/h";
}

std::string FlatName(const FlatSupply& supply)
{
    return supply.flat + " (kondygnacja " + FormatWhole(supply.storey) + ")";
}

std::string Condition(int c)
{
    return std::string(ConditionText(static_cast<ScheduleCondition>(c)));
}

const char kFoldReason[] = "brak bilansu mieszkania: przepływ przewodów zmienia się skokowo "
                           "(fałd charakterystyki wywietrznika)";

const char kNoSupplyReason[] = "brak nawiewu do mieszkania – przepływ w górę ustaje";

// The flats by label and storey, and the rows of each; a row naming a flat
// that is not listed gets its problem.
void GatherFlats(const Schedule& schedule, ScheduleResult& result)
{
    for (std::size_t f = 0; f < schedule.flats.size(); ++f) {
        FlatResult flat;
        flat.supply = f;
        const FlatFault fault = CheckFlatSupply(schedule.flats[f]);
        if (!fault.Empty())
            flat.computed = Failure{fault.reason};
        result.flats.push_back(std::move(flat));
    }
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const ScheduleRow& row = schedule.rows[i];
        if (row.flat.empty())
            continue;
        const auto at =
            std::find_if(schedule.flats.begin(), schedule.flats.end(), [&](const FlatSupply& s) {
                return s.flat == row.flat && s.storey == row.storey;
            });
        RowResult& r = result.rows[i];
        if (at == schedule.flats.end()) {
            if (r.computed)
                r.computed = Failure{"mieszkanie „" + row.flat + "” na kondygnacji " +
                                     FormatWhole(row.storey) + " nie ma danych nawiewu"};
        } else {
            const auto f = static_cast<std::size_t>(at - schedule.flats.begin());
            if (r.computed && !result.flats[f].computed)
                r.computed = Failure{"dane mieszkania " + row.flat + ": " +
                                     result.flats[f].computed.Reason()};
            result.flats[f].rows.push_back(i);
        }
        if (!r.computed) {
            r.model = 0;
            r.meets = false;
        }
    }
}

// The rows of a flat that take part in its balance: those with a ventilator.
std::vector<std::size_t> Ducts(const FlatResult& flat, const ScheduleResult& result)
{
    std::vector<std::size_t> ducts;
    for (std::size_t i : flat.rows) {
        if (result.rows[i].computed && result.rows[i].model != 0)
            ducts.push_back(i);
    }
    return ducts;
}

std::vector<FlatDuct> FlatDucts(const std::vector<std::size_t>& ducts, const ScheduleResult& result,
                                ScheduleCondition condition)
{
    std::vector<FlatDuct> paths;
    for (std::size_t i : ducts) {
        const RowResult& r = result.rows[i];
        CalcState state = r.inputs.state;
        if (condition == ScheduleCondition::Calm)
            state.WindSpeed = 0.0;
        const StackConditions stack = FlatStackConditions(r.inputs, condition);
        paths.push_back(
            {PrepareAirPath(state, LookUpVentilator(r.model)).path, StackPressure(stack)});
    }
    return paths;
}

void NeededText(const Schedule& schedule, const std::vector<std::size_t>& ducts, FlatResult& flat)
{
    const FlatSupply& supply = schedule.flats[flat.supply];
    for (std::size_t i : flat.rows) {
        if (std::find(ducts.begin(), ducts.end(), i) == ducts.end()) {
            flat.neededText = "Przewód " + schedule.rows[i].label +
                              " nie ma wywietrznika lub ma błędne dane – nawiewniki nie pomogą.";
            return;
        }
    }
    if (flat.needed.possible) {
        flat.neededText = "Potrzebne nawiewniki: " + FormatWhole(flat.needed.count) + " szt.";
        if (flat.needed.count > supply.inlets)
            flat.neededText += " (jest " + FormatWhole(supply.inlets) + " – za mało).";
        return;
    }
    if (flat.needed.shortDuct < ducts.size())
        flat.neededText =
            "Nawiewniki nie pomogą: przewód " + schedule.rows[ducts[flat.needed.shortDuct]].label +
            " nie zapewnia wymaganej wydajności nawet przy otwartym mieszkaniu – trzeba zmienić "
            "sam przewód lub wywietrznik.";
    else
        flat.neededText = "Nawiewniki nie pomogą: wybrany nawiewnik nie daje przepływu, który "
                          "wystarczy przewodom – zmień nawiewnik albo przewód.";
}

// One flat under one condition: the balance and its rows' results.
void BalanceCondition(const Schedule& schedule, const std::vector<std::size_t>& ducts,
                      FlatResult& flat, ScheduleResult& result, int c)
{
    const auto condition = static_cast<ScheduleCondition>(c);
    const FlatSupply& supply = schedule.flats[flat.supply];
    const FlatBalance balance =
        SolveFlatBalance(FlatDucts(ducts, result, condition), supply, supply.inlets);
    flat.balance[static_cast<std::size_t>(c)] = balance;
    for (std::size_t i : ducts) {
        RowResult& r = result.rows[i];
        ConditionResult& out = r.results[static_cast<std::size_t>(c)];
        if (balance.status == BalanceStatus::Fold) {
            out = ConditionResult{};
            out.point.status = OperatingPointStatus::NoOperatingPoint;
            out.reason = kFoldReason;
            continue;
        }
        out = EvaluateInFlat(r.inputs, LookUpVentilator(r.model), condition, balance.underpressure);
        if (balance.status == BalanceStatus::NoSupply && out.Found()) {
            // The strongest duct stops too: nothing comes in to go up it.
            out.point = OperatingPoint{};
            out.point.status = OperatingPointStatus::NoOperatingPoint;
            out.reason = kNoSupplyReason;
        }
    }
}

void BalanceFlat(const Schedule& schedule, FlatResult& flat, ScheduleResult& result)
{
    if (!flat.computed)
        return;
    const std::vector<std::size_t> ducts = Ducts(flat, result);
    for (int c = 0; c < kScheduleConditionCount; ++c)
        BalanceCondition(schedule, ducts, flat, result, c);
    const ScheduleCondition condition = PointCondition(schedule.building.condition);
    std::vector<double> needs;
    for (std::size_t i : ducts) {
        RowResult& r = result.rows[i];
        // On the year the verdict is the share, computed in an open room.
        if (!r.yearVerdict) {
            r.backdraught = r.Of(condition).backdraught;
            r.meets = ReachesNeed(r.Of(condition).point, r.need) && !r.backdraught;
        }
        needs.push_back(r.need);
    }
    const FlatSupply& supply = schedule.flats[flat.supply];
    flat.needed = NeededInlets(FlatDucts(ducts, result, condition), needs, supply);
    NeededText(schedule, ducts, flat);
    if (!flat.needed.possible || flat.needed.count <= supply.inlets)
        return;
    // A duct that fails for want of air says so where the designer looks first.
    for (std::size_t i : ducts) {
        RowResult& r = result.rows[i];
        if (!r.meets)
            r.note = JoinSentences(r.note, "Za mało nawiewu do mieszkania " + supply.flat +
                                               ": potrzebne nawiewniki " +
                                               FormatWhole(flat.needed.count) + " szt. (jest " +
                                               FormatWhole(supply.inlets) + ")");
    }
}

std::string BalanceText(const FlatBalance& balance)
{
    switch (balance.status) {
    case BalanceStatus::Found:
        return "pf = " + Pa(balance.underpressure) + ", napływ " + Flow(balance.inflowPerHour);
    case BalanceStatus::Fold:
        return "brak bilansu – przepływ przewodów zmienia się skokowo (fałd charakterystyki "
               "wywietrznika), żaden stan nie równoważy nawiewu i wywiewu";
    case BalanceStatus::NoSupply:
        return "brak nawiewu (ani nawiewników, ani nieszczelności) – żaden przewód nie ma "
               "przepływu w górę; pf = " +
               Pa(balance.underpressure);
    }
    return {};
}

} // namespace

StackConditions FlatStackConditions(const RowInputs& inputs, ScheduleCondition condition)
{
    StackConditions stack = inputs.stack;
    if (condition == ScheduleCondition::Wind)
        stack.outside = stack.inside; // no stack: dps = 0
    return stack;
}

ConditionResult EvaluateInFlat(const RowInputs& inputs, const VentilatorModel& model,
                               ScheduleCondition condition, double underpressure)
{
    ConditionResult result;
    CalcState state = inputs.state;
    if (condition == ScheduleCondition::Calm)
        state.WindSpeed = 0.0;
    StackConditions stack = FlatStackConditions(inputs, condition);
    stack.underpressure = underpressure;
    const StackPoint point = EvaluateStackPoint(state, model, stack);
    result.point = AsOperatingPoint(point);
    result.underpressure = underpressure;
    result.backdraught = point.status == StackStatus::NoDraught;
    result.reason = result.backdraught
                        ? "ciąg wsteczny: podciśnienie mieszkania pf = " + Pa(underpressure) +
                              " przewyższa ciąg przewodu – powietrze płynie w dół"
                        : std::string(StackReason(point));
    return result;
}

std::vector<std::string> ConditionOptions(const ScheduleBuilding& building, const ScheduleRow& row,
                                          const RowInputs& inputs, int model,
                                          ScheduleCondition condition, double underpressure)
{
    std::vector<std::string> o = RowOptions(building, row, model);
    if (condition == ScheduleCondition::Calm) {
        const auto wind = std::find(o.begin(), o.end(), "--wind");
        *(wind + 1) = "0";
    }
    if (condition != ScheduleCondition::Wind)
        o.insert(o.end(), {"--stack", RowStackOption(inputs)});
    if (!row.flat.empty())
        o.insert(o.end(), {"--underpressure", ExactNumber(underpressure)});
    return o;
}

void ApplyFlats(const Schedule& schedule, ScheduleResult& result)
{
    GatherFlats(schedule, result);
    for (FlatResult& flat : result.flats)
        BalanceFlat(schedule, flat, result);
}

std::vector<std::string> FlatLines(const Schedule& schedule, const ScheduleResult& result)
{
    std::vector<std::string> lines;
    for (const FlatResult& flat : result.flats) {
        const FlatSupply& s = schedule.flats[flat.supply];
        std::string line = "Mieszkanie " + FlatName(s) + ": ";
        if (!flat.computed) {
            lines.push_back(line +
                            "popraw dane: " + EndSentence(SmallFirst(flat.computed.Reason())));
            continue;
        }
        line += "nawiewniki " + FormatWhole(s.inlets) + " × " + Flow(s.inletFlow) + " przy " +
                Pa(s.inletPressure) + ", nieszczelności " + Flow(s.leakFlow) + " przy " +
                Pa(s.leakPressure) + ";";
        for (int c = 0; c < kScheduleConditionCount; ++c)
            line += " " + Condition(c) + ": " +
                    BalanceText(flat.balance[static_cast<std::size_t>(c)]) + ";";
        lines.push_back(line + " " + SmallFirst(flat.neededText));
    }
    return lines;
}

std::vector<std::string> DangerLines(const Schedule& schedule, const ScheduleResult& result)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const ScheduleRow& row = schedule.rows[i];
        std::string conditions;
        for (int c = 0; c < kScheduleConditionCount; ++c) {
            if (result.rows[i].results[static_cast<std::size_t>(c)].backdraught)
                conditions += (conditions.empty() ? "" : ", ") + Condition(c);
        }
        if (conditions.empty())
            continue;
        if (row.room == 1)
            lines.push_back("NIEBEZPIECZEŃSTWO: ciąg wsteczny w kuchni z kuchenką gazową " +
                            row.label + " (mieszkanie " + row.flat + ", kondygnacja " +
                            FormatWhole(row.storey) + "; " + conditions +
                            ") – spaliny mogą cofać się do mieszkania, zagrożenie życia.");
        else
            lines.push_back("Ciąg wsteczny: " + row.label + " (mieszkanie " + row.flat +
                            ", kondygnacja " + FormatWhole(row.storey) + "; " + conditions + ").");
    }
    std::stable_partition(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("NIEBEZ", 0) == 0; });
    return lines;
}

std::string StoreyFlat(std::int32_t storey)
{
    return "M" + FormatWhole(storey);
}

std::vector<ScheduleRow> RiserInFlats(const ScheduleBuilding& building, const ScheduleRow& row)
{
    std::vector<ScheduleRow> rows = RiserRows(building, row);
    for (ScheduleRow& storey : rows)
        storey.flat = StoreyFlat(storey.storey);
    return rows;
}

std::vector<FlatSupply> MissingFlats(const Schedule& schedule, const std::vector<ScheduleRow>& rows)
{
    std::vector<FlatSupply> flats = schedule.flats;
    for (const ScheduleRow& row : rows) {
        const bool listed = std::any_of(flats.begin(), flats.end(), [&](const FlatSupply& f) {
            return f.flat == row.flat && f.storey == row.storey;
        });
        if (listed || row.flat.empty())
            continue;
        FlatSupply flat;
        flat.flat = row.flat;
        flat.storey = row.storey;
        flat.inlets = 2;
        flats.push_back(flat);
    }
    flats.erase(flats.begin(), flats.begin() + static_cast<std::ptrdiff_t>(schedule.flats.size()));
    return flats;
}
