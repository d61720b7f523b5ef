// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_model.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/flat_cells.h"
#include "calc/number_format.h"
#include "calc/schedule_risers.h"
#include "report/schedule_table.h"
#include "schedule/schedule_commands.h"
#include "ui/refused_field.h"

#include <QBrush>
#include <QColor>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SheetColumn Sheet(int column)
{
    return static_cast<SheetColumn>(column);
}

// A number of a cell's text for sorting ("14.00", "0.140×0.270"); none for
// "–", "brak" or words.
std::optional<double> Leading(const QString& text)
{
    bool ok = false;
    const double value = text.section(QChar(0x00D7), 0, 0).remove(QChar(0x00D8)).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

QStringList ScheduleTableModel::GrilleChoices()
{
    QStringList choices;
    for (int i = 0; i < 2 + static_cast<int>(kAdjustableGrilles.size()); ++i)
        choices << Q(GrilleChoice(i));
    return choices;
}

QStringList ScheduleTableModel::RoomChoices()
{
    QStringList choices;
    for (int room = 1; room <= kRoomTypeCount; ++room)
        choices << Q(RoomChoice(room));
    choices << Q(RoomChoice(0));
    return choices;
}

QStringList ScheduleTableModel::MaterialChoices()
{
    QStringList choices;
    for (const DuctMaterial& material : kDuctMaterials)
        choices << Q(material.caption).trimmed();
    return choices;
}

QStringList ScheduleTableModel::ModelChoices()
{
    QStringList choices;
    for (int i = 0; i <= kVentilatorCount; ++i)
        choices << Q(VentilatorChoice(i));
    return choices;
}

ScheduleTableModel::ScheduleTableModel(QObject* parent)
    : QAbstractTableModel(parent)
    , undo_(new QUndoStack(this))
{
    connect(undo_, &QUndoStack::indexChanged, this, [this] {
        if (!resetting_)
            emit Edited();
    });
    SetSchedule(Schedule{});
}

void ScheduleTableModel::SetSchedule(const Schedule& schedule)
{
    std::vector<SheetRow> rows;
    for (const ScheduleRow& row : schedule.rows)
        rows.push_back({row, {}});
    resetting_ = true;
    undo_->clear();
    PutAll(EntryOf(schedule.building), rows, schedule.flats);
    resetting_ = false;
}

void ScheduleTableModel::PutAll(const BuildingEntry& entry, const std::vector<SheetRow>& rows,
                                const std::vector<FlatSupply>& flats)
{
    beginResetModel();
    schedule_.flats = flats;
    entry_ = entry;
    building_ = ReadBuilding(entry_, building_.building);
    rows_ = rows;
    schedule_.building = building_.building;
    schedule_.rows.clear();
    for (const SheetRow& row : rows_)
        schedule_.rows.push_back(row.row);
    result_.rows.clear();
    for (const SheetRow& row : rows_)
        result_.rows.push_back(Compute(row));
    endResetModel();
    Summarize();
    emit BuildingChanged();
}

RowResult ScheduleTableModel::Compute(const SheetRow& row) const
{
    RowResult result;
    if (building_.Refused()) {
        std::string problem = building_.Problem();
        problem = problem.substr(0, problem.find('\n'));
        if (!problem.empty() && problem.back() == '.')
            problem.pop_back();
        result.computed = Failure{"dane budynku – " + problem};
        return result;
    }
    if (!row.refused.empty()) {
        result.computed = Failure{RefusalProblem(row)};
        return result;
    }
    if (!year_ || !(year_->Building() == schedule_.building))
        year_ = std::make_shared<ScheduleYearRows>(schedule_.building, weather_);
    year_->Prepare(row.row);
    return year_->Compute(row.row);
}

void ScheduleTableModel::SetYearWeather(const ScheduleWeather& weather)
{
    weather_ = weather;
    year_.reset();
    RecomputeAll();
}

bool ScheduleTableModel::InFlats() const
{
    return !schedule_.flats.empty() ||
           std::any_of(schedule_.rows.begin(), schedule_.rows.end(),
                       [](const ScheduleRow& row) { return !row.flat.empty(); });
}

void ScheduleTableModel::Summarize()
{
    result_.flats.clear();
    if (InFlats() || schedule_.building.oneModelPerRiser) {
        // A flat's ducts share its underpressure, a riser's rows their model:
        // all are computed again.
        for (std::size_t i = 0; i < rows_.size(); ++i)
            result_.rows[i] = Compute(rows_[i]);
        ApplyRiserModels(schedule_, result_.rows);
        ApplyFlats(schedule_, result_);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
    result_.summary = ::Summarize(result_.rows);
    emit Recalculated();
}

void ScheduleTableModel::RecomputeAll()
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        result_.rows[i] = Compute(rows_[i]);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    Summarize();
}

void ScheduleTableModel::PutRows(const std::vector<std::pair<int, SheetRow>>& rows)
{
    for (const auto& [at, row] : rows) {
        const auto i = static_cast<std::size_t>(at);
        rows_[i] = row;
        schedule_.rows[i] = row.row;
        result_.rows[i] = Compute(row);
        emit dataChanged(index(at, 0), index(at, kColumnCount - 1));
    }
    Summarize();
}

void ScheduleTableModel::InsertSheetRows(const std::vector<std::pair<int, SheetRow>>& rows)
{
    for (const auto& [at, row] : rows) {
        beginInsertRows({}, at, at);
        rows_.insert(rows_.begin() + at, row);
        schedule_.rows.insert(schedule_.rows.begin() + at, row.row);
        result_.rows.insert(result_.rows.begin() + at, Compute(row));
        endInsertRows();
    }
    Summarize();
}

void ScheduleTableModel::DeleteSheetRows(const std::vector<int>& ascending)
{
    for (auto at = ascending.rbegin(); at != ascending.rend(); ++at) {
        beginRemoveRows({}, *at, *at);
        rows_.erase(rows_.begin() + *at);
        schedule_.rows.erase(schedule_.rows.begin() + *at);
        result_.rows.erase(result_.rows.begin() + *at);
        endRemoveRows();
    }
    Summarize();
}

void ScheduleTableModel::PutBuilding(const BuildingEntry& entry)
{
    entry_ = entry;
    building_ = ReadBuilding(entry_, building_.building);
    schedule_.building = building_.building;
    RecomputeAll();
    emit BuildingChanged();
}

void ScheduleTableModel::TypeBuilding(const BuildingEntry& entry, int field, int serial)
{
    if (entry == entry_)
        return;
    undo_->push(new BuildingCommand(*this, entry_, entry, field, serial));
}

void ScheduleTableModel::AppendRows(const std::vector<SheetRow>& rows, const QString& what)
{
    if (rows.empty())
        return;
    PlacedRows placed;
    for (const SheetRow& row : rows)
        placed.emplace_back(rowCount() + static_cast<int>(placed.size()), row);
    undo_->push(new InsertRowsCommand(*this, what, placed, false));
}

void ScheduleTableModel::RemoveRows(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    PlacedRows placed;
    for (int row : rows) {
        if (row >= 0 && row < rowCount())
            placed.emplace_back(row, rows_[static_cast<std::size_t>(row)]);
    }
    if (!placed.empty())
        undo_->push(
            new InsertRowsCommand(*this, QStringLiteral("usunięcie wierszy"), placed, true));
}

void ScheduleTableModel::DuplicateRows(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    PlacedRows placed;
    for (int row : rows) {
        // Each copy right below its row, the rows above it already copied.
        if (row >= 0 && row < rowCount())
            placed.emplace_back(row + 1 + static_cast<int>(placed.size()),
                                rows_[static_cast<std::size_t>(row)]);
    }
    if (!placed.empty())
        undo_->push(
            new InsertRowsCommand(*this, QStringLiteral("powielenie wierszy"), placed, false));
}

void ScheduleTableModel::ReplaceAll(const Schedule& schedule, const QString& what)
{
    std::vector<SheetRow> rows;
    for (const ScheduleRow& row : schedule.rows)
        rows.push_back({row, {}});
    undo_->push(new WholeCommand(*this, what, {entry_, rows_, schedule_.flats},
                                 {EntryOf(schedule.building), rows, schedule.flats}));
}

void ScheduleTableModel::SetFlats(const std::vector<FlatSupply>& flats, const QString& what)
{
    if (flats != schedule_.flats)
        undo_->push(new FlatsCommand(*this, what, schedule_.flats, flats));
}

void ScheduleTableModel::MoveFlat(const std::vector<FlatSupply>& flats, const FlatSupply& before,
                                  const FlatSupply& after)
{
    std::vector<ScheduleRow> plain;
    for (const SheetRow& row : rows_)
        plain.push_back(row.row);
    plain = RowsFollowingFlat(std::move(plain), before, after);
    std::vector<SheetRow> rows = rows_;
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].row = plain[i];
    undo_->push(new WholeCommand(*this, QStringLiteral("zmiana mieszkania"),
                                 {entry_, rows_, schedule_.flats}, {entry_, rows, flats}));
}

