// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/schedule_table.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "calc/polish_plural.h"
#include "calc/program_texts.h"
#include "calc/sentence.h"
#include "files/visible_text.h"

namespace {

std::string Dimension(double value)
{
    return FormatFixed(value, 3);
}

std::string GrilleText(const ScheduleRow& row)
{
    switch (row.grille) {
    case ScheduleGrille::Rectangular:
        return "prostokątna " + Dimension(row.grilleHeight) + "×" + Dimension(row.grilleWidth) +
               ", ζ = " + FormatFixed(row.grilleLoss, 2);
    case ScheduleGrille::Round:
        return "okrągła Ø" + Dimension(row.grilleDiameter) +
               ", ζ = " + FormatFixed(row.grilleLoss, 2);
    case ScheduleGrille::Adjustable:
        if (row.adjustable < 1 || row.adjustable > static_cast<int>(kAdjustableGrilles.size()))
            return "regulowana ?";
        return "regulowana " +
               std::string(kAdjustableGrilles[static_cast<std::size_t>(row.adjustable - 1)].name) +
               ", " + FormatWhole(row.opening) + " obr.";
    }
    return {};
}

std::string VentilatorText(const ScheduleRow& row, const RowResult& result)
{
    if (row.model >= 1 && row.model <= kVentilatorCount)
        return FormatWhole(row.model) + " " + std::string(VentilatorCaption(row.model));
    if (result.model != 0 && result.suggested == 0)
        return std::string(kChooseModelText) + ": brak; najbliżej " + FormatWhole(result.model) +
               " " + std::string(VentilatorCaption(result.model));
    if (result.model != 0)
        return std::string(kChooseModelText) + ": " + FormatWhole(result.model) + " " +
               std::string(VentilatorCaption(result.model));
    return kChooseModelText;
}

// The flat's underpressure by condition; where the flat has no balance, "–".
std::string Underpressures(const ScheduleRow& row, const RowResult& result)
{
    if (row.flat.empty() || !result.computed || result.model == 0)
        return "–";
    std::string text;
    for (int c = 0; c < kScheduleConditionCount; ++c)
        text += (text.empty() ? "" : " / ") +
                ScheduleUnderpressureText(row, result, static_cast<ScheduleCondition>(c));
    return text;
}

// Why a condition has no flow, for the remarks.
std::string Reasons(const RowResult& result)
{
    std::string text;
    for (int c = 0; c < kScheduleConditionCount; ++c) {
        const auto condition = static_cast<ScheduleCondition>(c);
        const ConditionResult& r = result.Of(condition);
        if (!r.Found() && !r.reason.empty() && result.model != 0)
            text = JoinSentences(text, std::string(ConditionText(condition)) + ": " +
                                           SmallFirst(r.reason));
    }
    return text;
}

} // namespace

std::string ScheduleFlowText(const RowResult& result, ScheduleCondition condition)
{
    if (!result.computed || result.model == 0)
        return "–";
    const ConditionResult& c = result.Of(condition);
    return c.Found() ? FormatFixed(c.point.flowPerHour, 1) : "brak";
}

std::string ScheduleYearShareText(const RowResult& result)
{
    if (!result.computed || !result.yearVerdict || !result.yearShare)
        return "–";
    return FormatFixed(100.0 * result.yearShare.Value(), 2);
}

std::string ScheduleUnderpressureText(const ScheduleRow& row, const RowResult& result,
                                      ScheduleCondition condition)
{
    if (row.flat.empty() || !result.computed || result.model == 0)
        return "–";
    const ConditionResult& c = result.Of(condition);
    const bool balanced = c.Found() || c.backdraught || c.underpressure > 0.0;
    return balanced ? FormatFixed(c.underpressure, 2) : "–";
}

// The sheet's own header, but where the printed table shows the duct's two
// columns, and the grille's three, as one.
std::string ScheduleHeader(SheetColumn column)
{
    switch (column) {
    case SheetColumn::Storey:
        return "Kondygnacja";
    case SheetColumn::Diameter:
    case SheetColumn::Sides:
        return "Kanał [m]";
    case SheetColumn::GrilleKind:
    case SheetColumn::GrilleSize:
    case SheetColumn::GrilleLoss:
        return "Kratka [m]";
    default:
        return std::string(SheetHeader(column));
    }
}

