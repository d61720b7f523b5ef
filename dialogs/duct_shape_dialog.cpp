#include "dialogs/duct_shape_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

TOKBottomDlg333::TOKBottomDlg333(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór kanału"), QSize(209, 174), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Proszę wybrać typ kanału", QRect(8, 8, 193, 121));
    radioButton1_ = PlaceRadio(group, "RadioButton1", "Prostokątny", QPoint(16, 32));
    radioButton1_->setChecked(true);
    radioButton2_ = PlaceRadio(group, "RadioButton2", "Okrągły", QPoint(16, 72));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(45, 139));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(126, 139));

    ChainFocus({radioButton1_, radioButton2_, ok, cancel});
    connect(ok, &QPushButton::clicked, this, &TOKBottomDlg333::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlg333::OKBtnClick()
{
    if (radioButton1_->isChecked())
        state_.DuctRound = 0;
    if (radioButton2_->isChecked())
        state_.DuctRound = 1;
    accept();
}