void ScheduleTableModel::PutFlats(const std::vector<FlatSupply>& flats)
{
    schedule_.flats = flats;
    Summarize();
}

std::string ScheduleTableModel::BlockQuestion(const std::vector<int>& targets,
                                              const std::vector<CellWrite>& writes) const
{
    std::vector<SheetRow> rows;
    rows.reserve(targets.size());
    for (int target : targets)
        rows.push_back(target >= 0 ? rows_[static_cast<std::size_t>(target)] : SheetRow{});
    return WritesMillimetreQuestion(rows, writes);
}

Outcome ScheduleTableModel::WriteBlock(const std::vector<int>& targets,
                                       const std::vector<CellWrite>& writes, bool millimetres,
                                       const QString& what)
{
    std::vector<SheetRow> rows;
    std::vector<int> numbers;
    int added = 0;
    for (int target : targets) {
        rows.push_back(target >= 0 ? rows_[static_cast<std::size_t>(target)] : SheetRow{});
        numbers.push_back(target >= 0 ? target + 1 : rowCount() + ++added);
    }
    auto written = WriteCells(rows, numbers, writes, schedule_.building.storeys, millimetres);
    if (!written)
        return written.Fault();
    PlacedRows before;
    PlacedRows after;
    PlacedRows inserted;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const int at = numbers[i] - 1;
        if (targets[i] < 0)
            inserted.emplace_back(at, SheetRow{});
        else
            before.emplace_back(at, rows[i]);
        if (written.Value()[i] != rows[i] || targets[i] < 0)
            after.emplace_back(at, written.Value()[i]);
    }
    std::erase_if(before, [&](const auto& b) {
        return std::none_of(after.begin(), after.end(),
                            [&](const auto& a) { return a.first == b.first; });
    });
    if (after.empty())
        return {};
    auto* command = new QUndoCommand(what);
    if (!inserted.empty())
        new InsertRowsCommand(*this, what, inserted, false, command);
    for (auto& [at, row] : inserted)
        before.emplace_back(at, row);
    new PutRowsCommand(*this, what, before, after, command);
    undo_->push(command);
    return {};
}

