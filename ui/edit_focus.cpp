// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/edit_focus.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

bool SelectsAll(Qt::FocusReason reason)
{
    return reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason;
}

// Watches the widget that receives the focus (the edit field, or the combo box
// that forwards its focus to its edit field) and selects the field's text.
// Qt itself selects only on Tab, Shift+Tab and shortcuts. The selection is
// made once the focus change has been handled completely (the filter sees the
// event before the field does, and the window's activation may follow).
class FocusSelector : public QObject {
public:
    FocusSelector(QWidget* watched, QLineEdit* edit)
        : QObject(watched)
        , edit_(edit)
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            ++focusChanges_;
            if (event->type() == QEvent::FocusIn &&
                SelectsAll(static_cast<QFocusEvent*>(event)->reason()))
                Schedule();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Schedule()
    {
        const int arrival = focusChanges_;
        const QString text = edit_->text();
        QMetaObject::invokeMethod(
            this,
            [this, arrival, text] {
                // Not when the focus has moved since, nor when the user has
                // already typed into the field.
                if (focusChanges_ == arrival && edit_ && edit_->text() == text)
                    edit_->selectAll();
            },
            Qt::QueuedConnection);
    }

    QPointer<QLineEdit> edit_;
    int focusChanges_ = 0;
};

} // namespace

void SelectAllOnFocus(QLineEdit* edit)
{
    new FocusSelector(edit, edit);
}

void SelectAllOnFocus(QComboBox* box)
{
    if (QLineEdit* edit = box->lineEdit())
        new FocusSelector(box, edit);
}
