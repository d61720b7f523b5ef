#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <array>

class DialogValueFile;
class QLineEdit;
class QRadioButton;

// Step 7 of the calculation wizard for a hall: duct length and inlet.
// "Parametry hali": the duct length of a hall, remembered in "dialog3.sav",
// and the shape of the duct inlet, which fixes its loss coefficient.
class TForm2 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm2(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    DialogValueFile* valueFile_;
    std::array<QRadioButton*, 3> radioButtons_{};
};
