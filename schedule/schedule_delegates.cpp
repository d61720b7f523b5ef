#include "schedule/schedule_delegates.h"

#include <QComboBox>

ChoiceDelegate::ChoiceDelegate(QStringList choices, QObject* parent)
    : QStyledItemDelegate(parent)
    , choices_(std::move(choices))
{
}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* box = new QComboBox(parent);
    box->addItems(choices_);
    box->setObjectName(QStringLiteral("ChoiceEditor"));
    connect(box, &QComboBox::activated, this, [this, box] {
        auto* self = const_cast<ChoiceDelegate*>(this);
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    return box;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QComboBox*>(editor)->setCurrentIndex(index.data(Qt::EditRole).toInt());
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    model->setData(index, static_cast<QComboBox*>(editor)->currentIndex(), Qt::EditRole);
}
