// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule_cells.h"

#include "calc/program_texts.h"
#include "calc/schedule_limits.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/number_format.h"
#include "calc/selection.h"
#include "calc/strict_number.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Above this a size in metres is most likely millimetres [m].
constexpr double kMillimetreHint = 2.0;

const std::string_view kTimes = "\xC3\x97";                                      // ×
const std::array<std::string_view, 2> kDiameterSigns = {"\xC3\x98", "\xC3\xB8"}; // Ø ø

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string Quoted(std::string_view text)
{
    return "„" + std::string(text) + "”";
}

std::string NotANumber(std::string_view text)
{
    return NotANumberReason(text);
}

std::string_view WithoutDiameterSign(std::string_view text)
{
    text = Trim(text);
    for (std::string_view sign : kDiameterSigns) {
        if (text.substr(0, sign.size()) == sign)
            return Trim(text.substr(sign.size()));
    }
    return text;
}

// "0.14x0.27", "0,14 × 0,27", "0.14*0.27": the parts between the signs.
std::vector<std::string> Parts(std::string_view text)
{
    std::string t(text);
    for (std::size_t at = t.find(kTimes); at != std::string::npos; at = t.find(kTimes))
        t.replace(at, kTimes.size(), "x");
    std::replace(t.begin(), t.end(), 'X', 'x');
    std::replace(t.begin(), t.end(), '*', 'x');
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = t.find('x'); at != std::string::npos; at = t.find('x', start)) {
        parts.emplace_back(Trim(std::string_view(t).substr(start, at - start)));
        start = at + 1;
    }
    parts.emplace_back(Trim(std::string_view(t).substr(start)));
    return parts;
}

