#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <array>

class QRadioButton;

// Step 5 of the calculation wizard: the duct material.
// "Wybór współczynnika chropowatości": the duct material, which fixes
// DuctRoughness. The choice is not kept between runs.
class DuctMaterialDialog : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg33333";

    explicit DuctMaterialDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept();

    CalcState& state_;
    std::array<QRadioButton*, 6> materials_{};
};
