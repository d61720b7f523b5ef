// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compare/comparison_rows.h"

#include <QAbstractTableModel>
#include <QString>

#include <set>
#include <vector>

// The comparison table: one row per catalogue model, in the order of the
// column last sorted by. The name cell is checkable: a ticked model is drawn
// on the wind chart. The current model of the report is bold on a coloured
// background.
class CompareTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The roles of data() beside Qt's own.
    enum Role {
        ValueRole = Qt::UserRole, // the number the column sorts by; none for a text
    };

    explicit CompareTableModel(QObject* parent = nullptr);

    // New rows (catalogue order) and the current model (0: none). Keeps the
    // ticks and the sort.
    void SetRows(std::vector<ComparisonRow> rows, int currentModel);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The catalogue number 1..27 of a table row; 0 outside the table.
    int ModelAt(int row) const;
    // The table row of a catalogue number; -1 when it is not in the table.
    int RowOf(int model) const;
    // The row of a catalogue number as it was computed.
    const ComparisonRow* RowData(int model) const;
    // Rows in catalogue order and their table order (positions into Rows()).
    const std::vector<ComparisonRow>& Rows() const { return rows_; }
    const std::vector<int>& Order() const { return order_; }

    int CurrentModel() const { return current_; }

    // The tooltip of the year's column and of its header: what it shows, or
    // why its cells are empty (no need typed, a refusal, a computation to come).
    void SetYearNote(const QString& note);
    // The ticked catalogue numbers, ascending.
    std::vector<int> TickedModels() const;
    void SetTicked(int model, bool ticked);

signals:
    void TicksChanged();

private:
    std::vector<ComparisonRow> rows_;
    std::vector<int> order_;
    std::set<int> ticked_;
    int current_ = 0;
    QString yearNote_;
    int sortColumn_ = kColumnFlowPerHour;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};
