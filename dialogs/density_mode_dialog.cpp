#include "dialogs/density_mode_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

DensityModeDialog::DensityModeDialog(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wprowadzanie Ro"), QSize(275, 150), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group = PlaceGroup(this, "RadioGroup1", "", QRect(8, 8, 259, 97));
    computed_ =
        PlaceRadio(group, "RadioButton1", "Niech program obliczy wartość Ro", QPoint(16, 20));
    typed_ = PlaceRadio(group, "RadioButton2", "Podać wartość Ro z klawiatuy", QPoint(16, 56));
    typed_->setChecked(true);
    // The checked choice is the group's stop in the focus order.
    typed_->setFocus();

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(111, 115));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(192, 115));

    ChainFocus({computed_, typed_, ok, cancel});
    connect(ok, &QPushButton::clicked, this, &DensityModeDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DensityModeDialog::Accept()
{
    if (computed_->isChecked())
        state_.DensityEntered = 0;
    if (typed_->isChecked())
        state_.DensityEntered = 1;
    accept();
}