QString ScheduleTableModel::MillimetreQuestionOf(const QModelIndex& index,
                                                 const QString& text) const
{
    if (!index.isValid())
        return {};
    return Q(MillimetreQuestion(rows_[static_cast<std::size_t>(index.row())].row,
                                Sheet(index.column()), text.toStdString()));
}

int ScheduleTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScheduleTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return Q(SheetHeader(Sheet(section)));
}

Qt::ItemFlags ScheduleTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() &&
        IsCellEditable(rows_[static_cast<std::size_t>(index.row())].row, Sheet(index.column())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ScheduleTableModel::Display(int r, int column) const
{
    const SheetRow& sheet = rows_[static_cast<std::size_t>(r)];
    const RowResult& result = result_.rows[static_cast<std::size_t>(r)];
    if (const RefusedCell* refused = sheet.Refused(Sheet(column)))
        return Q(refused->text);
    if (Sheet(column) == SheetColumn::GrilleLoss && sheet.row.grille == ScheduleGrille::Adjustable)
        return result.computed ? Q(FormatFixed(result.inputs.state.LossCoefficient, 2)) : QString();
    if (Sheet(column) != SheetColumn::Ventilator && IsInputColumn(Sheet(column)))
        return Q(CellText(sheet.row, Sheet(column)));
    return Q(ScheduleCell(sheet.row, result, Sheet(column)));
}

QVariant ScheduleTableModel::SortKey(int r, int column) const
{
    const QString text = Display(r, column).toString();
    switch (Sheet(column)) {
    case SheetColumn::Label:
    case SheetColumn::Flat:
    case SheetColumn::Room:
    case SheetColumn::Material:
    case SheetColumn::GrilleKind:
    case SheetColumn::Ventilator:
    case SheetColumn::Verdict:
    case SheetColumn::Note:
        return text;
    default:
        break;
    }
    const std::optional<double> number = Leading(text);
    return number ? *number : -std::numeric_limits<double>::max();
}

QVariant ScheduleTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int column = index.column();
    const SheetColumn c = Sheet(column);
    const SheetRow& sheet = rows_[static_cast<std::size_t>(r)];
    const RefusedCell* refused = sheet.Refused(c);
    switch (role) {
    case Qt::DisplayRole:
        return Display(r, column);
    case Qt::EditRole:
        return refused || c != SheetColumn::Ventilator ? Display(r, column)
                                                       : Q(CellText(sheet.row, c));
    case Qt::ToolTipRole:
        return refused ? Q(refused->reason) : Display(r, column);
    case SortRole:
        return SortKey(r, column);
    case ChoiceRole:
        if (c == SheetColumn::Room)
            return sheet.row.room == 0 ? kRoomTypeCount : sheet.row.room - 1;
        if (c == SheetColumn::Material)
            return sheet.row.material - 1;
        if (c == SheetColumn::GrilleKind)
            return GrilleChoiceOf(sheet.row);
        return sheet.row.model;
    case Qt::BackgroundRole:
        if (refused)
            return RefusedCellData(role);
        if (c == SheetColumn::Verdict)
            return QBrush(result_.rows[static_cast<std::size_t>(r)].meets
                              ? QColor(0xD8, 0xF0, 0xD8)
                              : QColor(0xF8, 0xD0, 0xD0));
        return {};
    case Qt::ForegroundRole:
        if (refused ||
            (c == SheetColumn::Verdict && result_.rows[static_cast<std::size_t>(r)].backdraught))
            return RefusedCellData(role);
        return {};
    case Qt::TextAlignmentRole:
        if (c >= SheetColumn::Length && c <= SheetColumn::YearShare)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool ScheduleTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != MillimetresRole))
        return false;
    const int r = index.row();
    const SheetRow& before = rows_[static_cast<std::size_t>(r)];
    const SheetRow after = TypeCell(before, Sheet(index.column()), value.toString().toStdString(),
                                    schedule_.building.storeys, role == MillimetresRole);
    if (after == before)
        return false;
    undo_->push(
        new PutRowsCommand(*this, QStringLiteral("zmiana komórki"), {{r, before}}, {{r, after}}));
    return true;
}
