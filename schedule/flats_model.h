// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include <map>
#include <utility>

class ScheduleTableModel;

// The table of flats below the ducts: each flat's label, storey, inlets and
// leaks editable, every change one step of the schedule's undo stack; its
// underpressure, inflow and the inlets needed (on the verdict's condition)
// computed. A number is read strictly; a value the flat cannot have is
// refused: it stays in its cell, red, the reason in its tooltip, and
// `Refused` tells why.
class FlatsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Flat,
        Storey,
        Inlets,
        InletFlow,
        InletPressure,
        InletExponent,
        LeakFlow,
        LeakPressure,
        LeakExponent,
        Underpressure,
        Inflow,
        Needed,
        ColumnCount
    };

    explicit FlatsTableModel(ScheduleTableModel& schedule, QObject* parent = nullptr);

    // A new flat "M<n>" on storey 1, and the removal of one.
    void AddFlat();
    void RemoveFlat(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // Why the value typed was refused; empty after an accepted edit.
    void Refused(const QString& reason);

private:
    QString Display(int row, int column) const;

    ScheduleTableModel& schedule_;
    struct RefusedText {
        int row = -1;
        int column = -1;
        QString text;
        QString reason;
    };
    RefusedText refused_; // the text last refused, kept in its cell
    int shown_ = 0;       // the flats the views know of
};
