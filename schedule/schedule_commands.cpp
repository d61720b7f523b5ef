// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_commands.h"

#include "schedule/schedule_model.h"

#include <algorithm>

PutRowsCommand::PutRowsCommand(ScheduleTableModel& model, const QString& text, PlacedRows before,
                               PlacedRows after, QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , model_(model)
    , before_(std::move(before))
    , after_(std::move(after))
{
}

void PutRowsCommand::redo()
{
    model_.PutRows(after_);
}

void PutRowsCommand::undo()
{
    model_.PutRows(before_);
}

InsertRowsCommand::InsertRowsCommand(ScheduleTableModel& model, const QString& text,
                                     PlacedRows rows, bool remove, QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , model_(model)
    , rows_(std::move(rows))
    , remove_(remove)
{
    std::sort(rows_.begin(), rows_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

void InsertRowsCommand::Insert()
{
    model_.InsertSheetRows(rows_);
}

void InsertRowsCommand::Remove()
{
    std::vector<int> positions;
    for (const auto& [position, row] : rows_)
        positions.push_back(position);
    model_.DeleteSheetRows(positions);
}

void InsertRowsCommand::redo()
{
    remove_ ? Remove() : Insert();
}

void InsertRowsCommand::undo()
{
    remove_ ? Insert() : Remove();
}

BuildingCommand::BuildingCommand(ScheduleTableModel& model, BuildingEntry before,
                                 BuildingEntry after, int field, int serial)
    : QUndoCommand(QStringLiteral("zmiana danych budynku"))
    , model_(model)
    , before_(std::move(before))
    , after_(std::move(after))
    , field_(field)
    , serial_(serial)
{
}

void BuildingCommand::redo()
{
    model_.PutBuilding(after_);
}

void BuildingCommand::undo()
{
    model_.PutBuilding(before_);
}

bool BuildingCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const BuildingCommand*>(other);
    if (field_ < 0 || next->field_ != field_ || next->serial_ != serial_)
        return false;
    after_ = next->after_;
    return true;
}

WholeCommand::WholeCommand(ScheduleTableModel& model, const QString& text, Content before,
                           Content after)
    : QUndoCommand(text)
    , model_(model)
    , before_(std::move(before))
    , after_(std::move(after))
{
}

void WholeCommand::redo()
{
    model_.PutAll(after_.entry, after_.rows, after_.flats);
}

void WholeCommand::undo()
{
    model_.PutAll(before_.entry, before_.rows, before_.flats);
}

FlatsCommand::FlatsCommand(ScheduleTableModel& model, const QString& text,
                           std::vector<FlatSupply> before, std::vector<FlatSupply> after)
    : QUndoCommand(text)
    , model_(model)
    , before_(std::move(before))
    , after_(std::move(after))
{
}

void FlatsCommand::redo()
{
    model_.PutFlats(after_);
}

void FlatsCommand::undo()
{
    model_.PutFlats(before_);
}
