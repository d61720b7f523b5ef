// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/schedule_export.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "calc/program_texts.h"
#include "files/csv.h"
#include "report/schedule_table.h"

namespace {

std::string Dimension(double value)
{
    return FormatFixed(value, 3);
}

// The model the row is computed with: its own, or the one chosen; 0: none.
int UsedModel(const ScheduleRow& row, const RowResult& result)
{
    return row.model >= 1 && row.model <= kVentilatorCount ? row.model : result.model;
}

std::string GrilleKind(const ScheduleRow& row)
{
    switch (row.grille) {
    case ScheduleGrille::Rectangular:
        return "prostokątna";
    case ScheduleGrille::Round:
        return "okrągła";
    case ScheduleGrille::Adjustable:
        if (row.adjustable < 1 || row.adjustable > static_cast<int>(kAdjustableGrilles.size()))
            return "regulowana ?";
        return "regulowana " +
               std::string(kAdjustableGrilles[static_cast<std::size_t>(row.adjustable - 1)].name);
    }
    return {};
}

// ζ of a fixed grille as typed; of the adjustable one as its opening gives it.
std::string GrilleLoss(const ScheduleRow& row, const RowResult& result)
{
    if (row.grille != ScheduleGrille::Adjustable)
        return FormatFixed(row.grilleLoss, 2);
    return result.computed ? FormatFixed(result.inputs.state.LossCoefficient, 2) : "";
}

std::string Choice(const ScheduleRow& row, const RowResult& result)
{
    if (row.model >= 1 && row.model <= kVentilatorCount)
        return "podany";
    if (result.model != 0)
        return result.suggested == 0 ? std::string(kChooseModelText) + ": brak, najbliższy"
                                     : "dobrany";
    return kChooseModelText;
}

// The columns of the files, left to right.
enum class Export {
    Label,
    Storey,
    Flat,
    Room,
    Need,
    Duct,
    Diameter,
    SideA,
    SideB,
    Material,
    Grille,
    GrilleHeight,
    GrilleWidth,
    GrilleDiameter,
    Opening,
    GrilleLoss,
    Number,
    Ventilator,
    Choice,
    Length,
    Calm,
    Wind,
    WindStack,
    CalmUnderpressure,
    WindUnderpressure,
    WindStackUnderpressure,
    YearShare,
    Verdict,
    Note,
};

struct ExportColumn {
    const char* header;
    bool numeric;  // a number where its text is one
    bool userText; // the user's own text: never a decimal comma
};

const ExportColumn kColumns[] = {
    {"Przewód", false, true},
    {"Kondygnacja", true, false},
    {"Mieszkanie", false, true},
    {"Pomieszczenie", false, false},
    {"Wymagane Qh [m3/h]", true, false},
    {"Kanał", false, false},
    {"Średnica D [m]", true, false},
    {"Bok a [m]", true, false},
    {"Bok b [m]", true, false},
    {"Materiał", false, false},
    {"Kratka", false, false},
    {"Kratka: wysokość [m]", true, false},
    {"Kratka: szerokość [m]", true, false},
    {"Kratka: średnica [m]", true, false},
    {"Kratka: otwarcie [obr.]", true, false},
    {"ζ kratki", true, false},
    {"Nr wywietrznika", true, false},
    {"Wywietrznik", false, false},
    {"Dobór", false, false},
    {"L [m]", true, false},
    {"Qh bezwietrzny [m3/h]", true, false},
    {"Qh wiatr [m3/h]", true, false},
    {"Qh wiatr + ciąg [m3/h]", true, false},
    {"pf bezwietrzny [Pa]", true, false},
    {"pf wiatr [Pa]", true, false},
    {"pf wiatr + ciąg [Pa]", true, false},
    {"Godziny spełnienia [%]", true, false},
    {"Ocena", false, false},
    {"Uwagi", false, false},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
static_assert(kColumnCount == static_cast<int>(Export::Note) + 1, "a header for every column");

// What the user gave: the duct, its grille and its room.
std::string InputText(Export column, const ScheduleRow& row, const RowResult& result)
{
    const bool rectangular = row.grille == ScheduleGrille::Rectangular;
    switch (column) {
    case Export::Label:
        return row.label;
    case Export::Storey:
        return FormatWhole(row.storey);
    case Export::Flat:
        return row.flat;
    case Export::Room:
        return ScheduleCell(row, result, SheetColumn::Room);
    case Export::Need:
        return ScheduleCell(row, result, SheetColumn::Need);
    case Export::Duct:
        return row.roundDuct ? "okrągły" : "prostokątny";
    case Export::Diameter:
        return row.roundDuct ? Dimension(row.diameter) : "";
    case Export::SideA:
        return row.roundDuct ? "" : Dimension(row.sideA);
    case Export::SideB:
        return row.roundDuct ? "" : Dimension(row.sideB);
    case Export::Material:
        return ScheduleCell(row, result, SheetColumn::Material);
    case Export::Grille:
        return GrilleKind(row);
    case Export::GrilleHeight:
        return rectangular ? Dimension(row.grilleHeight) : "";
    case Export::GrilleWidth:
        return rectangular ? Dimension(row.grilleWidth) : "";
    case Export::GrilleDiameter:
        return row.grille == ScheduleGrille::Round ? Dimension(row.grilleDiameter) : "";
    case Export::Opening:
        return row.grille == ScheduleGrille::Adjustable ? FormatWhole(row.opening) : "";
    case Export::GrilleLoss:
        return GrilleLoss(row, result);
    default:
        return {};
    }
}

// What the calculation gave: the model, the flows, pf and the verdict.
std::string ResultText(Export column, const ScheduleRow& row, const RowResult& result)
{
    const int model = UsedModel(row, result);
    switch (column) {
    case Export::Number:
        return model != 0 ? FormatWhole(model) : "";
    case Export::Ventilator:
        return model != 0 ? std::string(VentilatorCaption(model)) : "";
    case Export::Choice:
        return Choice(row, result);
    case Export::Length:
        return ScheduleCell(row, result, SheetColumn::Length);
    case Export::Calm:
    case Export::Wind:
    case Export::WindStack:
        return ScheduleFlowText(result,
                                static_cast<ScheduleCondition>(static_cast<int>(column) -
                                                               static_cast<int>(Export::Calm)));
    case Export::CalmUnderpressure:
    case Export::WindUnderpressure:
    case Export::WindStackUnderpressure:
        return ScheduleUnderpressureText(
            row, result,
            static_cast<ScheduleCondition>(static_cast<int>(column) -
                                           static_cast<int>(Export::CalmUnderpressure)));
    case Export::YearShare:
        return result.yearVerdict && result.yearShare ? ScheduleYearShareText(result) : "";
    case Export::Verdict:
        return ScheduleCell(row, result, SheetColumn::Verdict);
    case Export::Note:
        return ScheduleCell(row, result, SheetColumn::Note);
    default:
        return InputText(column, row, result);
    }
}

WorkbookCell ExportCell(int column, const ScheduleRow& row, const RowResult& result)
{
    const auto which = static_cast<Export>(column);
    WorkbookCell cell = MakeWorkbookCell(ResultText(which, row, result), kColumns[column].numeric);
    cell.alarm = which == Export::Verdict && !result.meets && result.computed;
    return cell;
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal point between two digits becomes a comma; a full stop stays.
std::string DecimalCommas(std::string text)
{
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '.' && Digit(text[i - 1]) && Digit(text[i + 1]))
            text[i] = ',';
    }
    return text;
}

// A cell of the Polish CSV: a number with its decimal comma, the program's
// texts with theirs, the user's text as typed.
std::string PolishText(const WorkbookCell& cell, int column)
{
    if (cell.number) {
        std::string text = cell.text;
        if (const std::size_t point = text.find('.'); point != std::string::npos)
            text[point] = ',';
        return text;
    }
    return kColumns[column].userText ? cell.text : DecimalCommas(cell.text);
}

// The bill as rows of a table: each model counted, on the ducts that meet
// their need and then on those to be verified.
void AddBill(WorkbookTable& table, const std::array<int, kVentilatorCount>& counts,
             const char* ducts)
{
    for (int i = 0; i < kVentilatorCount; ++i) {
        const int count = counts[static_cast<std::size_t>(i)];
        if (count > 0)
            table.rows.push_back({MakeWorkbookCell(FormatWhole(i + 1), true),
                                  MakeWorkbookCell(std::string(VentilatorCaption(i + 1))),
                                  MakeWorkbookCell(FormatWhole(count), true),
                                  MakeWorkbookCell(ducts)});
    }
}

} // namespace

