#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 4 of the calculation wizard for a rectangular duct: its sides.
// "Parametry kanału" of a rectangular duct: its two sides, remembered in
// "dialog2.sav"; the duct is represented by its equivalent diameter. Two sides
// that add up to 0 give no diameter and are refused.
class TForm1 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm1(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    DialogValueFile* valueFile_;
};
