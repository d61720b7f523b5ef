// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/choice_dialog.h"

// Step 1 of the calculation wizard: how the air density is given.
// "Wprowadzanie Ro": whether the air density will be typed or computed from
// the weather. Sets DensityEntered; the choice is not kept between runs.
class DensityModeDialog : public ChoiceDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg3";

    explicit DensityModeDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Choose(std::size_t index) override;
};
