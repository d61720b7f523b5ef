// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/installation_dialog.h"

#include "calc/inputs.h"
#include "dialogs/input_controls.h"

InstallationDialog::InstallationDialog(CalcState& state, QWidget* parent)
    : ChoiceDialog(state, kObjectName, Text("Wybór typu instalacji"), QSize(356, 195), parent)
{
    PlaceChoices(QRect(8, 8, 340, 141), "Proszę wybrać typ instalacji",
                 {
                     "Hala",
                     "Budynek wielokondygnacyjny - kratka prostokątna",
                     "Budynek wielokondygnacyjny - kratka okrągła nieregulowana",
                     "Budynek wielokondygnacyjny - kratka okrągła regulowana",
                 },
                 QPoint(6, 26), 28);
    PlaceButtons(QPoint(192, 160), QPoint(273, 160));
}

void InstallationDialog::Choose(std::size_t index)
{
    // The choices in the order of Installation.
    static constexpr Installation kChoices[] = {
        Installation::Hall, Installation::BuildingRectangular, Installation::BuildingRound,
        Installation::BuildingAdjustable};
    ApplyInstallationType(state_, kChoices[index]);
}
