#include "dialogs/density_mode_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

TOKBottomDlg3::TOKBottomDlg3(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wprowadzanie Ro"), QSize(275, 150), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group = PlaceGroup(this, "RadioGroup1", "", QRect(8, 8, 259, 97));
    radioButton1_ =
        PlaceRadio(group, "RadioButton1", "Niech program obliczy wartość Ro", QPoint(16, 20));
    radioButton2_ =
        PlaceRadio(group, "RadioButton2", "Podać wartość Ro z klawiatuy", QPoint(16, 56));
    radioButton2_->setChecked(true);
    // The checked choice is the group's stop in the focus order.
    radioButton2_->setFocus();

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(111, 115));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(192, 115));

    ChainFocus({radioButton1_, radioButton2_, ok, cancel});
    connect(ok, &QPushButton::clicked, this, &TOKBottomDlg3::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlg3::OKBtnClick()
{
    if (radioButton1_->isChecked())
        state_.DensityEntered = 0;
    if (radioButton2_->isChecked())
        state_.DensityEntered = 1;
    accept();
}
