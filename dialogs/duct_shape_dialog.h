#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class QRadioButton;

// Step 3 of the calculation wizard: the duct shape.
// "Wybór kanału": a rectangular or a round duct. Sets DuctRound; the choice is
// not kept between runs.
class TOKBottomDlg333 : public FixedDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg333(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();

    CalcState& state_;
    QRadioButton* radioButton1_;
    QRadioButton* radioButton2_;
};
