#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class QRadioButton;

// Step 1 of the calculation wizard: how the air density is given.
// "Wprowadzanie Ro": whether the air density will be typed or computed from
// the weather. Sets DensityEntered; the choice is not kept between runs.
class TOKBottomDlg3 : public FixedDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg3(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();

    CalcState& state_;
    QRadioButton* radioButton1_;
    QRadioButton* radioButton2_;
};
