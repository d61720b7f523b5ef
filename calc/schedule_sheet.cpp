// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule_sheet.h"

#include "calc/input_limits.h"
#include "calc/number_format.h"
#include "calc/selection.h"

#include <cmath>
#include <optional>

namespace {

std::size_t At(BuildingField field)
{
    return static_cast<std::size_t>(field);
}

std::string NotANumber(const std::string& text)
{
    if (text.find_first_not_of(" \t") == std::string::npos)
        return "Pole jest puste – wpisz liczbę.";
    return "„" + text + "” nie jest liczbą – wpisz liczbę, np. 4 lub 4,5.";
}

// A real field: strictly a number, then within the bounds of `what` (none
// for the temperatures).
std::optional<double> Real(const BuildingEntry& e, BuildingField f, std::string& reason,
                           std::optional<Limited> what)
{
    const std::optional<double> value = StrictFieldNumber(e.Text(f));
    if (!value) {
        reason = NotANumber(e.Text(f));
        return std::nullopt;
    }
    if (what) {
        if (const Refusal r = CheckLimits({{*what, *value}}); r != Refusal::None) {
            reason = std::string(RefusalText(r));
            return std::nullopt;
        }
    }
    return value;
}

// A whole-number field.
std::optional<std::int32_t> Whole(const BuildingEntry& e, BuildingField f, std::string& reason,
                                  std::optional<Limited> what)
{
    const std::optional<double> value = Real(e, f, reason, what);
    if (!value)
        return std::nullopt;
    if (*value != std::floor(*value) || std::fabs(*value) > 2e9) {
        reason = "„" + e.Text(f) + "” nie jest liczbą całkowitą – wpisz liczbę całkowitą.";
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

void ReadAir(const BuildingEntry& e, BuildingRead& read)
{
    ScheduleBuilding& b = read.building;
    auto& why = read.reasons;
    if (e.densityTyped) {
        if (const auto v = Real(e, BuildingField::Density, why[At(BuildingField::Density)],
                                Limited::AirDensity))
            b.density = *v;
        return;
    }
    if (const auto v =
            Whole(e, BuildingField::Temperature, why[At(BuildingField::Temperature)], std::nullopt))
        b.temperature = *v;
    if (const auto v =
            Whole(e, BuildingField::Pressure, why[At(BuildingField::Pressure)], Limited::Pressure))
        b.pressure = *v;
    if (const auto v =
            Whole(e, BuildingField::Humidity, why[At(BuildingField::Humidity)], Limited::Humidity))
        b.humidity = *v;
}

// The cells of `a` quoted as a spreadsheet expects when they hold a tab, a
// line break or a quote.
std::string Cell(const std::string& text)
{
    if (text.find_first_of("\t\n\r\"") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::string_view BuildingFieldCaption(BuildingField field)
{
    static const std::array<std::string_view, kBuildingFieldCount> kCaptions = {
        "Gęstość powietrza Ro [kg/m3]",
        "Temperatura t [°C]",
        "Ciśnienie p [hPa]",
        "Wilgotność φ [%]",
        "Wiatr obliczeniowy v [m/s]",
        "Liczba kondygnacji N",
        "Wysokość kondygnacji h [m]",
        "Temperatura wewnątrz ti [°C]",
        "Temperatura na zewnątrz te [°C]",
        "Okres roku",
        "Wymagany udział godzin [%]",
    };
    return kCaptions[At(field)];
}

namespace {

// The year condition's period and share.
void ReadYear(const BuildingEntry& e, BuildingRead& read)
{
    auto& why = read.reasons;
    if (IsYearPeriodText(e.Text(BuildingField::YearPeriod)))
        read.building.yearPeriod = e.Text(BuildingField::YearPeriod);
    else
        why[At(BuildingField::YearPeriod)] =
            "„" + e.Text(BuildingField::YearPeriod) +
            "” nie jest okresem: wpisz year (cały rok), heating (sezon grzewczy) albo miesiące "
            "M1-M2, np. 11-3.";
    if (const auto v =
            Real(e, BuildingField::YearShare, why[At(BuildingField::YearShare)], std::nullopt)) {
        if (*v > 0.0 && *v <= 100.0)
            read.building.yearShare = *v;
        else
            why[At(BuildingField::YearShare)] =
                "Udział musi być większy od 0 % i nie większy niż 100 %.";
    }
}

} // namespace

BuildingEntry EntryOf(const ScheduleBuilding& b)
{
    BuildingEntry e;
    e.densityTyped = b.densityTyped;
    e.condition = b.condition;
    e.oneModelPerRiser = b.oneModelPerRiser;
    e.texts = {ExactNumber(b.density),      FormatWhole(b.temperature),
               FormatWhole(b.pressure),     FormatWhole(b.humidity),
               ExactNumber(b.windSpeed),    FormatWhole(b.storeys),
               ExactNumber(b.storeyHeight), ExactNumber(b.inside),
               ExactNumber(b.outside),      b.yearPeriod,
               ExactNumber(b.yearShare)};
    return e;
}

bool BuildingRead::Refused() const
{
    for (const std::string& reason : reasons) {
        if (!reason.empty())
            return true;
    }
    return false;
}

std::string BuildingRead::Problem() const
{
    std::string problem;
    for (int f = 0; f < kBuildingFieldCount; ++f) {
        const std::string& reason = reasons[static_cast<std::size_t>(f)];
        if (!reason.empty())
            problem += (problem.empty() ? "" : "\n") +
                       std::string(BuildingFieldCaption(static_cast<BuildingField>(f))) + ": " +
                       reason;
    }
    return problem;
}

BuildingRead ReadBuilding(const BuildingEntry& e, const ScheduleBuilding& last)
{
    BuildingRead read;
    read.building = last;
    ScheduleBuilding& b = read.building;
    auto& why = read.reasons;
    b.densityTyped = e.densityTyped;
    b.condition = e.condition;
    b.oneModelPerRiser = e.oneModelPerRiser;
    ReadAir(e, read);
    if (const auto v =
            Real(e, BuildingField::Wind, why[At(BuildingField::Wind)], Limited::WindSpeed))
        b.windSpeed = *v;
    const auto storeys =
        Whole(e, BuildingField::Storeys, why[At(BuildingField::Storeys)], Limited::StoreyCount);
    const auto height = Real(e, BuildingField::StoreyHeight, why[At(BuildingField::StoreyHeight)],
                             Limited::StoreyHeight);
    if (storeys && height) {
        if (const Refusal r = CheckStoreyLimits(*height, *storeys); r != Refusal::None) {
            why[At(BuildingField::Storeys)] = std::string(RefusalText(r));
        } else {
            b.storeys = *storeys;
            b.storeyHeight = *height;
        }
    }
    if (const auto v = Real(e, BuildingField::Inside, why[At(BuildingField::Inside)], std::nullopt))
        b.inside = *v;
    if (const auto v =
            Real(e, BuildingField::Outside, why[At(BuildingField::Outside)], std::nullopt))
        b.outside = *v;
    ReadYear(e, read);
    return read;
}

TextBlock ParseTabText(std::string_view text)
{
    TextBlock block(1);
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"' && cell.empty()) {
            quoted = true;
        } else if (c == '\t') {
            block.back().push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            block.back().push_back(std::move(cell));
            cell.clear();
            block.emplace_back();
        } else {
            cell += c;
        }
    }
    if (!cell.empty() || !block.back().empty())
        block.back().push_back(std::move(cell));
    if (block.back().empty())
        block.pop_back();
    return block;
}

std::string TabText(const TextBlock& block)
{
    std::string text;
    for (const auto& line : block) {
        for (std::size_t c = 0; c < line.size(); ++c)
            text += (c > 0 ? "\t" : "") + Cell(line[c]);
        text += '\n';
    }
    return text;
}

std::string WritesMillimetreQuestion(const std::vector<SheetRow>& targets,
                                     const std::vector<CellWrite>& writes)
{
    std::vector<ScheduleRow> rows;
    rows.reserve(targets.size());
    for (const SheetRow& t : targets)
        rows.push_back(t.row);
    for (const CellWrite& w : writes) {
        ScheduleRow& row = rows[w.target];
        if (!IsCellEditable(row, w.column))
            continue;
        if (std::string question = MillimetreQuestion(row, w.column, w.text); !question.empty())
            return question;
        const CellRead read = ReadCell(row, w.column, w.text, 1 << 30, false);
        if (read.reason.empty())
            row = read.row;
    }
    return {};
}

Result<std::vector<SheetRow>> WriteCells(std::vector<SheetRow> targets,
                                         const std::vector<int>& numbers,
                                         const std::vector<CellWrite>& writes, std::int32_t storeys,
                                         bool millimetres)
{
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const CellWrite& w = writes[i];
        SheetRow& target = targets[w.target];
        if (!IsCellEditable(target.row, w.column))
            continue;
        // An empty duct cell next to the other shape written in the same row.
        const bool shape = w.column == SheetColumn::Diameter || w.column == SheetColumn::Sides;
        if (shape && w.text.find_first_not_of(" \t") == std::string::npos) {
            bool other = false;
            for (std::size_t j = i + 1; j < writes.size(); ++j)
                other = other || (writes[j].target == w.target && writes[j].column != w.column &&
                                  (writes[j].column == SheetColumn::Diameter ||
                                   writes[j].column == SheetColumn::Sides) &&
                                  !writes[j].text.empty());
            if (other)
                continue;
        }
        const SheetRow written = TypeCell(target, w.column, w.text, storeys, millimetres);
        if (const RefusedCell* refused = written.Refused(w.column))
            return Failure{"Wiersz " + FormatWhole(numbers[w.target]) + ", kolumna „" +
                           std::string(SheetHeader(w.column)) + "”: " + refused->reason};
        target = written;
    }
    return targets;
}
