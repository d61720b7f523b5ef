// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_table_model.h"

#include "calc/number_format.h"
#include "calc/refusal.h"
#include "ui/text.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

// The background of the current model's row, of the rows that reach the
// needed flow and of the suggested one.
const QColor kCurrentBackground(255, 236, 160);
const QColor kReachingBackground(214, 240, 214);
const QColor kSuggestedBackground(150, 215, 150);

// The mark of a model with more than one operating point, beside its Qh: the
// number of points in an orange circle; "!" where the gravity draught has
// only a note to add.
QPixmap SeveralPointsMark(std::size_t count)
{
    QPixmap mark(14, 14);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(230, 120, 0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(0, 0, 14, 14);
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(mark.rect(), Qt::AlignCenter, count > 1 ? QString::number(count) : "!");
    return mark;
}

QString Flow(double flowPerHour)
{
    return QString::fromStdString(FormatFixed(flowPerHour, 4));
}

// "Punkty pracy: Qh = 120.0000 i 300.0000 m3/h; raport podaje 300.0000 m3/h."
QString SeveralPointsTip(const OperatingPoint& point)
{
    QStringList flows;
    for (std::size_t k = 0; k < point.count && k < point.flowsPerHour.size(); ++k)
        flows << Flow(point.flowsPerHour[k]);
    const QString last = flows.takeLast();
    return "Punkty pracy: Qh = " + flows.join(", ") + " i " + last +
           " m3/h; raport podaje wybrany: " + Flow(point.flowPerHour) + " m3/h.";
}

// With the gravity draught: the point reached from rest, or why there is
// none, and the notes (other stable states, the report's own result).
QString StackTip(const ComparisonRow& row)
{
    QStringList lines;
    if (row.HasPoint())
        lines << "Punkt pracy od spoczynku: Qh = " + Flow(row.point.flowPerHour) + " m3/h.";
    for (const std::string& note : row.notes)
        lines << Text(note);
    return lines.join('\n');
}

// Whether the Qh cell has a mark: several points, or notes of the gravity draught.
bool Marked(const ComparisonRow& row)
{
    return (row.HasPoint() && row.point.count > 1) || !row.notes.empty();
}

// The tooltip of a cell: the draught's notes or the several operating points
// beside Qh, every wind that reaches the need, a ventilator that throttles
// (DPsw below zero), the ticking on the name, the reason of a refused model.
QVariant ToolTip(const ComparisonRow& row, int column)
{
    if (column == kColumnFlowPerHour && !row.notes.empty())
        return StackTip(row);
    if (row.HasPoint() && row.point.count > 1 && column == kColumnFlowPerHour)
        return SeveralPointsTip(row.point);
    if (column == kColumnNeedWind && row.NeedSet())
        return Text(NeedWindTip(row));
    if (column == kColumnSuction && row.HasPoint() && row.point.ventilatorSuction < 0.0)
        return QStringLiteral("Ujemne DPsw: w tym punkcie pracy wywietrznik dławi przepływ – "
                              "stawia opór zamiast wspomagać ciąg.");
    if (column == kColumnName)
        return QStringLiteral("Zaznacz, aby pokazać model na wykresie wydajności w funkcji "
                              "prędkości wiatru");
    if (!row.HasPoint() && row.point.status == OperatingPointStatus::Refused)
        return Text(RefusalText(row.point.refusal));
    return {};
}

} // namespace

CompareTableModel::CompareTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CompareTableModel::SetRows(std::vector<ComparisonRow> rows, int currentModel)
{
    beginResetModel();
    rows_ = std::move(rows);
    current_ = currentModel;
    order_ = SortedComparisonOrder(rows_, sortColumn_, sortOrder_ == Qt::DescendingOrder);
    endResetModel();
}

int CompareTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int CompareTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTableColumnCount;
}

QVariant CompareTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const ComparisonRow& row = rows_[static_cast<std::size_t>(order_[index.row()])];
    const int column = index.column();
    const bool current = row.number == current_;
    switch (role) {
    case Qt::DisplayRole:
        return Text(ComparisonShownCell(row, column));
    case ValueRole: {
        // The value the column sorts by, for anyone who needs the number.
        if (column == kColumnNumber)
            return row.number;
        if (const std::optional<double> value = ComparisonValue(row, column))
            return *value;
        return {};
    }
    case Qt::DecorationRole:
        if (column == kColumnFlowPerHour && Marked(row))
            return SeveralPointsMark(row.point.count);
        return {};
    case Qt::CheckStateRole:
        if (column == kColumnName)
            return ticked_.count(row.number) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (column == kColumnName || (column == kColumnFlow && !row.HasPoint()))
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (current) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::BackgroundRole:
        if (row.suggested)
            return QBrush(kSuggestedBackground);
        if (row.Reaches())
            return QBrush(kReachingBackground);
        if (current)
            return QBrush(kCurrentBackground);
        return {};
    case Qt::ToolTipRole:
        if (column == kColumnYearShare)
            return yearNote_;
        return ToolTip(row, column);
    default:
        return {};
    }
}

QVariant CompareTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Text(ComparisonHeader(section));
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == kColumnYearShare)
        return yearNote_;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CompareTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == kColumnName)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool CompareTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != kColumnName || role != Qt::CheckStateRole)
        return false;
    const int model = ModelAt(index.row());
    if (model == 0)
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (ticked == (ticked_.count(model) != 0))
        return true;
    if (ticked)
        ticked_.insert(model);
    else
        ticked_.erase(model);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit TicksChanged();
    return true;
}

void CompareTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kTableColumnCount)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> before = order_;
    order_ = SortedComparisonOrder(rows_, column, order == Qt::DescendingOrder);
    // Keep the selection and the current cell on the same models.
    std::vector<int> newRow(rows_.size(), -1);
    for (std::size_t i = 0; i < order_.size(); ++i)
        newRow[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& index : persistent) {
        const int position = before[static_cast<std::size_t>(index.row())];
        moved.append(this->index(newRow[static_cast<std::size_t>(position)], index.column()));
    }
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CompareTableModel::ModelAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)])].number;
}

int CompareTableModel::RowOf(int model) const
{
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (rows_[static_cast<std::size_t>(order_[i])].number == model)
            return static_cast<int>(i);
    }
    return -1;
}

const ComparisonRow* CompareTableModel::RowData(int model) const
{
    for (const ComparisonRow& row : rows_) {
        if (row.number == model)
            return &row;
    }
    return nullptr;
}

void CompareTableModel::SetYearNote(const QString& note)
{
    yearNote_ = note;
    emit headerDataChanged(Qt::Horizontal, kColumnYearShare, kColumnYearShare);
}

std::vector<int> CompareTableModel::TickedModels() const
{
    return {ticked_.begin(), ticked_.end()};
}

void CompareTableModel::SetTicked(int model, bool ticked)
{
    const int row = RowOf(model);
    if (row >= 0)
        setData(index(row, kColumnName), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}
