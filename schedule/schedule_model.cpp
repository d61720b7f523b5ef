#include "schedule/schedule_model.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/field_conversion.h"
#include "calc/number_format.h"
#include "report/schedule_table.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <cmath>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A positive finite number typed as the dialogs read them (a decimal comma
// is accepted); nothing otherwise.
std::optional<double> Positive(const QString& text)
{
    const std::string plain = text.trimmed().toStdString();
    if (plain.empty())
        return std::nullopt;
    const double value = ConvertFieldReal(plain);
    if (!(value > 0.0) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "0.14x0.27", "0,14 × 0,27": the two sides; "0.16": one.
std::vector<double> Sizes(const QString& text)
{
    QString t = text;
    t.replace(QChar(0x00D7), 'x').replace('X', 'x').replace('*', 'x');
    std::vector<double> sizes;
    for (const QString& part : t.split('x')) {
        const auto value = Positive(part);
        if (!value)
            return {};
        sizes.push_back(*value);
    }
    return sizes;
}

bool EditDuct(ScheduleRow& row, const QString& text)
{
    const std::vector<double> sizes = Sizes(text);
    if (sizes.size() == 1) {
        row.roundDuct = true;
        row.diameter = sizes[0];
    } else if (sizes.size() == 2) {
        row.roundDuct = false;
        row.sideA = sizes[0];
        row.sideB = sizes[1];
    }
    return sizes.size() == 1 || sizes.size() == 2;
}

// The turns of an adjustable grille, the diameter of a round one, or the
// height and width of a rectangular one.
bool EditGrilleSize(ScheduleRow& row, const QString& text)
{
    if (row.grille == ScheduleGrille::Adjustable) {
        bool whole = false;
        const int turns = text.trimmed().toInt(&whole);
        if (!whole || turns < 0 || turns > kLargestOpening)
            return false;
        row.opening = turns;
        return true;
    }
    const std::vector<double> sizes = Sizes(text);
    if (row.grille == ScheduleGrille::Round && sizes.size() == 1) {
        row.grilleDiameter = sizes[0];
        return true;
    }
    if (row.grille == ScheduleGrille::Rectangular && sizes.size() == 2) {
        row.grilleHeight = sizes[0];
        row.grilleWidth = sizes[1];
        return true;
    }
    return false;
}

std::string Fixed(double value, int decimals)
{
    return FormatFixed(value, decimals);
}

int GrilleChoice(const ScheduleRow& row)
{
    if (row.grille == ScheduleGrille::Adjustable)
        return 1 + row.adjustable;
    return row.grille == ScheduleGrille::Rectangular ? 0 : 1;
}

ScheduleColumn ReportColumn(int column)
{
    switch (column) {
    case ScheduleTableModel::Length:
        return ScheduleColumn::Length;
    case ScheduleTableModel::Calm:
        return ScheduleColumn::Calm;
    case ScheduleTableModel::Wind:
        return ScheduleColumn::Wind;
    case ScheduleTableModel::WindStack:
        return ScheduleColumn::WindStack;
    case ScheduleTableModel::Verdict:
        return ScheduleColumn::Verdict;
    case ScheduleTableModel::Ventilator:
        return ScheduleColumn::Ventilator;
    case ScheduleTableModel::Room:
        return ScheduleColumn::Room;
    case ScheduleTableModel::Need:
        return ScheduleColumn::Need;
    case ScheduleTableModel::Duct:
        return ScheduleColumn::Duct;
    case ScheduleTableModel::Material:
        return ScheduleColumn::Material;
    case ScheduleTableModel::Storey:
        return ScheduleColumn::Storey;
    case ScheduleTableModel::Flat:
        return ScheduleColumn::Flat;
    case ScheduleTableModel::Underpressure:
        return ScheduleColumn::Underpressure;
    case ScheduleTableModel::Label:
        return ScheduleColumn::Label;
    default:
        return ScheduleColumn::Note;
    }
}

} // namespace

QStringList ScheduleTableModel::GrilleChoices()
{
    QStringList choices{QStringLiteral("prostokątna"), QStringLiteral("okrągła")};
    for (const AdjustableGrille& grille : kAdjustableGrilles)
        choices << QStringLiteral("regulowana %1").arg(Q(grille.name));
    return choices;
}

QStringList ScheduleTableModel::RoomChoices()
{
    QStringList choices;
    for (const RoomType& room : kRoomTypes)
        choices << QStringLiteral("%1 – %2 m3/h").arg(Q(room.caption)).arg(room.flowPerHour);
    choices << Q(kTypedNeedCaption);
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
    QStringList choices{QStringLiteral("dobierz")};
    for (int i = 0; i < kVentilatorCount; ++i)
        choices << QStringLiteral("%1 %2").arg(i + 1).arg(Q(VentilatorCatalogue[i].Name).trimmed());
    return choices;
}

ScheduleTableModel::ScheduleTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ScheduleTableModel::SetSchedule(const Schedule& schedule)
{
    beginResetModel();
    schedule_ = schedule;
    result_ = ComputeSchedule(schedule_);
    endResetModel();
    emit Recalculated();
}

void ScheduleTableModel::SetBuilding(const ScheduleBuilding& building)
{
    if (building == schedule_.building)
        return;
    schedule_.building = building;
    RecomputeAll();
}

bool ScheduleTableModel::InFlats() const
{
    return !schedule_.flats.empty() ||
           std::any_of(schedule_.rows.begin(), schedule_.rows.end(),
                       [](const ScheduleRow& row) { return !row.flat.empty(); });
}

void ScheduleTableModel::AddRows(const std::vector<ScheduleRow>& rows)
{
    if (rows.empty())
        return;
    const int first = static_cast<int>(schedule_.rows.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (const ScheduleRow& row : rows) {
        schedule_.rows.push_back(row);
        result_.rows.push_back(ComputeRow(schedule_.building, row));
    }
    if (InFlats())
        result_ = ComputeSchedule(schedule_);
    result_.summary = Summarize(result_.rows);
    endInsertRows();
    emit Recalculated();
}

void ScheduleTableModel::SetFlats(const std::vector<FlatSupply>& flats)
{
    if (flats == schedule_.flats)
        return;
    schedule_.flats = flats;
    RecomputeAll();
}

void ScheduleTableModel::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    schedule_.rows.erase(schedule_.rows.begin() + row);
    result_.rows.erase(result_.rows.begin() + row);
    if (InFlats())
        result_ = ComputeSchedule(schedule_);
    result_.summary = Summarize(result_.rows);
    endRemoveRows();
    emit Recalculated();
}

void ScheduleTableModel::RecomputeAll()
{
    result_ = ComputeSchedule(schedule_);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit Recalculated();
}

int ScheduleTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(schedule_.rows.size());
}

int ScheduleTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case GrilleKind:
        return QStringLiteral("Kratka");
    case GrilleSize:
        return QStringLiteral("Wymiar kratki [m] / obroty");
    case GrilleLoss:
        return QStringLiteral("ζ kratki");
    default:
        return Q(ScheduleHeader(ReportColumn(section)));
    }
}

Qt::ItemFlags ScheduleTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const bool adjustable =
        index.isValid() &&
        schedule_.rows[static_cast<std::size_t>(index.row())].grille == ScheduleGrille::Adjustable;
    if (index.column() <= Ventilator && !(index.column() == GrilleLoss && adjustable))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ScheduleTableModel::Display(int r, int column) const
{
    const ScheduleRow& row = schedule_.rows[static_cast<std::size_t>(r)];
    const RowResult& result = result_.rows[static_cast<std::size_t>(r)];
    switch (column) {
    case GrilleKind:
        return GrilleChoices().value(GrilleChoice(row));
    case GrilleSize:
        if (row.grille == ScheduleGrille::Rectangular)
            return Q(Fixed(row.grilleHeight, 3) + "×" + Fixed(row.grilleWidth, 3));
        if (row.grille == ScheduleGrille::Round)
            return Q("Ø" + Fixed(row.grilleDiameter, 3));
        return QStringLiteral("%1 obr.").arg(row.opening);
    case GrilleLoss:
        if (row.grille != ScheduleGrille::Adjustable)
            return Q(Fixed(row.grilleLoss, 2));
        if (!result.problem.empty())
            return QString();
        return Q(Fixed(result.inputs.state.LossCoefficient, 2));
    default:
        return Q(ScheduleCell(row, result, ReportColumn(column)));
    }
}

