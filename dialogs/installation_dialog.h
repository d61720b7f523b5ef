#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <array>

class QRadioButton;

// Step 6 of the calculation wizard: hall or building.
// "Wybór typu instalacji": a hall or one of the three kinds of building.
// Sets InstallationType 0..3; the choice is not kept between runs.
class TOKBottomDlg3333 : public FixedDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg3333(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();

    CalcState& state_;
    std::array<QRadioButton*, 4> radioButtons_{};
};
