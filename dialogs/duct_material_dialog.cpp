#include "dialogs/duct_material_dialog.h"

#include "calc/derived.h"
#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <string>

DuctMaterialDialog::DuctMaterialDialog(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór współczynnika chropowatości"), QSize(318, 290), EscapeKey::Cancels,
                  parent)
    , state_(state)
{
    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Proszę wybrać materiał kanału", QRect(8, 8, 302, 233));
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        const std::string name = "RadioButton" + std::to_string(i + 1);
        materials_[i] = PlaceRadio(group, name.c_str(), kDuctMaterials[i].caption,
                                   QPoint(8, 28 + 33 * static_cast<int>(i)));
    }
    materials_[0]->setChecked(true);

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(154, 255));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(235, 255));

    ChainFocus({materials_[0], materials_[1], materials_[2], materials_[3], materials_[4],
                materials_[5], ok, cancel});
    connect(ok, &QPushButton::clicked, this, &DuctMaterialDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DuctMaterialDialog::Accept()
{
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        if (materials_[i]->isChecked())
            state_.DuctRoughness = kDuctMaterials[i].roughness;
    }
    accept();
}