std::string ScheduleCell(const ScheduleRow& row, const RowResult& result, SheetColumn column)
{
    switch (column) {
    case SheetColumn::Label:
        return row.label;
    case SheetColumn::Storey:
        return FormatWhole(row.storey);
    case SheetColumn::Flat:
        return row.flat;
    case SheetColumn::Underpressure:
        return Underpressures(row, result);
    case SheetColumn::Room:
        return row.room >= 1 && row.room <= kRoomTypeCount
                   ? std::string(kRoomTypes[static_cast<std::size_t>(row.room - 1)].caption)
                   : std::string(kTypedNeedCaption);
    case SheetColumn::Need:
        return FormatFixed(RowNeed(row), 1);
    case SheetColumn::Diameter:
    case SheetColumn::Sides:
        return row.roundDuct ? "Ø" + Dimension(row.diameter)
                             : Dimension(row.sideA) + "×" + Dimension(row.sideB);
    case SheetColumn::Material:
        return row.material >= 1 && row.material <= static_cast<int>(kDuctMaterials.size())
                   ? std::string(kDuctMaterials[static_cast<std::size_t>(row.material - 1)].caption)
                   : "?";
    case SheetColumn::GrilleKind:
    case SheetColumn::GrilleSize:
    case SheetColumn::GrilleLoss:
        return GrilleText(row);
    case SheetColumn::Ventilator:
        return VentilatorText(row, result);
    case SheetColumn::Length:
        return result.computed ? FormatFixed(result.inputs.state.DuctLength, 2) : "–";
    case SheetColumn::Calm:
        return ScheduleFlowText(result, ScheduleCondition::Calm);
    case SheetColumn::Wind:
        return ScheduleFlowText(result, ScheduleCondition::Wind);
    case SheetColumn::WindStack:
        return ScheduleFlowText(result, ScheduleCondition::WindStack);
    case SheetColumn::YearShare:
        return ScheduleYearShareText(result);
    case SheetColumn::Verdict:
        if (!result.computed)
            return "błędne dane";
        if (result.yearVerdict && !result.yearShare)
            return "brak danych pogodowych";
        if (result.backdraught)
            return "ciąg wsteczny";
        return result.meets ? "spełnia" : "NIE SPEŁNIA";
    case SheetColumn::Note:
        if (!result.computed)
            return "Popraw dane: " + EndSentence(SmallFirst(result.computed.Reason()));
        if (result.yearVerdict && !result.yearShare)
            return JoinSentences(
                result.yearShare.Reason() == kNoWeatherReason
                    ? "Brak danych pogodowych: wczytaj pogodę w oknie „Praca w ciągu roku…”"
                    : "Rok: " + SmallFirst(result.yearShare.Reason()),
                JoinSentences(result.note, Reasons(result)));
        return JoinSentences(result.note, Reasons(result));
    }
    return {};
}

std::vector<std::string> ScheduleConditionLines(const ScheduleBuilding& b)
{
    std::vector<std::string> lines;
    if (b.densityTyped)
        lines.push_back("Gęstość powietrza: Ro = " + FormatFixed(b.density, 4) + " [kg/m3]");
    else
        lines.push_back("Powietrze: t = " + FormatWhole(b.temperature) +
                        " [°C], p = " + FormatWhole(b.pressure) +
                        " [hPa], φ = " + FormatWhole(b.humidity) + " [%]");
    lines.push_back("Wiatr obliczeniowy: v = " + FormatFixed(b.windSpeed, 2) + " [m/s]");
    lines.push_back("Budynek: N = " + Counted(b.storeys, kStoreyNoun) +
                    " po h = " + FormatFixed(b.storeyHeight, 2) +
                    " [m]; przewód z kondygnacji k ma L = (N − k + 1) · h");
    lines.push_back("Ciąg grawitacyjny: ti = " + FormatFixed(b.inside, 1) +
                    " [°C], te = " + FormatFixed(b.outside, 1) + " [°C], H = L przewodu");
    if (const std::string line =
            AmbientPressureLine(AmbientStackPressure(b.densityTyped, b.pressure));
        !line.empty())
        lines.push_back(line);
    lines.push_back("Warunki oceny: " + VerdictConditionText(b));
    if (b.condition == ScheduleCondition::Year)
        lines.push_back("Rok: wiatr przy wywietrznikach na wysokości z = N · h + 1 m; godzina to "
                        "wiatr + ciąg grawitacyjny przy ti budynku, H = L przewodu; przewody w "
                        "mieszkaniach liczone jak w otwartym pomieszczeniu");
    if (b.oneModelPerRiser)
        lines.push_back("Dobór: jeden model w pionie – najmniejszy model spełniający wymaganie "
                        "na wszystkich kondygnacjach pionu, a gdy żaden nie spełnia, ten, który "
                        "nie spełnia go na najmniejszej ich liczbie");
    lines.push_back("Założenie: przewód prostokątny liczy się jak okrągły o średnicy hydraulicznej "
                    "2ab/(a + b) – o polu mniejszym od rzeczywistego, więc wynik jest ostrożny.");
    lines.push_back("Założenie: stratę przejścia z przewodu do wywietrznika liczy się na metr "
                    "przewodu – w wysokim przewodzie model o małej stracie może wypaść gorzej.");
    return lines;
}

std::string ScheduleText(const Schedule& schedule, const ScheduleResult& result)
{
    std::string text;
    for (const std::string& line : ScheduleConditionLines(schedule.building))
        text += line + '\n';
    text += '\n';
    for (SheetColumn column : kScheduleColumns)
        text += (column != kScheduleColumns.front() ? "\t" : "") + ScheduleHeader(column);
    text += '\n';
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        for (SheetColumn column : kScheduleColumns)
            text += (column != kScheduleColumns.front() ? "\t" : "") +
                    VisibleText(ScheduleCell(schedule.rows[i], result.rows[i], column));
        text += '\n';
    }
    text += '\n';
    // A label's control character is written escaped, never as a raw byte.
    for (const std::string& line : SummaryLines(schedule, result))
        text += VisibleText(line) + '\n';
    return text;
}
