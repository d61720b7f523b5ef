// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "calc/polish_plural.h"
#include "calc/program_texts.h"
#include "calc/schedule_limits.h"
#include "calc/schedule_risers.h"
#include "calc/selection.h"
#include "calc/sentence.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

const std::array<RoomType, kRoomTypeCount> kRoomTypes = {{
    {"Kuchnia z oknem zewnętrznym, kuchenka gazowa lub węglowa", 70.0},
    {"Kuchnia z oknem zewnętrznym, kuchenka elektryczna, mieszkanie do 3 osób", 30.0},
    {"Kuchnia z oknem zewnętrznym, kuchenka elektryczna, mieszkanie dla więcej niż 3 osób", 50.0},
    {"Kuchnia bez okna zewnętrznego, kuchenka elektryczna", 50.0},
    {"Łazienka (z WC lub bez)", 50.0},
    {"Oddzielne WC", 30.0},
    {"Pomocnicze pomieszczenie bezokienne", 15.0},
    {"Pomieszczenie wymagające własnego wywiewu", 30.0},
}};

namespace {

const char* const kNoDesignWind =
    "Nie podano prędkości wiatru obliczeniowego (v = 0 m/s): ocena w warunkach „wiatr "
    "obliczeniowy” nie ma sensu – podaj prędkość wiatru albo oceniaj przewody w warunkach „bez "
    "wiatru – sam ciąg grawitacyjny”.";

InstallationInput RowInstallation(const ScheduleBuilding& b, const ScheduleRow& row)
{
    InstallationInput in;
    in.storeyHeight = b.storeyHeight;
    in.storeys = RowStoreys(b, row);
    switch (row.grille) {
    case ScheduleGrille::Rectangular:
        in.kind = Installation::BuildingRectangular;
        break;
    case ScheduleGrille::Round:
        in.kind = Installation::BuildingRound;
        break;
    case ScheduleGrille::Adjustable:
        in.kind = Installation::BuildingAdjustable;
        break;
    }
    in.grilleHeight = row.grilleHeight;
    in.grilleWidth = row.grilleWidth;
    in.grilleDiameter = row.grilleDiameter;
    in.grilleLoss = row.grilleLoss;
    in.grille = row.adjustable;
    in.opening = row.opening;
    return in;
}

} // namespace

const std::array<int, kVentilatorCount>& ModelsByDiameter()
{
    static const std::array<int, kVentilatorCount> order = [] {
        std::array<int, kVentilatorCount> o{};
        for (int i = 0; i < kVentilatorCount; ++i)
            o[static_cast<std::size_t>(i)] = i + 1;
        std::stable_sort(o.begin(), o.end(), [](int a, int b) {
            return LookUpVentilator(a).NominalDiameter < LookUpVentilator(b).NominalDiameter;
        });
        return o;
    }();
    return order;
}

namespace {

// What the search for a suggestion found: the model, or none with the model
// that comes nearest (the most flow) or, when none has a point, why.
struct Suggestion {
    int model = 0;
    int nearest = 0;
    double nearestFlow = 0.0;
    std::string reason;
};

// The comparison window's rule (SuggestVentilator), taken a diameter at a
// time: a smaller Dn always wins, so the first diameter with a model that
// meets the need holds the suggestion.
Suggestion Suggest(const RowInputs& inputs, double need, ScheduleCondition condition)
{
    Suggestion suggestion;
    const auto& order = ModelsByDiameter();
    for (std::size_t first = 0; first < order.size();) {
        const double dn = LookUpVentilator(order[first]).NominalDiameter;
        std::vector<Candidate> group;
        std::size_t i = first;
        for (; i < order.size() && LookUpVentilator(order[i]).NominalDiameter == dn; ++i) {
            const ConditionResult r =
                EvaluateCondition(inputs, LookUpVentilator(order[i]), condition);
            group.push_back({order[i], r.point});
            if (r.Found() && r.point.flowPerHour > suggestion.nearestFlow) {
                suggestion.nearest = order[i];
                suggestion.nearestFlow = r.point.flowPerHour;
            } else if (!r.Found() && suggestion.reason.empty()) {
                suggestion.reason = r.reason;
            }
        }
        suggestion.model = SuggestVentilator(group, need);
        if (suggestion.model != 0)
            return suggestion;
        first = i;
    }
    return suggestion;
}

// "KALMO-200 (nr 14) – 13 szt.; VESK-160 (nr 13) – 2 szt."; empty: none.
std::string BillText(const std::array<int, kVentilatorCount>& counts)
{
    std::string bill;
    for (int i = 0; i < kVentilatorCount; ++i) {
        const int count = counts[static_cast<std::size_t>(i)];
        if (count > 0)
            bill += (bill.empty() ? "" : "; ") + std::string(VentilatorCaption(i + 1)) + " (nr " +
                    FormatWhole(i + 1) + ") – " + FormatWhole(count) + " szt.";
    }
    return bill;
}

std::string Flow(double flowPerHour)
{
    return FormatFixed(flowPerHour, 1) + " m3/h";
}

} // namespace

