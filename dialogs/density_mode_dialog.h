#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class QRadioButton;

// Step 1 of the calculation wizard: how the air density is given.
// "Wprowadzanie Ro": whether the air density will be typed or computed from
// the weather. Sets DensityEntered; the choice is not kept between runs.
class DensityModeDialog : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg3";

    explicit DensityModeDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept();

    CalcState& state_;
    QRadioButton* computed_;
    QRadioButton* typed_;
};
