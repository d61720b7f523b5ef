#pragma once

#include "calc/schedule.h"

#include <QAbstractTableModel>

// The schedule's table in the window: one row per duct, its inputs editable
// (the choices through the delegates of schedule_delegates.h) and its results
// computed again at once on every change.
class ScheduleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Label,
        Storey,
        Flat,
        Room,
        Need,
        Duct,
        Material,
        GrilleKind,
        GrilleSize,
        GrilleLoss,
        Ventilator,
        Length,
        Calm,
        Wind,
        WindStack,
        Underpressure,
        Verdict,
        Note,
        ColumnCount
    };
    // The choices of the grille column: the two fixed grilles, then the five
    // adjustable ones.
    static QStringList GrilleChoices();
    static QStringList RoomChoices();     // the room types, then the need typed
    static QStringList MaterialChoices(); // the six materials
    static QStringList ModelChoices();    // "dobierz", then the 27 models

    explicit ScheduleTableModel(QObject* parent = nullptr);

    const Schedule& CurrentSchedule() const { return schedule_; }
    const ScheduleResult& Result() const { return result_; }
    void SetSchedule(const Schedule& schedule);
    void SetBuilding(const ScheduleBuilding& building);
    void AddRows(const std::vector<ScheduleRow>& rows);
    // The flats' supply; the rows of every flat are computed again.
    void SetFlats(const std::vector<FlatSupply>& flats);
    void RemoveRow(int row);

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

private:
    QVariant Display(int row, int column) const;
    QVariant EditValue(int row, int column) const;
    bool Edit(ScheduleRow& row, int column, const QVariant& value);
    void RecomputeAll();
    bool InFlats() const;

    Schedule schedule_;
    ScheduleResult result_;
};
