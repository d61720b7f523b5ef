// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands of the schedule window: undo and redo, copy, paste,
// fill down, rows removed and duplicated, the millimetre question.
#include "calc/polish_plural.h"
#include "calc/schedule_sheet.h"
#include "schedule/schedule_delegates.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"
#include "ui/show_message.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <map>
#include <set>

namespace {

bool IsUndoKey(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The position of a source row among the targets of a block, added once.
std::size_t Target(std::vector<int>& targets, int row)
{
    const auto at = std::find(targets.begin(), targets.end(), row);
    if (at != targets.end())
        return static_cast<std::size_t>(at - targets.begin());
    targets.push_back(row);
    return targets.size() - 1;
}

} // namespace

QAction* ScheduleWindow::TableAction(const QString& text, const QKeySequence& key,
                                     const QString& tip, void (ScheduleWindow::*slot)())
{
    auto* action = new QAction(text, this);
    if (!key.isEmpty())
        action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, slot);
    table_->addAction(action);
    frozen_->addAction(action);
    return action;
}

void ScheduleWindow::BuildActions()
{
    QUndoStack& stack = model_->UndoStack();
    auto* undo = new QAction(QStringLiteral("Cofnij"), this);
    undo->setObjectName(QStringLiteral("UndoAction"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setStatusTip(QStringLiteral("Cofa ostatnią zmianę zestawienia"));
    undo->setEnabled(false);
    auto* redo = new QAction(QStringLiteral("Ponów"), this);
    redo->setObjectName(QStringLiteral("RedoAction"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts(redoKeys);
    redo->setStatusTip(QStringLiteral("Ponawia cofniętą zmianę zestawienia"));
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
        undo->setStatusTip(text.isEmpty() ? QStringLiteral("Cofa ostatnią zmianę zestawienia")
                                          : QStringLiteral("Cofa: ") + text);
    });
    connect(&stack, &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
        redo->setStatusTip(text.isEmpty() ? QStringLiteral("Ponawia cofniętą zmianę zestawienia")
                                          : QStringLiteral("Ponawia: ") + text);
    });
    addAction(undo);
    addAction(redo);
    table_->addAction(undo);
    table_->addAction(redo);

    TableAction(QStringLiteral("Kopiuj"), QKeySequence::Copy,
                QStringLiteral("Kopiuje zaznaczone komórki jako tekst dla arkusza"),
                &ScheduleWindow::CopyCells);
    TableAction(QStringLiteral("Wklej"), QKeySequence::Paste,
                QStringLiteral("Wkleja komórki z arkusza; blok z błędną komórką nie jest wklejany"),
                &ScheduleWindow::PasteCells);
    TableAction(QStringLiteral("Wypełnij w dół"), QKeySequence(Qt::CTRL | Qt::Key_D),
                QStringLiteral("Wpisuje wartość górnej zaznaczonej komórki w zaznaczone poniżej"),
                &ScheduleWindow::FillDown);
    TableAction(QStringLiteral("Powiel wiersz"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
                QStringLiteral("Wstawia kopię zaznaczonych wierszy pod nimi"),
                &ScheduleWindow::DuplicateSelectedRows);
    TableAction(QStringLiteral("Usuń wiersze"), QKeySequence::Delete,
                QStringLiteral("Usuwa wiersze zaznaczonych komórek"),
                &ScheduleWindow::RemoveSelectedRows);
}

bool ScheduleWindow::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        status_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

// Ctrl+Z in a building field undoes through the window's stack, as everywhere.
bool ScheduleWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) &&
        IsUndoKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched))
        ++fieldSerial_;
    return QWidget::eventFilter(watched, event);
}

void ScheduleWindow::CommitTyped(const QPersistentModelIndex& index, const QString& text)
{
    const QModelIndex source = proxy_->mapToSource(index);
    const QString question = model_->MillimetreQuestionOf(source, text);
    if (question.isEmpty()) {
        model_->setData(source, text, Qt::EditRole);
        return;
    }
    // Asked once the editor has closed.
    QTimer::singleShot(0, this, [this, index, text, question] {
        const bool millimetres =
            AskYesNo(this, windowTitle(), question, QStringLiteral("MillimetreQuestion"));
        model_->setData(proxy_->mapToSource(index), text,
                        millimetres ? int(ScheduleTableModel::MillimetresRole) : int(Qt::EditRole));
    });
}

std::vector<int> ScheduleWindow::SelectedSourceRows() const
{
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
        rows.insert(proxy_->mapToSource(index).row());
    if (rows.empty() && table_->currentIndex().isValid())
        rows.insert(proxy_->mapToSource(table_->currentIndex()).row());
    return {rows.begin(), rows.end()};
}

void ScheduleWindow::RemoveSelectedRows()
{
    model_->RemoveRows(SelectedSourceRows());
}

void ScheduleWindow::DuplicateSelectedRows()
{
    model_->DuplicateRows(SelectedSourceRows());
}

