#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

// A cell chosen from a list: a drop-down list whose choice is written to the
// model (the row's position in the list) as soon as it is made.
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