QVariant ScheduleTableModel::EditValue(int r, int column) const
{
    const ScheduleRow& row = schedule_.rows[static_cast<std::size_t>(r)];
    switch (column) {
    case Storey:
        return row.storey;
    case Room:
        return row.room == 0 ? kRoomTypeCount : row.room - 1;
    case Material:
        return row.material - 1;
    case GrilleKind:
        return GrilleChoice(row);
    case Ventilator:
        return row.model;
    case GrilleSize:
        if (row.grille == ScheduleGrille::Adjustable)
            return QString::number(row.opening);
        [[fallthrough]];
    default:
        return Display(r, column).toString().remove(QChar(0x00D8));
    }
}

QVariant ScheduleTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const RowResult& result = result_.rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return Display(index.row(), index.column());
    if (role == Qt::EditRole)
        return EditValue(index.row(), index.column());
    if (role == Qt::BackgroundRole && index.column() == Verdict)
        return QBrush(result.meets ? QColor(0xD8, 0xF0, 0xD8) : QColor(0xF8, 0xD0, 0xD0));
    if (role == Qt::ForegroundRole && index.column() == Verdict && result.backdraught)
        return QBrush(QColor(0xB0, 0x00, 0x00));
    if (role == Qt::TextAlignmentRole && index.column() >= Length &&
        index.column() <= Underpressure)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ScheduleTableModel::Edit(ScheduleRow& row, int column, const QVariant& value)
{
    const QString text = value.toString();
    switch (column) {
    case Label:
        row.label = text.toStdString();
        return true;
    case Flat:
        row.flat = text.trimmed().toStdString();
        return true;
    case Storey: {
        const int storey = value.toInt();
        if (storey < 1 || storey > schedule_.building.storeys)
            return false;
        row.storey = storey;
        return true;
    }
    case Room:
        row.room = value.toInt() >= kRoomTypeCount ? 0 : value.toInt() + 1;
        if (row.room == 0 && !(row.typedNeed > 0.0))
            row.typedNeed = 30.0;
        return true;
    case Need: {
        const auto need = Positive(text);
        if (!need)
            return false;
        row.room = 0;
        row.typedNeed = *need;
        return true;
    }
    case Duct:
        return EditDuct(row, text);
    case Material:
        row.material = std::clamp(value.toInt() + 1, 1, 6);
        return true;
    case GrilleKind: {
        const int choice = value.toInt();
        row.grille = choice == 0   ? ScheduleGrille::Rectangular
                     : choice == 1 ? ScheduleGrille::Round
                                   : ScheduleGrille::Adjustable;
        if (choice >= 2)
            row.adjustable = std::clamp(choice - 1, 1, 5);
        return true;
    }
    case GrilleSize:
        return EditGrilleSize(row, text);
    case GrilleLoss: {
        const auto loss = Positive(text);
        if (!loss)
            return false;
        row.grilleLoss = *loss;
        return true;
    }
    case Ventilator:
        row.model = std::clamp(value.toInt(), 0, kVentilatorCount);
        return true;
    default:
        return false;
    }
}

bool ScheduleTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const auto r = static_cast<std::size_t>(index.row());
    ScheduleRow row = schedule_.rows[r];
    if (!Edit(row, index.column(), value) || row == schedule_.rows[r])
        return false;
    schedule_.rows[r] = row;
    if (InFlats()) {
        // A flat's rows share its underpressure: all are computed again.
        RecomputeAll();
        return true;
    }
    result_.rows[r] = ComputeRow(schedule_.building, row);
    result_.summary = Summarize(result_.rows);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit Recalculated();
    return true;
}
