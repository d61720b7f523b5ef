#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 2 of the calculation wizard when the density comes from the weather.
// "Dobór parametrów ": temperature, barometric pressure and relative humidity,
// from which the air density is computed, and the wind speed. Remembers them
// in "dialog1.sav". Weather data that give no density are refused.
class TForm3 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm3(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();
    void Button1Click();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QLineEdit* edit3_;
    QLineEdit* edit4_;
    DialogValueFile* valueFile_;
};
