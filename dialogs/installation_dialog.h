#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <array>

class QRadioButton;

// Step 6 of the calculation wizard: hall or building.
// "Wybór typu instalacji": a hall or one of the three kinds of building.
// Sets InstallationType 0..3; the choice is not kept between runs.
class InstallationDialog : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg3333";

    explicit InstallationDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept();

    CalcState& state_;
    std::array<QRadioButton*, 4> installations_{};
};
