// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/flats_model.h"

#include "calc/flat_cells.h"
#include "calc/number_format.h"
#include "schedule/schedule_model.h"
#include "ui/refused_field.h"

#include <cmath>

namespace {

// The typed columns are the flat's fields, in the fields' order: a column is
// read as the field of the same number.
using F = FlatsTableModel;
static_assert(F::Flat == static_cast<int>(FlatField::Flat) &&
              F::Storey == static_cast<int>(FlatField::Storey) &&
              F::Inlets == static_cast<int>(FlatField::Inlets) &&
              F::InletFlow == static_cast<int>(FlatField::InletFlow) &&
              F::InletPressure == static_cast<int>(FlatField::InletPressure) &&
              F::InletExponent == static_cast<int>(FlatField::InletExponent) &&
              F::LeakFlow == static_cast<int>(FlatField::LeakFlow) &&
              F::LeakPressure == static_cast<int>(FlatField::LeakPressure) &&
              F::LeakExponent == static_cast<int>(FlatField::LeakExponent) &&
              F::Underpressure == kFlatFieldCount);

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The flat's row of the result, or none.
const FlatResult* ResultOf(const ScheduleResult& result, std::size_t supply)
{
    for (const FlatResult& flat : result.flats) {
        if (flat.supply == supply)
            return &flat;
    }
    return nullptr;
}

} // namespace

FlatsTableModel::FlatsTableModel(ScheduleTableModel& schedule, QObject* parent)
    : QAbstractTableModel(parent)
    , schedule_(schedule)
{
    auto reset = [this] {
        beginResetModel();
        refused_ = {};
        shown_ = rowCount();
        endResetModel();
    };
    connect(&schedule_, &ScheduleTableModel::modelReset, this, reset);
    // Flats added or removed (a step done or undone, "Dodaj pion") show as a
    // new table; otherwise the results change in place.
    connect(&schedule_, &ScheduleTableModel::Recalculated, this, [this, reset] {
        if (rowCount() != shown_)
            reset();
        else if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    });
}

void FlatsTableModel::AddFlat()
{
    std::vector<FlatSupply> flats = schedule_.CurrentSchedule().flats;
    FlatSupply flat;
    flat.flat = "M" + std::to_string(flats.size() + 1);
    flat.inlets = 2;
    flats.push_back(flat);
    schedule_.SetFlats(flats, QStringLiteral("dodanie mieszkania"));
}

void FlatsTableModel::RemoveFlat(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    std::vector<FlatSupply> flats = schedule_.CurrentSchedule().flats;
    flats.erase(flats.begin() + row);
    schedule_.SetFlats(flats, QStringLiteral("usunięcie mieszkania"));
}

int FlatsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(schedule_.CurrentSchedule().flats.size());
}

int FlatsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FlatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kHeaders[ColumnCount] = {
        "Mieszkanie",   "Kondygnacja", "Nawiewniki [szt.]",       "Nawiewnik Q [m3/h]",
        "przy Δp [Pa]", "wykładnik n", "Nieszczelności Q [m3/h]", "przy Δp [Pa]",
        "wykładnik n",  "pf [Pa]",     "Napływ [m3/h]",           "Potrzebne nawiewniki",
    };
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QString::fromUtf8(kHeaders[section]);
}

Qt::ItemFlags FlatsTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() < Underpressure)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QString FlatsTableModel::Display(int row, int column) const
{
    const Schedule& s = schedule_.CurrentSchedule();
    const FlatSupply& f = s.flats[static_cast<std::size_t>(row)];
    const FlatResult* result = ResultOf(schedule_.Computed(), static_cast<std::size_t>(row));
    const auto condition = static_cast<std::size_t>(PointCondition(s.building.condition));
    const bool balanced =
        result && result->computed && result->balance[condition].status != BalanceStatus::Fold;
    switch (column) {
    case Flat:
        return Q(f.flat);
    case Storey:
        return QString::number(f.storey);
    case Inlets:
        return QString::number(f.inlets);
    case InletFlow:
        return Q(ExactNumber(f.inletFlow));
    case InletPressure:
        return Q(ExactNumber(f.inletPressure));
    case InletExponent:
        return Q(ExactNumber(f.inletExponent));
    case LeakFlow:
        return Q(ExactNumber(f.leakFlow));
    case LeakPressure:
        return Q(ExactNumber(f.leakPressure));
    case LeakExponent:
        return Q(ExactNumber(f.leakExponent));
    case Underpressure:
        return balanced ? Q(FormatFixed(result->balance[condition].underpressure, 2))
                        : QStringLiteral("–");
    case Inflow:
        return balanced ? Q(FormatFixed(result->balance[condition].inflowPerHour, 1))
                        : QStringLiteral("–");
    default:
        return result ? Q(result->computed ? result->neededText : result->computed.Reason())
                      : QString();
    }
}

QVariant FlatsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const bool refused = refused_.row == index.row() && refused_.column == index.column();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return refused ? refused_.text : Display(index.row(), index.column());
    if (role == Qt::ToolTipRole)
        return refused ? refused_.reason : Display(index.row(), index.column());
    return refused ? RefusedCellData(role) : QVariant();
}

bool FlatsTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() >= Underpressure)
        return false;
    std::vector<FlatSupply> flats = schedule_.CurrentSchedule().flats;
    FlatSupply& flat = flats[static_cast<std::size_t>(index.row())];
    const FlatSupply before = flat;
    const FlatCellRead read =
        ReadFlatCell(flat, static_cast<FlatField>(index.column()), value.toString().toStdString());
    flat = read.supply;
    QString reason = Q(read.reason.empty() ? RepeatedFlat(flats) : read.reason);
    if (!reason.isEmpty()) {
        // The text stays in its cell, red, with the reason.
        reason = QStringLiteral("Mieszkanie %1: %2").arg(index.row() + 1).arg(reason);
        refused_ = {index.row(), index.column(), value.toString(), reason};
        emit dataChanged(index, index);
        emit Refused(reason);
        return false;
    }
    const bool wasRefused = refused_.row >= 0;
    refused_ = {};
    if (flat.flat != before.flat || flat.storey != before.storey)
        schedule_.MoveFlat(flats, before, flat); // its ducts follow, in the same step
    else
        schedule_.SetFlats(flats, QStringLiteral("zmiana mieszkania"));
    if (wasRefused)
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, ColumnCount - 1));
    emit Refused(QString());
    return true;
}