std::string_view ConditionText(ScheduleCondition condition)
{
    switch (condition) {
    case ScheduleCondition::Calm:
        return "bez wiatru – sam ciąg grawitacyjny";
    case ScheduleCondition::Wind:
        return "wiatr obliczeniowy";
    case ScheduleCondition::WindStack:
        return "wiatr + ciąg grawitacyjny";
    case ScheduleCondition::Year:
        return "rok";
    }
    return {};
}

ScheduleCondition PointCondition(ScheduleCondition condition)
{
    return condition == ScheduleCondition::Year ? ScheduleCondition::WindStack : condition;
}

bool IsYearPeriodText(std::string_view text)
{
    if (text == "year" || text == "heating")
        return true;
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos)
        return false;
    auto month = [](std::string_view part) {
        int value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        return error == std::errc() && end == part.data() + part.size() && value >= 1 &&
               value <= 12;
    };
    return month(text.substr(0, dash)) && month(text.substr(dash + 1));
}

std::string VerdictConditionText(const ScheduleBuilding& building)
{
    if (building.condition != ScheduleCondition::Year)
        return std::string(ConditionText(building.condition));
    const std::string& p = building.yearPeriod;
    const std::size_t dash = p.find('-');
    std::string period = "cały rok";
    if (p == "heating")
        period = "sezon grzewczy (1.10–30.04)";
    else if (dash != std::string::npos)
        period = "miesiące " + p.substr(0, dash) + "–" + p.substr(dash + 1);
    return "rok – " + period + ", co najmniej " + FormatFixed(building.yearShare, 1) + " % godzin";
}

double RowNeed(const ScheduleRow& row)
{
    if (row.room >= 1 && row.room <= kRoomTypeCount)
        return kRoomTypes[static_cast<std::size_t>(row.room - 1)].flowPerHour;
    return row.typedNeed;
}

std::int32_t RowStoreys(const ScheduleBuilding& building, const ScheduleRow& row)
{
    return building.storeys - row.storey + 1;
}

RowInputs BuildRowInputs(const ScheduleBuilding& b, const ScheduleRow& row)
{
    RowInputs in;
    ScheduleRefusal refused = CheckScheduleBuilding(b);
    if (!refused.Refused())
        refused = CheckScheduleRow(b, row);
    if (refused.Refused()) {
        in.computable = Failure{refused.reason};
        return in;
    }
    CalcState& s = in.state;
    s.DensityEntered = b.densityTyped;
    const double density =
        b.densityTyped ? b.density
                       : AirDensityFromWeather(b.temperature, b.pressure, b.humidity).density;
    ApplyTypedAir(s, density, b.windSpeed);
    s.DuctRound = row.roundDuct;
    if (row.roundDuct) {
        ApplyRoundDuct(s, row.diameter);
    } else if (const Refusal sides = ApplyRectangularDuct(s, row.sideA, row.sideB);
               sides != Refusal::None && in.computable) {
        in.computable = Failure{std::string(RefusalText(sides))};
    }
    s.DuctRoughness = kDuctMaterials[static_cast<std::size_t>(row.material - 1)].roughness;
    ApplyInstallation(s, RowInstallation(b, row));
    if (row.model != 0) {
        s.VentilatorIndex = row.model;
        s.VentilatorName = LookUpVentilator(row.model).Name;
    }
    // What a single run on the row's options refuses.
    in.stack = DefaultStackConditions(s);
    in.stack.inside = b.inside;
    in.stack.outside = b.outside;
    in.stack.pressure = AmbientStackPressure(b.densityTyped, b.pressure);
    Refusal refusal = CheckCalculationInputs(s);
    if (refusal == Refusal::None)
        refusal = CheckStackConditions(in.stack);
    if (refusal != Refusal::None && in.computable)
        in.computable = Failure{std::string(RefusalText(refusal))};
    return in;
}

