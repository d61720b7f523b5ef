// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule_sheet.h"

#include <QUndoCommand>

#include <utility>
#include <vector>

class ScheduleTableModel;

using PlacedRows = std::vector<std::pair<int, SheetRow>>; // row position, its content

// Rows whose content changes: a cell typed, a paste, a fill.
class PutRowsCommand : public QUndoCommand {
public:
    PutRowsCommand(ScheduleTableModel& model, const QString& text, PlacedRows before,
                   PlacedRows after, QUndoCommand* parent = nullptr);
    void redo() override;
    void undo() override;

private:
    ScheduleTableModel& model_;
    PlacedRows before_;
    PlacedRows after_;
};

// Rows added at their positions (ascending), or removed when `remove`.
class InsertRowsCommand : public QUndoCommand {
public:
    InsertRowsCommand(ScheduleTableModel& model, const QString& text, PlacedRows rows, bool remove,
                      QUndoCommand* parent = nullptr);
    void redo() override;
    void undo() override;

private:
    void Insert();
    void Remove();
    ScheduleTableModel& model_;
    PlacedRows rows_;
    bool remove_;
};

// A building field typed: the keystrokes into one field while it keeps the
// focus merge into one step.
class BuildingCommand : public QUndoCommand {
public:
    BuildingCommand(ScheduleTableModel& model, BuildingEntry before, BuildingEntry after, int field,
                    int serial);
    void redo() override;
    void undo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    ScheduleTableModel& model_;
    BuildingEntry before_;
    BuildingEntry after_;
    int field_;
    int serial_;
};

// The whole content replaced (the example).
class WholeCommand : public QUndoCommand {
public:
    struct Content {
        BuildingEntry entry;
        std::vector<SheetRow> rows;
        std::vector<FlatSupply> flats;
    };
    WholeCommand(ScheduleTableModel& model, const QString& text, Content before, Content after);
    void redo() override;
    void undo() override;

private:
    ScheduleTableModel& model_;
    Content before_;
    Content after_;
};

// The flats' supply replaced: a flat added, removed or a value typed.
class FlatsCommand : public QUndoCommand {
public:
    FlatsCommand(ScheduleTableModel& model, const QString& text, std::vector<FlatSupply> before,
                 std::vector<FlatSupply> after);
    void redo() override;
    void undo() override;

private:
    ScheduleTableModel& model_;
    std::vector<FlatSupply> before_;
    std::vector<FlatSupply> after_;
};
