// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "calc/schedule.h"
#include "calc/schedule_sheet.h"
#include "weather/schedule_year.h"

#include <QAbstractTableModel>

#include <memory>
#include <utility>
#include <vector>

class QUndoStack;

// The number of a column of the sheet in the schedule's table models.
constexpr int ModelColumn(SheetColumn column)
{
    return static_cast<int>(column);
}

// The schedule's table in the window: one row per duct, its inputs typed as
// texts (the lists through the delegates of schedule_delegates.h) and its
// results computed again at once on every change. A refused text stays in its
// cell, red, with its reason; its row is not computed. Every change the user
// makes is one step of the undo stack.
class ScheduleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns are the sheet's, in its order (SheetColumn, the one list of
    // the schedule's columns): a column's number is ModelColumn's.
    static constexpr int kColumnCount = kSheetColumnCount;
    enum Role {
        SortRole = Qt::UserRole, // numbers as numbers
        ChoiceRole,              // a list cell: the position of its value in the list
        MillimetresRole,         // setData: a size above 2 m is millimetres
    };
    static QStringList GrilleChoices();   // the two fixed grilles, then the adjustable ones
    static QStringList RoomChoices();     // the room types, then the need typed
    static QStringList MaterialChoices(); // the six materials
    static QStringList ModelChoices();    // "dobierz", then the 27 models

    explicit ScheduleTableModel(QObject* parent = nullptr);

    const Schedule& CurrentSchedule() const { return schedule_; }
    const ScheduleResult& Computed() const { return result_; }
    const std::vector<SheetRow>& Rows() const { return rows_; }
    const BuildingEntry& Entry() const { return entry_; }
    const BuildingRead& Building() const { return building_; }
    // The weather of the year condition (none: its rows say so); all rows are
    // computed again.
    void SetYearWeather(const ScheduleWeather& weather);
    const ScheduleWeather& YearWeather() const { return weather_; }
    QUndoStack& UndoStack() const { return *undo_; }

    // A new content: no undo step, the stack cleared, Edited not emitted.
    void SetSchedule(const Schedule& schedule);

    // The user's actions, one undo step each. Typing into one building field
    // (`serial` the same while the field keeps the focus) is one step.
    void TypeBuilding(const BuildingEntry& entry, int field, int serial);
    void AppendRows(const std::vector<SheetRow>& rows, const QString& what);
    void RemoveRows(std::vector<int> rows);
    void DuplicateRows(std::vector<int> rows);
    void ReplaceAll(const Schedule& schedule, const QString& what);
    // The flats' supply replaced (one step); the ducts of every flat are
    // computed again.
    void SetFlats(const std::vector<FlatSupply>& flats, const QString& what);
    // A flat renamed or moved to another storey (one step): its ducts follow.
    void MoveFlat(const std::vector<FlatSupply>& flats, const FlatSupply& before,
                  const FlatSupply& after);
    // Cells written at once into the rows `targets` (-1: a new row at the end).
    Outcome WriteBlock(const std::vector<int>& targets, const std::vector<CellWrite>& writes,
                       bool millimetres, const QString& what);
    std::string BlockQuestion(const std::vector<int>& targets,
                              const std::vector<CellWrite>& writes) const;
    // The millimetre question of a text typed into a cell; empty when none.
    QString MillimetreQuestionOf(const QModelIndex& index, const QString& text) const;

    // What the undo commands do.
    void PutRows(const std::vector<std::pair<int, SheetRow>>& rows);
    void InsertSheetRows(const std::vector<std::pair<int, SheetRow>>& rows);
    void DeleteSheetRows(const std::vector<int>& ascending);
    void PutBuilding(const BuildingEntry& entry);
    void PutAll(const BuildingEntry& entry, const std::vector<SheetRow>& rows,
                const std::vector<FlatSupply>& flats);
    void PutFlats(const std::vector<FlatSupply>& flats);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // After every recalculation.
    void Recalculated();
    // The building's entry changed (an undo, a redo or a new content).
    void BuildingChanged();
    // Every change the user makes, undo and redo included.
    void Edited();

private:
    QVariant Display(int row, int column) const;
    QVariant SortKey(int row, int column) const;
    RowResult Compute(const SheetRow& row) const;
    void RecomputeAll();
    void Summarize();
    bool InFlats() const;

    QUndoStack* undo_ = nullptr;
    bool resetting_ = false;
    BuildingEntry entry_;
    BuildingRead building_;
    std::vector<SheetRow> rows_;
    Schedule schedule_;
    ScheduleResult result_;
    ScheduleWeather weather_;
    // The rows on the year, made again when the building or the weather changes.
    mutable std::shared_ptr<ScheduleYearRows> year_;
};
