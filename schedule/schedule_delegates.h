// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

// The editors of the schedule's table. A key never changes a value the user
// did not type: an editor left without a change writes nothing.

// A list cell's editor. While its list is closed, the arrows open it and do not
// choose; in the open list they move within it, Enter chooses and Esc closes
// it with the value as it was.
class ChoiceBox : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceBox(QWidget* parent);
    void hidePopup() override;
    void MarkChosen() { chosen_ = true; }

signals:
    // The list closed without a choice.
    void Abandoned();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool chosen_ = false;
};

// A cell chosen from a list: the caption chosen is written to the model as
// soon as it is chosen.
class ChoiceDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChoiceDelegate(QStringList choices, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    QStringList choices_;
};

// A typed cell: the text goes to Typed only when it differs from the cell's.
class TextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

signals:
    void Typed(const QPersistentModelIndex& index, const QString& text) const;
};

// The table's view: F2, Alt+Down or a double click opens a list cell with its
// list open; Tab arriving at a list cell leaves the list closed.
class ScheduleView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool moving_ = false;
};