WorkbookTable ScheduleExportTable(const Schedule& schedule, const ScheduleResult& result)
{
    WorkbookTable table;
    for (const ExportColumn& column : kColumns)
        table.headers.emplace_back(column.header);
    for (std::size_t i = 0; i < schedule.rows.size() && i < result.rows.size(); ++i) {
        std::vector<WorkbookCell>& cells = table.rows.emplace_back();
        for (int c = 0; c < kColumnCount; ++c)
            cells.push_back(ExportCell(c, schedule.rows[i], result.rows[i]));
    }
    return table;
}

WorkbookTable ScheduleConditionColumns(const ScheduleBuilding& b)
{
    std::string density = FormatFixed(b.density, 4);
    std::string t, p, phi;
    if (!b.densityTyped) {
        const WeatherDensity weather = AirDensityFromWeather(b.temperature, b.pressure, b.humidity);
        density = weather.refusal == Refusal::None ? FormatFixed(weather.density, 4) : "";
        t = FormatWhole(b.temperature);
        p = FormatWhole(b.pressure);
        phi = FormatWhole(b.humidity);
    }
    WorkbookTable table;
    table.headers = {"Ro [kg/m3]", "t [°C]", "p [hPa]", "φ [%]",   "v [m/s]",
                     "N",          "h [m]",  "ti [°C]", "te [°C]", "Warunki oceny"};
    const std::string values[] = {density,
                                  t,
                                  p,
                                  phi,
                                  FormatFixed(b.windSpeed, 2),
                                  FormatWhole(b.storeys),
                                  FormatFixed(b.storeyHeight, 2),
                                  FormatFixed(b.inside, 1),
                                  FormatFixed(b.outside, 1),
                                  VerdictConditionText(b)};
    std::vector<WorkbookCell>& row = table.rows.emplace_back();
    for (const std::string& value : values)
        row.push_back(MakeWorkbookCell(value, true));
    return table;
}