// A size [m]: strictly a number, millimetres when asked and above 2 m, within
// the bounds of `what`.
Result<double> ReadSize(std::string_view text, Limited what, bool millimetres)
{
    const std::string_view plain = WithoutDiameterSign(text);
    const std::optional<double> value = StrictFieldNumber(plain);
    if (!value)
        return Failure{NotANumber(plain)};
    const double metres = millimetres && *value > kMillimetreHint ? *value / 1000.0 : *value;
    if (const Refusal refusal = CheckLimits({{what, metres}}); refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    return metres;
}

// Two sizes a x b.
Result<std::array<double, 2>> ReadPair(std::string_view text, Limited what, bool millimetres,
                                       std::string_view example)
{
    const std::vector<std::string> parts = Parts(text);
    if (parts.size() != 2)
        return Failure{"Podaj dwa wymiary a×b, np. " + std::string(example) + "."};
    std::array<double, 2> sizes{};
    for (std::size_t i = 0; i < 2; ++i) {
        const Result<double> size = ReadSize(parts[i], what, millimetres);
        if (!size)
            return size.Fault();
        sizes[i] = size.Value();
    }
    return sizes;
}

// A whole number in the strict form ("3", "3.0").
std::optional<std::int32_t> Whole(std::string_view text)
{
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 2e9)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

// The position of `text` in a list of captions (blanks around ignored), or -1.
template <typename Caption> int Find(std::string_view text, int count, Caption caption)
{
    text = Trim(text);
    for (int i = 0; i < count; ++i) {
        if (Trim(caption(i)) == text)
            return i;
    }
    return -1;
}

std::string Unknown(std::string_view what, std::string_view text)
{
    return Quoted(text) + " nie jest " + std::string(what) + " z listy – wybierz z listy.";
}

Result<ScheduleRow> ReadStorey(ScheduleRow row, std::string_view text, std::int32_t storeys)
{
    const std::optional<std::int32_t> storey = Whole(text);
    if (!StrictFieldNumber(text))
        return Failure{NotANumber(text)};
    if (!storey || *storey < 1 || *storey > storeys)
        return Failure{"Kondygnacja musi być liczbą całkowitą od 1 do " + FormatWhole(storeys) +
                       " (liczby kondygnacji budynku)."};
    row.storey = *storey;
    return row;
}

Result<ScheduleRow> ReadRoom(ScheduleRow row, std::string_view text)
{
    int room = Find(text, kRoomTypeCount + 1, [](int i) { return RoomChoice(i); });
    if (room < 0) // the caption alone, without its flow
        room = Find(text, kRoomTypeCount,
                    [](int i) {
                        return std::string(kRoomTypes[static_cast<std::size_t>(i)].caption);
                    }) +
               1;
    if (room < 0 || (room == 0 && Trim(text) != kTypedNeedCaption))
        return Failure{Unknown("rodzajem pomieszczenia", text)};
    if (room == 0 && row.room != 0)
        row.typedNeed = RowNeed(row); // the need shown stays
    row.room = room;
    return row;
}

Result<ScheduleRow> ReadNeed(ScheduleRow row, std::string_view text)
{
    const Result<double> need = ReadNeededFlow(text);
    if (!need)
        return need.Fault();
    if (!(need.Value() > 0.0))
        return Failure{"Podaj wymaganą wydajność większą od zera."};
    if (need.Value() == RowNeed(row))
        return row; // the room's own need: nothing changes
    row.room = 0;
    row.typedNeed = need.Value();
    return row;
}

Result<ScheduleRow> ReadDiameter(ScheduleRow row, std::string_view text, bool millimetres)
{
    if (Trim(text).empty() && !row.roundDuct)
        return row; // the column of the other shape
    const Result<double> d = ReadSize(text, Limited::DuctSize, millimetres);
    if (!d)
        return d.Fault();
    row.roundDuct = true;
    row.diameter = d.Value();
    return row;
}

Result<ScheduleRow> ReadSides(ScheduleRow row, std::string_view text, bool millimetres)
{
    if (Trim(text).empty() && row.roundDuct)
        return row;
    const auto sides = ReadPair(text, Limited::DuctSize, millimetres, "0,14×0,27");
    if (!sides)
        return sides.Fault();
    row.roundDuct = false;
    row.sideA = sides.Value()[0];
    row.sideB = sides.Value()[1];
    return row;
}

Result<ScheduleRow> ReadGrilleSize(ScheduleRow row, std::string_view text, bool millimetres)
{
    if (row.grille == ScheduleGrille::Adjustable) {
        std::string_view turns = Trim(text);
        if (turns.size() > 4 && turns.substr(turns.size() - 4) == "obr.")
            turns = Trim(turns.substr(0, turns.size() - 4));
        const std::optional<std::int32_t> opening = Whole(turns);
        if (!opening || *opening < 0 || *opening > kLargestOpening)
            return Failure{"Otwarcie kratki regulowanej musi być liczbą całkowitą od 0 do " +
                           FormatWhole(kLargestOpening) + " obrotów."};
        row.opening = *opening;
        return row;
    }
    if (row.grille == ScheduleGrille::Round) {
        const Result<double> d = ReadSize(text, Limited::GrilleSize, millimetres);
        if (!d)
            return d.Fault();
        row.grilleDiameter = d.Value();
        return row;
    }
    const auto sides = ReadPair(text, Limited::GrilleSize, millimetres, "0,14×0,14");
    if (!sides)
        return sides.Fault();
    row.grilleHeight = sides.Value()[0];
    row.grilleWidth = sides.Value()[1];
    return row;
}

Result<ScheduleRow> ReadGrilleLoss(ScheduleRow row, std::string_view text)
{
    const std::optional<double> loss = StrictFieldNumber(text);
    if (!loss)
        return Failure{NotANumber(text)};
    if (*loss < 0.0)
        return Failure{"Współczynnik strat kratki ζ nie może być ujemny."};
    row.grilleLoss = *loss;
    return row;
}

Result<ScheduleRow> ReadChoice(ScheduleRow row, SheetColumn column, std::string_view text)
{
    if (column == SheetColumn::Material) {
        const int material = Find(text, static_cast<int>(kDuctMaterials.size()), [](int i) {
            return kDuctMaterials[static_cast<std::size_t>(i)].caption;
        });
        if (material < 0)
            return Failure{Unknown("materiałem", text)};
        row.material = material + 1;
        return row;
    }
    if (column == SheetColumn::GrilleKind) {
        const int choice =
            Find(text, 2 + static_cast<int>(kAdjustableGrilles.size()), GrilleChoice);
        if (choice < 0)
            return Failure{Unknown("kratką", text)};
        row.grille = choice == 0   ? ScheduleGrille::Rectangular
                     : choice == 1 ? ScheduleGrille::Round
                                   : ScheduleGrille::Adjustable;
        if (choice >= 2)
            row.adjustable = choice - 1;
        return row;
    }
    // The ventilator: "dobierz" (also as the table shows a suggestion), a
    // number, or the number and the name.
    const std::string_view plain = Trim(text);
    if (plain.starts_with(kChooseModelText)) {
        row.model = 0;
        return row;
    }
    int model = Find(plain, kVentilatorCount + 1, VentilatorChoice);
    if (model < 0) // as older tables wrote it: "7 OSTREL-160 wzdluznie"
        model = Find(plain, kVentilatorCount + 1, [](int i) {
            return i == 0 ? std::string()
                          : FormatWhole(i) + " " + std::string(Trim(LookUpVentilator(i).Name));
        });
    if (const auto number = Whole(plain);
        model < 0 && number && *number >= 1 && *number <= kVentilatorCount)
        model = *number;
    if (model < 0)
        return Failure{Unknown("wywietrznikiem", text)};
    row.model = model;
    return row;
}

Result<ScheduleRow> Read(const ScheduleRow& row, SheetColumn column, std::string_view text,
                         std::int32_t storeys, bool millimetres)
{
    switch (column) {
    case SheetColumn::Label: {
        ScheduleRow labelled = row;
        labelled.label = std::string(text);
        return labelled;
    }
    case SheetColumn::Flat: {
        ScheduleRow placed = row;
        placed.flat = std::string(Trim(text));
        return placed;
    }
    case SheetColumn::Storey:
        return ReadStorey(row, Trim(text), storeys);
    case SheetColumn::Room:
        return ReadRoom(row, text);
    case SheetColumn::Need:
        return ReadNeed(row, text);
    case SheetColumn::Diameter:
        return ReadDiameter(row, text, millimetres);
    case SheetColumn::Sides:
        return ReadSides(row, text, millimetres);
    case SheetColumn::GrilleSize:
        return ReadGrilleSize(row, text, millimetres);
    case SheetColumn::GrilleLoss:
        return ReadGrilleLoss(row, Trim(text));
    case SheetColumn::Material:
    case SheetColumn::GrilleKind:
    case SheetColumn::Ventilator:
        return ReadChoice(row, column, text);
    default:
        return row; // computed: nothing to read
    }
}

// "140" with a decimal comma.
std::string Comma(std::string text)
{
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// The sizes of a size cell's text, for the millimetre question.
std::vector<std::string> SizeTexts(const ScheduleRow& row, SheetColumn column,
                                   std::string_view text)
{
    if (column == SheetColumn::Diameter ||
        (column == SheetColumn::GrilleSize && row.grille == ScheduleGrille::Round))
        return {std::string(WithoutDiameterSign(text))};
    if (column == SheetColumn::Sides ||
        (column == SheetColumn::GrilleSize && row.grille == ScheduleGrille::Rectangular))
        return Parts(text);
    return {};
}

} // namespace

std::string NotANumberReason(std::string_view text)
{
    if (Trim(text).empty())
        return "Komórka jest pusta – wpisz liczbę, np. 0,16 lub 0.16.";
    return Quoted(text) + " nie jest liczbą – wpisz liczbę, np. 0,16 lub 0.16.";
}

std::string_view SheetHeader(SheetColumn column)
{
    static const std::array<std::string_view, kSheetColumnCount> kHeaders = {
        "Przewód",
        "Kondygnacja k",
        "Mieszkanie",
        "Pomieszczenie",
        "Wymagane Qh [m3/h]",
        "Średnica D [m]",
        "Boki a×b [m]",
        "Materiał",
        "Kratka",
        "Wymiar kratki [m] / obroty",
        "ζ kratki [–]",
        "Wywietrznik",
        "L [m]",
        "Qh bezwietrzny [m3/h]",
        "Qh wiatr [m3/h]",
        "Qh wiatr + ciąg [m3/h]",
        "pf bezwietrzny / wiatr / wiatr + ciąg [Pa]",
        "Godziny spełnienia [%]",
        "Ocena",
        "Uwagi",
    };
    return kHeaders[static_cast<std::size_t>(column)];
}

bool IsInputColumn(SheetColumn column)
{
    return static_cast<int>(column) <= static_cast<int>(SheetColumn::Ventilator);
}

bool IsCellEditable(const ScheduleRow& row, SheetColumn column)
{
    return IsInputColumn(column) &&
           !(column == SheetColumn::GrilleLoss && row.grille == ScheduleGrille::Adjustable);
}

std::string RoomChoice(int room)
{
    if (room < 1 || room > kRoomTypeCount)
        return std::string(kTypedNeedCaption);
    const RoomType& type = kRoomTypes[static_cast<std::size_t>(room - 1)];
    return std::string(type.caption) + " – " + FormatWhole(static_cast<int>(type.flowPerHour)) +
           " m3/h";
}

std::string GrilleChoice(int choice)
{
    if (choice == 0)
        return "prostokątna";
    if (choice == 1)
        return "okrągła";
    return "regulowana " +
           std::string(kAdjustableGrilles[static_cast<std::size_t>(choice - 2)].name);
}

std::string VentilatorChoice(int model)
{
    if (model < 1 || model > kVentilatorCount)
        return kChooseModelText;
    return FormatWhole(model) + " " + std::string(VentilatorCaption(model));
}

int GrilleChoiceOf(const ScheduleRow& row)
{
    if (row.grille == ScheduleGrille::Adjustable)
        return 1 + row.adjustable;
    return row.grille == ScheduleGrille::Rectangular ? 0 : 1;
}

std::string CellText(const ScheduleRow& row, SheetColumn column)
{
    switch (column) {
    case SheetColumn::Label:
        return row.label;
    case SheetColumn::Storey:
        return FormatWhole(row.storey);
    case SheetColumn::Flat:
        return row.flat;
    case SheetColumn::Room:
        return row.room >= 1 && row.room <= kRoomTypeCount
                   ? std::string(kRoomTypes[static_cast<std::size_t>(row.room - 1)].caption)
                   : std::string(kTypedNeedCaption);
    case SheetColumn::Need:
        return FormatFixed(RowNeed(row), 1);
    case SheetColumn::Diameter:
        return row.roundDuct ? FormatFixed(row.diameter, 3) : std::string();
    case SheetColumn::Sides:
        return row.roundDuct ? std::string()
                             : FormatFixed(row.sideA, 3) + "×" + FormatFixed(row.sideB, 3);
    case SheetColumn::Material:
        return std::string(
            Trim(kDuctMaterials[static_cast<std::size_t>(row.material - 1)].caption));
    case SheetColumn::GrilleKind:
        return GrilleChoice(GrilleChoiceOf(row));
    case SheetColumn::GrilleSize:
        if (row.grille == ScheduleGrille::Rectangular)
            return FormatFixed(row.grilleHeight, 3) + "×" + FormatFixed(row.grilleWidth, 3);
        if (row.grille == ScheduleGrille::Round)
            return "Ø" + FormatFixed(row.grilleDiameter, 3);
        return FormatWhole(row.opening) + " obr.";
    case SheetColumn::GrilleLoss:
        return FormatFixed(row.grilleLoss, 2);
    case SheetColumn::Ventilator:
        return VentilatorChoice(row.model);
    default:
        return {};
    }
}

CellRead ReadCell(const ScheduleRow& row, SheetColumn column, std::string_view text,
                  std::int32_t storeys, bool millimetres)
{
    Result<ScheduleRow> read = Read(row, column, text, storeys, millimetres);
    if (!read)
        return {row, read.Reason()};
    // What the cell reads must also pass the schedule's own check, the one
    // the calculation file's reader makes, so that a saved table opens again.
    ScheduleBuilding building;
    building.storeys = storeys;
    if (const ScheduleRefusal refusal = CheckScheduleRow(building, read.Value()); refusal.Refused())
        return {row, refusal.reason};
    return {std::move(read).Value(), {}};
}

std::string MillimetreQuestion(const ScheduleRow& row, SheetColumn column, std::string_view text)
{
    std::string pairs;
    for (const std::string& part : SizeTexts(row, column, text)) {
        const std::optional<double> value = StrictFieldNumber(part);
        if (!value || !(*value > kMillimetreHint) || !std::isfinite(*value / 1000.0))
            continue;
        std::string metres = ExactNumber(*value / 1000.0);
        if (metres.size() < FormatFixed(*value / 1000.0, 3).size())
            metres = FormatFixed(*value / 1000.0, 3);
        pairs += (pairs.empty() ? "" : ", ") + Comma(part) + " mm = " + Comma(metres) + " m";
    }
    return pairs.empty() ? std::string() : "Czy chodziło o milimetry? " + pairs;
}

const RefusedCell* SheetRow::Refused(SheetColumn column) const
{
    for (const RefusedCell& cell : refused) {
        if (cell.column == column)
            return &cell;
    }
    return nullptr;
}

SheetRow TypeCell(const SheetRow& sheet, SheetColumn column, std::string_view text,
                  std::int32_t storeys, bool millimetres)
{
    SheetRow out = sheet;
    std::erase_if(out.refused, [column](const RefusedCell& c) { return c.column == column; });
    const CellRead read = ReadCell(sheet.row, column, text, storeys, millimetres);
    if (!read.reason.empty()) {
        out.refused.push_back({column, std::string(text), read.reason});
        std::sort(out.refused.begin(), out.refused.end(),
                  [](const RefusedCell& a, const RefusedCell& b) { return a.column < b.column; });
        return out;
    }
    out.row = read.row;
    // A room type chosen makes a refused need moot, one duct shape the other's.
    auto moot = [&](const RefusedCell& c) {
        return (column == SheetColumn::Room && out.row.room != 0 &&
                c.column == SheetColumn::Need) ||
               (column == SheetColumn::Need && c.column == SheetColumn::Room) ||
               (column == SheetColumn::Diameter && c.column == SheetColumn::Sides) ||
               (column == SheetColumn::Sides && c.column == SheetColumn::Diameter);
    };
    std::erase_if(out.refused, moot);
    // A new grille kind reads its size and loss again.
    if (column == SheetColumn::GrilleKind) {
        const std::vector<RefusedCell> again = out.refused;
        for (const RefusedCell& c : again) {
            if (c.column == SheetColumn::GrilleSize || c.column == SheetColumn::GrilleLoss)
                out = TypeCell(out, c.column, c.text, storeys, false);
        }
    }
    return out;
}

std::string RefusalProblem(const SheetRow& row)
{
    std::string problem;
    for (const RefusedCell& cell : row.refused) {
        std::string reason = cell.reason;
        if (!reason.empty() && reason.back() == '.')
            reason.pop_back();
        problem += (problem.empty() ? "" : "; ") + std::string("kolumna „") +
                   std::string(SheetHeader(cell.column)) + "”: " + reason;
    }
    return problem;
}

std::vector<SheetRow> RiserSheetRows(const ScheduleBuilding& building, const SheetRow& sheet)
{
    std::vector<SheetRow> rows;
    for (const ScheduleRow& row : RiserRows(building, sheet.row)) {
        SheetRow storey{row, sheet.refused};
        std::erase_if(storey.refused, [](const RefusedCell& c) {
            return c.column == SheetColumn::Storey || c.column == SheetColumn::Label;
        });
        rows.push_back(storey);
    }
    return rows;
}
