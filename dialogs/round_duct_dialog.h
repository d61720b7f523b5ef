#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 4 of the calculation wizard for a round duct: its diameter.
// "Parametry kanału" of a round duct: its diameter, remembered in
// "dialog22.sav". The OK button comes first in the focus order.
class TForm4 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm4(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    DialogValueFile* valueFile_;
};
