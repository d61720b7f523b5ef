// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/choice_dialog.h"

// Step 5 of the calculation wizard: the duct material.
// "Wybór współczynnika chropowatości": the duct material, which fixes
// DuctRoughness. The choice is not kept between runs.
class DuctMaterialDialog : public ChoiceDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg33333";

    explicit DuctMaterialDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Choose(std::size_t index) override;
};
