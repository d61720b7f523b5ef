#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class QRadioButton;

// Step 3 of the calculation wizard: the duct shape.
// "Wybór kanału": a rectangular or a round duct. Sets DuctRound; the choice is
// not kept between runs.
class DuctShapeDialog : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg333";

    explicit DuctShapeDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept();

    CalcState& state_;
    QRadioButton* rectangular_;
    QRadioButton* round_;
};