std::string ExactNumber(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> RowOptions(const ScheduleBuilding& b, const ScheduleRow& row, int model)
{
    std::vector<std::string> o;
    if (b.densityTyped)
        o.insert(o.end(), {"--density", ExactNumber(b.density)});
    else
        o.insert(o.end(), {"--weather", FormatWhole(b.temperature) + "," + FormatWhole(b.pressure) +
                                            "," + FormatWhole(b.humidity)});
    o.insert(o.end(), {"--wind", ExactNumber(b.windSpeed)});
    if (row.roundDuct)
        o.insert(o.end(), {"--round", ExactNumber(row.diameter)});
    else
        o.insert(o.end(), {"--rect", ExactNumber(row.sideA) + "," + ExactNumber(row.sideB)});
    o.insert(o.end(), {"--material", FormatWhole(row.material)});
    const std::string storeys =
        ExactNumber(b.storeyHeight) + "," + FormatWhole(RowStoreys(b, row)) + ",";
    switch (row.grille) {
    case ScheduleGrille::Rectangular:
        o.insert(o.end(), {"--building-rect", storeys + ExactNumber(row.grilleHeight) + "," +
                                                  ExactNumber(row.grilleWidth) + "," +
                                                  ExactNumber(row.grilleLoss)});
        break;
    case ScheduleGrille::Round:
        o.insert(o.end(), {"--building-round", storeys + ExactNumber(row.grilleDiameter) + "," +
                                                   ExactNumber(row.grilleLoss)});
        break;
    case ScheduleGrille::Adjustable:
        o.insert(o.end(), {"--building-adjustable",
                           storeys + FormatWhole(row.adjustable) + "," + FormatWhole(row.opening)});
        break;
    }
    o.insert(o.end(), {"--model", FormatWhole(model)});
    return o;
}

std::string RowStackOption(const RowInputs& inputs)
{
    return ExactNumber(inputs.stack.inside) + "," + ExactNumber(inputs.stack.outside) + "," +
           ExactNumber(inputs.stack.height);
}

ConditionResult EvaluateCondition(const RowInputs& inputs, const VentilatorModel& model,
                                  ScheduleCondition condition)
{
    ConditionResult result;
    if (condition == ScheduleCondition::Wind) {
        result.point = EvaluateOperatingPoint(inputs.state, model);
        if (!result.Found())
            result.reason = result.point.status == OperatingPointStatus::Refused
                                ? std::string(RefusalText(result.point.refusal))
                                : kNoOperatingPointText;
        return result;
    }
    CalcState state = inputs.state;
    if (condition == ScheduleCondition::Calm)
        state.WindSpeed = 0.0;
    const StackPoint stack = EvaluateStackPoint(state, model, inputs.stack);
    result.point = AsOperatingPoint(stack);
    result.reason = std::string(StackReason(stack));
    return result;
}

RowResult ComputeRow(const ScheduleBuilding& building, const ScheduleRow& row)
{
    RowResult r;
    r.inputs = BuildRowInputs(building, row);
    r.computed = r.inputs.computable;
    if (!r.computed)
        return r;
    r.need = RowNeed(row);
    r.yearVerdict = building.condition == ScheduleCondition::Year;
    if (r.yearVerdict)
        r.yearShare = Failure{std::string(kNoWeatherReason)};
    const ScheduleCondition condition = PointCondition(building.condition);
    if (condition == ScheduleCondition::Wind && building.windSpeed == 0.0) {
        // Without wind every model gives Qh = 0: nothing is chosen, nothing billed.
        r.note = kNoDesignWind;
        for (ConditionResult& result : r.results)
            result.reason = "nie podano prędkości wiatru";
        return r;
    }
    auto evaluate = [&](int model) { SetRowModel(r, model, condition); };
    if (row.model != 0) {
        evaluate(row.model);
        if (r.meets)
            return r;
    }
    const Suggestion suggestion = Suggest(r.inputs, r.need, condition);
    r.suggested = suggestion.model;
    if (r.suggested == 0) {
        // For "dobierz" the row shows the model that comes nearest.
        if (row.model == 0 && suggestion.nearest != 0)
            evaluate(suggestion.nearest);
        r.note = "Żaden wywietrznik nie zapewnia " + Flow(r.need) + " (" +
                 std::string(ConditionText(condition)) + "); ";
        if (suggestion.nearest != 0)
            r.note += "najwięcej daje " + std::string(VentilatorCaption(suggestion.nearest)) +
                      " (nr " + FormatWhole(suggestion.nearest) +
                      "): " + Flow(suggestion.nearestFlow) + ".";
        else if (!suggestion.reason.empty() && suggestion.reason != kNoOperatingPointText)
            r.note += "żaden nie ma punktu pracy: " + EndSentence(SmallFirst(suggestion.reason));
        else if (!suggestion.reason.empty())
            r.note += "żaden nie ma punktu pracy.";
        else
            r.note += "żaden nie daje przepływu.";
        if (r.model == 0) {
            for (ConditionResult& result : r.results)
                result.reason = "nie dobrano wywietrznika";
        }
        return r;
    }
    const std::string name(VentilatorCaption(r.suggested));
    if (row.model == 0) {
        evaluate(r.suggested);
        r.note = "Dobrano " + name + " (nr " + FormatWhole(r.suggested) + ").";
    } else {
        r.note = "Proponowany: " + name + " (nr " + FormatWhole(r.suggested) + ") zapewnia " +
                 Flow(r.need) + " (" + std::string(ConditionText(condition)) + ").";
    }
    return r;
}

void SetRowModel(RowResult& r, int model, ScheduleCondition condition)
{
    r.model = model;
    for (int c = 0; c < kScheduleConditionCount; ++c)
        r.results[static_cast<std::size_t>(c)] =
            EvaluateCondition(r.inputs, LookUpVentilator(model), static_cast<ScheduleCondition>(c));
    r.meets = ReachesNeed(r.Of(PointCondition(condition)).point, r.need);
}

ScheduleSummary Summarize(const std::vector<RowResult>& rows)
{
    ScheduleSummary summary;
    summary.ducts = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].computed && rows[i].yearVerdict && !rows[i].yearShare)
            summary.unknown.push_back(i);
        else if (!rows[i].meets)
            summary.failing.push_back(i);
        if (rows[i].model != 0)
            ++(rows[i].meets ? summary.models
                             : summary.toVerify)[static_cast<std::size_t>(rows[i].model - 1)];
    }
    return summary;
}