void ScheduleWindow::AddRiser()
{
    const QModelIndex current = proxy_->mapToSource(table_->currentIndex());
    SheetRow row;
    row.row.label = "Pion";
    if (current.isValid()) {
        row = model_->Rows()[static_cast<std::size_t>(current.row())];
        // "Kuchnia k3" gives the riser "Kuchnia".
        if (const auto at = row.row.label.rfind(" k"); at != std::string::npos)
            row.row.label.resize(at);
    }
    // Each storey's duct in the flat named after the storey, the flats
    // missing added with it: one step.
    std::vector<SheetRow> rows = RiserSheetRows(CurrentSchedule().building, row);
    std::vector<ScheduleRow> plain;
    for (SheetRow& storey : rows) {
        storey.row.flat = StoreyFlat(storey.row.storey);
        plain.push_back(storey.row);
    }
    std::vector<FlatSupply> flats = CurrentSchedule().flats;
    for (const FlatSupply& flat : MissingFlats(CurrentSchedule(), plain))
        flats.push_back(flat);
    const QString what = QStringLiteral("dodanie pionu");
    model_->UndoStack().beginMacro(what);
    model_->SetFlats(flats, what);
    model_->AppendRows(rows, what);
    model_->UndoStack().endMacro();
}

void ScheduleWindow::CopyCells()
{
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = proxy_->rowCount(), bottom = -1, left = ScheduleTableModel::kColumnCount, right = -1;
    for (const QModelIndex& i : selected) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    TextBlock block;
    for (int r = top; r <= bottom; ++r) {
        block.emplace_back();
        for (int c = left; c <= right; ++c) {
            const QModelIndex i = proxy_->index(r, c);
            block.back().push_back(table_->selectionModel()->isSelected(i)
                                       ? i.data().toString().toStdString()
                                       : std::string());
        }
    }
    QGuiApplication::clipboard()->setText(Q(TabText(block)));
}

void ScheduleWindow::WriteCells(const std::vector<int>& targets,
                                const std::vector<CellWrite>& writes, const QString& what)
{
    bool millimetres = false;
    if (const std::string question = model_->BlockQuestion(targets, writes); !question.empty())
        millimetres =
            AskYesNo(this, windowTitle(), Q(question), QStringLiteral("MillimetreQuestion"));
    const Outcome outcome = model_->WriteBlock(targets, writes, millimetres, what);
    if (outcome.Failed()) {
        status_->showMessage(Q(outcome.Reason()));
        ShowMessage(this, QMessageBox::Warning, windowTitle(),
                    QStringLiteral("Nic nie zmieniono. ") + Q(outcome.Reason()),
                    QStringLiteral("BlockRefused"));
    }
}

void ScheduleWindow::PasteCells()
{
    const TextBlock block = ParseTabText(QGuiApplication::clipboard()->text().toStdString());
    QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (block.empty() || (selected.isEmpty() && !table_->currentIndex().isValid()))
        return;
    std::vector<int> targets;
    std::vector<CellWrite> writes;
    // One cell into a selection of several: into each of them.
    if (block.size() == 1 && block[0].size() == 1 && selected.size() > 1) {
        for (const QModelIndex& i : selected)
            writes.push_back({Target(targets, proxy_->mapToSource(i).row()),
                              static_cast<SheetColumn>(i.column()), block[0][0]});
        WriteCells(targets, writes, QStringLiteral("wklejenie"));
        return;
    }
    if (selected.isEmpty())
        selected << table_->currentIndex();
    const auto corner = std::min_element(
        selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) {
            return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
        });
    int left = corner->column();
    for (const QModelIndex& i : selected)
        left = std::min(left, i.column());
    for (std::size_t r = 0; r < block.size(); ++r) {
        const int row = corner->row() + static_cast<int>(r);
        targets.push_back(
            row < proxy_->rowCount() ? proxy_->mapToSource(proxy_->index(row, 0)).row() : -1);
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int column = left + static_cast<int>(c);
            if (column >= ScheduleTableModel::kColumnCount) {
                ShowMessage(this, QMessageBox::Warning, windowTitle(),
                            QStringLiteral("Nic nie wklejono. Wklejany blok ma %1, a od "
                                           "kolumny „%2” tabela ma ich tylko %3.")
                                .arg(QString::fromStdString(
                                    Counted(static_cast<std::int64_t>(block[r].size()),
                                            {"kolumnę", "kolumny", "kolumn"})))
                                .arg(model_->headerData(left, Qt::Horizontal).toString())
                                .arg(ScheduleTableModel::kColumnCount - left),
                            QStringLiteral("BlockRefused"));
                return;
            }
            writes.push_back({r, static_cast<SheetColumn>(column), block[r][c]});
        }
    }
    WriteCells(targets, writes, QStringLiteral("wklejenie"));
}

void ScheduleWindow::FillDown()
{
    std::map<int, std::vector<QModelIndex>> columns;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes())
        columns[i.column()].push_back(i);
    std::vector<int> targets;
    std::vector<CellWrite> writes;
    for (auto& [column, cells] : columns) {
        std::sort(cells.begin(), cells.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        const std::string text = cells.front().data(Qt::EditRole).toString().toStdString();
        for (std::size_t k = 1; k < cells.size(); ++k)
            writes.push_back({Target(targets, proxy_->mapToSource(cells[k]).row()),
                              static_cast<SheetColumn>(column), text});
    }
    if (!writes.empty())
        WriteCells(targets, writes, QStringLiteral("wypełnienie w dół"));
}
