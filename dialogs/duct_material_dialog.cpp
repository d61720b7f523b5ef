// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/duct_material_dialog.h"

#include "calc/derived.h"
#include "calc/inputs.h"
#include "dialogs/input_controls.h"

namespace {

std::vector<std::string_view> MaterialCaptions()
{
    std::vector<std::string_view> captions;
    captions.reserve(kDuctMaterials.size());
    for (const DuctMaterial& material : kDuctMaterials)
        captions.push_back(material.caption);
    return captions;
}

} // namespace

DuctMaterialDialog::DuctMaterialDialog(CalcState& state, QWidget* parent)
    : ChoiceDialog(state, kObjectName, Text("Wybór współczynnika chropowatości"), QSize(318, 290),
                   parent)
{
    PlaceChoices(QRect(8, 8, 302, 233), "Proszę wybrać materiał kanału", MaterialCaptions(),
                 QPoint(8, 28), 33);
    PlaceButtons(QPoint(154, 255), QPoint(235, 255));
}

void DuctMaterialDialog::Choose(std::size_t index)
{
    ApplyDuctMaterial(state_, index);
}