std::vector<std::string> ScheduleHeadLines(const ScheduleBuilding& building)
{
    std::vector<std::string> lines = {"Zestawienie przewodów wentylacji wywiewnej"};
    for (std::string& line : ScheduleConditionLines(building))
        lines.push_back(std::move(line));
    return lines;
}

std::string ScheduleCsv(const Schedule& schedule, const ScheduleResult& result, CsvForm form)
{
    const WorkbookTable table = ScheduleExportTable(schedule, result);
    if (form == CsvForm::Plain) {
        const WorkbookTable conditions = ScheduleConditionColumns(schedule.building);
        std::vector<std::string> header = table.headers;
        header.insert(header.end(), conditions.headers.begin(), conditions.headers.end());
        std::string csv = CsvRow(header, ',');
        for (const std::vector<WorkbookCell>& cells : table.rows) {
            std::vector<std::string> fields;
            for (const auto* row : {&cells, &conditions.rows[0]}) {
                for (const WorkbookCell& cell : *row)
                    fields.push_back(cell.text);
            }
            csv += CsvRow(fields, ',');
        }
        return csv;
    }
    std::string csv(kCsvByteOrderMark);
    for (const std::string& line : ScheduleHeadLines(schedule.building))
        csv += CsvRow({line}, ';');
    csv += "\r\n" + CsvRow(table.headers, ';');
    for (const std::vector<WorkbookCell>& cells : table.rows) {
        std::vector<std::string> fields;
        fields.reserve(kColumnCount);
        for (int c = 0; c < kColumnCount; ++c)
            fields.push_back(PolishText(cells[static_cast<std::size_t>(c)], c));
        csv += CsvRow(fields, ';');
    }
    csv += "\r\n";
    for (const std::string& line : SummaryLines(schedule, result))
        csv += CsvRow({line}, ';');
    return csv;
}

Workbook ScheduleWorkbook(const Schedule& schedule, const ScheduleResult& result)
{
    WorkbookSheet bill{"Podsumowanie",
                       {{"Nr", "Wywietrznik", "Liczba [szt.]", "Przewody"}, {}},
                       SummaryLines(schedule, result)};
    AddBill(bill.table, result.summary.models, "spełniające wymaganie");
    AddBill(bill.table, result.summary.toVerify, "do weryfikacji");
    return {WorkbookSheet{"Założenia", {}, ScheduleHeadLines(schedule.building)},
            WorkbookSheet{"Przewody", ScheduleExportTable(schedule, result), {}}, bill};
}
