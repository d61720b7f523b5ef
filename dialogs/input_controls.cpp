// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/input_controls.h"

#include "calc/field_conversion.h"
#include "ui/show_message.h"

#include <QLineEdit>
#include <QMessageBox>

namespace {

std::string Utf8(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

} // namespace

double RealField(const QLineEdit* edit)
{
    return ConvertFieldReal(Utf8(edit));
}

std::int32_t WholeField(const QLineEdit* edit)
{
    return ConvertWhole(Utf8(edit));
}

void ShowRefusal(QWidget* dialog, Refusal refusal)
{
    ShowMessage(dialog, QMessageBox::Warning, dialog->windowTitle(), Text(RefusalText(refusal)),
                QStringLiteral("RefusalBox"));
}

bool Refused(QWidget* dialog, Refusal refusal)
{
    if (refusal == Refusal::None)
        return false;
    ShowRefusal(dialog, refusal);
    return true;
}

StoreyFields PlaceStoreyFields(QWidget* parent)
{
    PlaceLabel(parent, "Label1", "Proszę podać parametry budynku", QPoint(80, 8));
    PlaceLabel(parent, "Label2", "Wysokość jednej kondygnacji [m]", QPoint(8, 40));
    QLineEdit* height = PlaceEdit(parent, "Edit1", QPoint(176, 40));
    PlaceLabel(parent, "Label3", "Ilość kondygnacji", QPoint(8, 72));
    QLineEdit* count = PlaceEdit(parent, "Edit2", QPoint(176, 72));
    return {height, count};
}