ScheduleResult ComputeSchedule(const Schedule& schedule)
{
    ScheduleResult result;
    result.rows.reserve(schedule.rows.size());
    for (const ScheduleRow& row : schedule.rows)
        result.rows.push_back(ComputeRow(schedule.building, row));
    ApplyRiserModels(schedule, result.rows);
    ApplyFlats(schedule, result);
    result.summary = Summarize(result.rows);
    return result;
}

namespace {

// The rows' labels "K1, K2" and their storeys "1, 3".
std::pair<std::string, std::string> LabelsAndStoreys(const Schedule& schedule,
                                                     const std::vector<std::size_t>& rows)
{
    std::string ducts;
    std::map<std::int32_t, int> storeys;
    for (std::size_t i : rows) {
        const ScheduleRow& row = schedule.rows[i];
        ducts += (ducts.empty() ? "" : ", ") + row.label;
        ++storeys[row.storey];
    }
    std::string list;
    for (const auto& [storey, count] : storeys)
        list += (list.empty() ? "" : ", ") + FormatWhole(storey);
    return {ducts, list};
}

// The verdict's lines: all met, or the ducts that fail and their storeys; on
// the year, the ducts below the share and those without a share.
void VerdictLines(const Schedule& schedule, const ScheduleResult& result,
                  std::vector<std::string>& lines)
{
    const ScheduleSummary& s = result.summary;
    const bool year = schedule.building.condition == ScheduleCondition::Year;
    const std::string condition = VerdictConditionText(schedule.building);
    if (!s.unknown.empty())
        lines.push_back("Bez oceny (" + condition + "): brak danych pogodowych dla " +
                        Counted(static_cast<std::int64_t>(s.unknown.size()), kDuctNoun) +
                        " – wczytaj pogodę w oknie „Praca w ciągu roku…”.");
    if (s.failing.empty()) {
        if (s.unknown.size() < s.ducts)
            lines.push_back("Wszystkie przewody zapewniają wymaganą wydajność (" + condition +
                            ").");
        return;
    }
    const auto [ducts, storeys] = LabelsAndStoreys(schedule, s.failing);
    lines.push_back((year ? "Poniżej wymaganego udziału godzin (" : "Bez wymaganej wydajności (") +
                    condition +
                    "): " + Counted(static_cast<std::int64_t>(s.failing.size()), kDuctNoun) +
                    " – " + ducts + ".");
    lines.push_back("Kondygnacje z takimi przewodami: " + storeys + ".");
}

} // namespace

