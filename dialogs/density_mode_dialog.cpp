// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/density_mode_dialog.h"

#include "calc/inputs.h"
#include "dialogs/input_controls.h"

#include <QRadioButton>

DensityModeDialog::DensityModeDialog(CalcState& state, QWidget* parent)
    : ChoiceDialog(state, kObjectName, Text("Wprowadzanie Ro"), QSize(275, 150), parent)
{
    PlaceChoices(QRect(8, 8, 259, 97), "",
                 {"Niech program obliczy wartość Ro", "Podać wartość Ro z klawiatuy"},
                 QPoint(16, 20), 36, 1);
    // The checked choice is the group's stop in the focus order.
    Choice(1)->setFocus();
    PlaceButtons(QPoint(111, 115), QPoint(192, 115));
}

void DensityModeDialog::Choose(std::size_t index)
{
    ApplyDensityMode(state_, index == 1); // the second choice: typed
}
