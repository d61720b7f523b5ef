// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/selection_sheet.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/program_texts.h"
#include "calc/selection.h"
#include "report/report_lines.h"
#include "report/schedule_table.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<ScheduleCondition, kScheduleConditionCount> kSheetOrder = {
    ScheduleCondition::Wind, ScheduleCondition::Calm, ScheduleCondition::WindStack};

std::string Text(std::string_view text)
{
    return std::string(text);
}

std::string ModelText(int model)
{
    if (model < 1 || model > kVentilatorCount)
        return "nie dobrano";
    return Text(VentilatorCaption(model)) + " (nr " + FormatWhole(model) + ")";
}

// The input lines of the report, from "Dane do obliczeń:" up to the results,
// without their indent and the ventilator's catalogue name, which the sheet
// gives by its caption.
std::vector<std::string> InputLines(const CalcState& state)
{
    std::vector<std::string> lines;
    bool inputs = false;
    for (const ReportLine& line : BuildReport(state, ReportVariant::Screen)) {
        if (line.text == "Dane do obliczeń:") {
            inputs = true;
            continue;
        }
        if (line.text == "Obliczone wartości:")
            break;
        if (!inputs || line.text.find("Nazwa wywietrznika") != std::string::npos)
            continue;
        const std::size_t start = line.text.find_first_not_of(' ');
        if (start != std::string::npos)
            lines.push_back(line.text.substr(start));
    }
    return lines;
}

std::vector<std::string> ResultRow(const SheetCase& c, ScheduleCondition condition)
{
    const ConditionResult& result = c.results[static_cast<std::size_t>(condition)];
    std::string name = Text(ConditionText(condition));
    if (condition != ScheduleCondition::Calm)
        name += " (v = " + FormatFixed(c.state.WindSpeed, 2) + " [m/s])";
    if (!result.Found())
        return {name, result.reason.empty() ? std::string(kNoOperatingPointText) : result.reason,
                "", "", ""};
    const OperatingPoint& p = result.point;
    return {name, FormatFixed(FlowPerSecond(p.flowPerHour), 4), FormatFixed(p.flowPerHour, 4),
            FormatFixed(p.ventilatorSuction, 4), FormatFixed(p.ductVelocity, 4)};
}

// Every operating point of a condition other than the chosen one.
void AddOtherPoints(const SheetCase& c, ScheduleCondition condition, std::vector<std::string>& out)
{
    static const char* const kOrdinals[] = {"drugi", "trzeci", "czwarty"};
    const OperatingPoint& p = c.results[static_cast<std::size_t>(condition)].point;
    std::size_t other = 0;
    for (std::size_t i = 0; i < p.count && i < p.flowsPerHour.size() && p.count > 1; ++i) {
        if (i == p.chosen || other >= std::size(kOrdinals))
            continue;
        out.push_back(Text(ConditionText(condition)) + ": " + kOrdinals[other++] +
                      " punkt pracy Qh = " + FormatFixed(p.flowsPerHour[i], 4) + " [m3/h]");
    }
}

std::vector<std::string> Notes(const SheetCase& c)
{
    std::vector<std::string> notes;
    notes.push_back("Ciąg grawitacyjny: ti = " + FormatFixed(c.stack.inside, 1) +
                    " [°C], te = " + FormatFixed(c.stack.outside, 1) +
                    " [°C], H = " + FormatFixed(c.stack.height, 2) +
                    " [m], Δps = " + FormatFixed(StackPressure(c.stack), 4) + " [Pa]");
    for (ScheduleCondition condition : kSheetOrder) {
        const ConditionResult& result = c.results[static_cast<std::size_t>(condition)];
        if (result.underpressure > 0.0 || result.backdraught)
            notes.push_back(Text(ConditionText(condition)) + ": podciśnienie mieszkania pf = " +
                            FormatFixed(result.underpressure, 2) + " [Pa]" +
                            (result.backdraught ? ", ciąg wsteczny" : ""));
        AddOtherPoints(c, condition, notes);
    }
    return notes;
}

std::vector<std::string> VerdictLines(const SheetCase& c)
{
    if (!c.computed)
        return {"Ocena: błędne dane", "Popraw dane: " + c.computed.Reason()};
    if (!c.need && c.verdict.empty())
        return {"Nie podano wymaganej wydajności: karta nie zawiera oceny."};
    std::vector<std::string> lines;
    if (c.need)
        lines.push_back("Wymagana wydajność Qh = " + FormatFixed(*c.need, 1) + " [m3/h]" +
                        (c.needSource.empty() ? "" : " (" + c.needSource + ")"));
    lines.push_back("Warunki oceny: " + Text(ConditionText(c.verdictCondition)));
    std::string verdict = c.verdict;
    if (verdict.empty()) {
        const ConditionResult& result = c.results[static_cast<std::size_t>(c.verdictCondition)];
        verdict = ReachesNeed(result.point, *c.need) ? "spełnia" : "NIE SPEŁNIA";
    }
    lines.push_back("Ocena: " + verdict);
    if (!c.note.empty())
        lines.push_back("Uwagi: " + c.note);
    return lines;
}

} // namespace

SheetCase CalculationSheetCase(const CalcState& state, int model, const StackConditions& stack,
                               std::string_view stackSource, bool setByUser,
                               std::optional<double> need)
{
    SheetCase c;
    c.state = state;
    c.model = model;
    c.stack = stack;
    c.stackSource = Text(stackSource);
    c.need = need;
    c.verdictCondition = setByUser ? ScheduleCondition::WindStack : ScheduleCondition::Wind;
    if (model < 1 || model > kVentilatorCount)
        return c;
    c.state.VentilatorIndex = model;
    c.state.VentilatorName = LookUpVentilator(model).Name;
    const RowInputs inputs{c.state, stack, {}};
    for (int i = 0; i < kScheduleConditionCount; ++i)
        c.results[static_cast<std::size_t>(i)] =
            EvaluateCondition(inputs, LookUpVentilator(model), static_cast<ScheduleCondition>(i));
    return c;
}