std::vector<std::string> SummaryLines(const Schedule& schedule, const ScheduleResult& result)
{
    const ScheduleSummary& s = result.summary;
    std::vector<std::string> lines;
    lines.push_back("Liczba przewodów: " + std::to_string(s.ducts));
    if (s.ducts == 0) {
        lines.push_back("Dodaj przewód albo pion, albo zacznij od przykładu.");
        return lines;
    }
    VerdictLines(schedule, result, lines);
    int without = 0;
    for (const RowResult& row : result.rows)
        without += row.model == 0 ? 1 : 0;
    const std::string bill = BillText(s.models);
    lines.push_back("Zestawienie wywietrzników (przewody spełniające wymaganie): " +
                    (bill.empty() ? std::string("brak.") : bill));
    if (const std::string verify = BillText(s.toVerify); !verify.empty())
        lines.push_back("Do weryfikacji (przewody niespełniające wymagania): " + verify);
    if (std::string count = ModelCountLine(s); !count.empty())
        lines.push_back(std::move(count));
    for (auto& more : {DangerLines(schedule, result), FlatLines(schedule, result)})
        lines.insert(lines.end(), more.begin(), more.end());
    if (without > 0)
        lines.push_back("Przewody bez wywietrznika (nie dobrano lub błędne dane): " +
                        FormatWhole(without) + ".");
    return lines;
}

std::vector<ScheduleRow> RiserRows(const ScheduleBuilding& building, const ScheduleRow& row)
{
    std::vector<ScheduleRow> rows;
    for (std::int32_t k = 1; k <= building.storeys; ++k) {
        ScheduleRow storey = row;
        storey.storey = k;
        storey.label = StoreyLabel(row.label, k);
        rows.push_back(storey);
    }
    return rows;
}

Schedule ScheduleTemplate()
{
    Schedule s;
    s.building.storeys = 5;
    s.building.storeyHeight = 2.8;
    // The ventilators help the draught: the verdict on the design wind with it.
    s.building.condition = ScheduleCondition::WindStack;
    ScheduleRow kitchen; // a brick flue of 1/2 x 1 brick
    kitchen.label = "Kuchnia";
    kitchen.room = 1;
    kitchen.roundDuct = false;
    kitchen.sideA = 0.14;
    kitchen.sideB = 0.27;
    kitchen.material = 6;
    kitchen.grille = ScheduleGrille::Rectangular;
    kitchen.grilleHeight = 0.2;
    kitchen.grilleWidth = 0.2;
    kitchen.grilleLoss = 2.0;
    kitchen.model = 14;
    ScheduleRow bathroom = kitchen;
    bathroom.label = "Łazienka";
    bathroom.room = 5;
    ScheduleRow toilet; // a steel pipe with an adjustable grille opened fully
    toilet.label = "WC";
    toilet.room = 6;
    toilet.roundDuct = true;
    toilet.diameter = 0.16;
    toilet.material = 2;
    toilet.grille = ScheduleGrille::Adjustable;
    toilet.adjustable = 4;
    toilet.opening = 20;
    toilet.model = 14;
    for (const ScheduleRow& riser : {kitchen, bathroom, toilet}) {
        std::vector<ScheduleRow> rows = RiserRows(s.building, riser);
        for (ScheduleRow& row : rows)
            row.flat = StoreyFlat(row.storey);
        s.rows.insert(s.rows.end(), rows.begin(), rows.end());
    }
    // A flat a storey: trickle vents of 40 m3/h at 10 Pa, as many as its ducts
    // need, and tight windows; the top flat with four vents, too few.
    constexpr std::array<std::int32_t, 5> kInlets = {5, 6, 7, 8, 4};
    for (std::int32_t k = 1; k <= s.building.storeys; ++k) {
        FlatSupply flat;
        flat.flat = StoreyFlat(k);
        flat.storey = k;
        flat.inlets = kInlets[static_cast<std::size_t>(k - 1)];
        flat.inletFlow = 40.0;
        flat.leakFlow = 20.0;
        s.flats.push_back(flat);
    }
    return s;
}
