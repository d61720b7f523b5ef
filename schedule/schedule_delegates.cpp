// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_delegates.h"

#include "schedule/schedule_model.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

ChoiceBox::ChoiceBox(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("ChoiceEditor"));
}

void ChoiceBox::hidePopup()
{
    QComboBox::hidePopup();
    // A choice comes right after the list closes; without one, the cell is left.
    QTimer::singleShot(0, this, [this] {
        if (!chosen_)
            emit Abandoned();
    });
}

void ChoiceBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F4:
        showPopup();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void ChoiceBox::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

ChoiceDelegate::ChoiceDelegate(QStringList choices, QObject* parent)
    : QStyledItemDelegate(parent)
    , choices_(std::move(choices))
{
}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* box = new ChoiceBox(parent);
    box->addItems(choices_);
    for (int i = 0; i < choices_.size(); ++i)
        box->setItemData(i, choices_[i], Qt::ToolTipRole);
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
    auto* self = const_cast<ChoiceDelegate*>(this);
    connect(box, &QComboBox::activated, this, [self, box] {
        box->MarkChosen();
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    connect(box, &ChoiceBox::Abandoned, this,
            [self, box] { emit self->closeEditor(box, QAbstractItemDelegate::RevertModelCache); });
    return box;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QComboBox*>(editor)->setCurrentIndex(
        index.data(ScheduleTableModel::ChoiceRole).toInt());
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    const auto* box = static_cast<QComboBox*>(editor);
    if (box->currentIndex() != index.data(ScheduleTableModel::ChoiceRole).toInt())
        model->setData(index, box->currentText(), Qt::EditRole);
}

void TextDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const
{
    const auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && edit->text() != index.data(Qt::EditRole).toString())
        emit Typed(QPersistentModelIndex(index), edit->text());
}

void ScheduleView::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) &&
        state() != EditingState) {
        edit(currentIndex(), EditKeyPressed, event);
        return;
    }
    QTableView::keyPressEvent(event);
}

bool ScheduleView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableView::edit(index, trigger, event))
        return false;
    if (trigger != AnyKeyPressed && !moving_) {
        if (auto* box = qobject_cast<ChoiceBox*>(indexWidget(index)))
            box->showPopup();
    }
    return true;
}

void ScheduleView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    moving_ = true;
    QTableView::closeEditor(editor, hint);
    moving_ = false;
}