SheetCase ScheduleSheetCase(const Schedule& schedule, const ScheduleResult& result,
                            std::size_t index)
{
    const ScheduleRow& row = schedule.rows.at(index);
    const RowResult& r = result.rows.at(index);
    SheetCase c;
    c.state = r.inputs.state;
    c.model = r.computed ? r.model : 0;
    if (c.model != 0) {
        c.state.VentilatorIndex = c.model;
        c.state.VentilatorName = LookUpVentilator(c.model).Name;
    }
    c.stack = r.inputs.stack;
    c.stackSource = Text(kStackFromSchedule);
    c.need = RowNeed(row);
    c.needSource = ScheduleCell(row, r, SheetColumn::Room);
    c.verdictCondition = schedule.building.condition;
    c.results = r.results;
    c.computed = r.computed;
    c.verdict = ScheduleCell(row, r, SheetColumn::Verdict);
    c.note = r.computed ? ScheduleCell(row, r, SheetColumn::Note) : std::string();
    c.duct = row.label;
    c.storey = FormatWhole(row.storey) + " z " + FormatWhole(schedule.building.storeys) +
               (row.flat.empty() ? "" : ", mieszkanie " + row.flat);
    return c;
}

std::vector<std::string> MethodAssumptionLines(const StackConditions& stack,
                                               std::string_view stackSource)
{
    static constexpr std::string_view kMethod =
        "Punkt pracy: przepływ, przy którym podciśnienie wywietrznika i ciąg grawitacyjny "
        "pokrywają opory przewodu (tarcie, kratka, wlot, przejście do wywietrznika).";
    static constexpr std::string_view kWindPressure =
        "Ciśnienie dynamiczne wiatru pw = 0.6 v² [Pa] (v – prędkość wiatru [m/s]).";
    static constexpr std::string_view kNorm =
        "Wymagana wydajność według PN-83/B-03430 ze zmianą Az3:2000.";
    static constexpr std::string_view kRectangular =
        "Przewód prostokątny liczony jest jako okrągły o średnicy hydraulicznej; jego pole jest "
        "mniejsze od rzeczywistego, więc wynik jest po stronie bezpiecznej.";
    static constexpr std::string_view kTransition =
        "Strata przejścia między wywietrznikiem a przewodem liczona jest na metr długości "
        "przewodu, jak podaje metoda; w wysokich przewodach wywietrznik o małych stratach może "
        "wypaść gorzej od innego.";
    static constexpr std::string_view kUpperPoint =
        "Gdzie są dwa punkty pracy, wynik podaje górny, a uwaga wymienia drugi.";
    const std::string draught =
        "Ciąg grawitacyjny Δps = g H (ρe − ρi) przy ti = " + FormatFixed(stack.inside, 1) +
        " °C, te = " + FormatFixed(stack.outside, 1) + " °C, H = " + FormatFixed(stack.height, 2) +
        " m (" + Text(stackSource) + ").";
    return {Text(kMethod),      Text(kWindPressure), draught,          Text(kNorm),
            Text(kRectangular), Text(kTransition),   Text(kUpperPoint)};
}

SelectionSheet BuildSelectionSheet(const SheetCase& c)
{
    SelectionSheet sheet;
    sheet.title = "Karta doboru wywietrznika";
    sheet.heading = {
        "Program doboru wywietrzników KORVANT, wersja " + c.version,
        "Data: " + c.date,
        "Projekt: " + c.project,
        "Przewód: " + c.duct + (c.storey.empty() ? "" : " (kondygnacja " + c.storey + ")"),
    };
    sheet.ventilator = "Wywietrznik: " + ModelText(c.model);
    sheet.model = c.model;
    sheet.inputs = InputLines(c.state);
    sheet.results.header = {"Warunki", "Q [m3/s]", "Qh [m3/h]", "DPsw [Pa]", "c [m/s]"};
    if (c.computed && c.model != 0) {
        for (ScheduleCondition condition : kSheetOrder)
            sheet.results.rows.push_back(ResultRow(c, condition));
        sheet.notes = Notes(c);
    }
    // The charts are the comparison's: the duct open to the outside air.
    const bool inFlat = std::any_of(c.results.begin(), c.results.end(),
                                    [](const ConditionResult& r) { return r.underpressure > 0.0; });
    sheet.chartsTitle = inFlat ? "Wykresy (wiatr obliczeniowy, bez podciśnienia mieszkania pf)"
                               : "Wykresy (wiatr obliczeniowy)";
    sheet.assumptions = MethodAssumptionLines(c.stack, c.stackSource);
    sheet.verdict = VerdictLines(c);
    return sheet;
}

std::string SheetIndexTitle()
{
    return "Karty doboru wywietrzników – spis przewodów";
}

SheetTable SheetIndex(const Schedule& schedule, const ScheduleResult& result)
{
    SheetTable table;
    table.header = {"Przewód", "Kondygnacja", "Wywietrznik", "Ocena", "Strona"};
    for (std::size_t i = 0; i < schedule.rows.size() && i < result.rows.size(); ++i) {
        const ScheduleRow& row = schedule.rows[i];
        const RowResult& r = result.rows[i];
        table.rows.push_back({row.label, FormatWhole(row.storey),
                              r.computed ? ModelText(r.model) : "–",
                              ScheduleCell(row, r, SheetColumn::Verdict),
                              FormatWhole(static_cast<std::int32_t>(i + 2))});
    }
    return table;
}
