// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/duct_shape_dialog.h"

#include "calc/inputs.h"
#include "dialogs/input_controls.h"

DuctShapeDialog::DuctShapeDialog(CalcState& state, QWidget* parent)
    : ChoiceDialog(state, kObjectName, Text("Wybór kanału"), QSize(209, 174), parent)
{
    PlaceChoices(QRect(8, 8, 193, 121), "Proszę wybrać typ kanału", {"Prostokątny", "Okrągły"},
                 QPoint(16, 32), 40);
    PlaceButtons(QPoint(45, 139), QPoint(126, 139));
}

void DuctShapeDialog::Choose(std::size_t index)
{
    ApplyDuctShape(state_, index == 1); // the second choice: round
}
