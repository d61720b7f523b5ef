#include "dialogs/duct_shape_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

DuctShapeDialog::DuctShapeDialog(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór kanału"), QSize(209, 174), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Proszę wybrać typ kanału", QRect(8, 8, 193, 121));
    rectangular_ = PlaceRadio(group, "RadioButton1", "Prostokątny", QPoint(16, 32));
    rectangular_->setChecked(true);
    round_ = PlaceRadio(group, "RadioButton2", "Okrągły", QPoint(16, 72));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(45, 139));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(126, 139));

    ChainFocus({rectangular_, round_, ok, cancel});
    connect(ok, &QPushButton::clicked, this, &DuctShapeDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DuctShapeDialog::Accept()
{
    if (rectangular_->isChecked())
        state_.DuctRound = 0;
    if (round_->isChecked())
        state_.DuctRound = 1;
    accept();
}
