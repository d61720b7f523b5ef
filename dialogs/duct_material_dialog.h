#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <array>

class QRadioButton;

// Step 5 of the calculation wizard: the duct material.
// "Wybór współczynnika chropowatości": the duct material, which fixes
// DuctRoughness. The choice is not kept between runs.
class TOKBottomDlg33333 : public FixedDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg33333(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();

    CalcState& state_;
    std::array<QRadioButton*, 6> radioButtons_{};
};
