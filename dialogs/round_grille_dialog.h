#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 7 of the calculation wizard for a building with a round fixed grille.
// "Parametry budynku" with a round fixed grille on every storey: storey height
// and count, grille diameter and its loss coefficient, remembered in
// "dialog333.sav", with a table of loss coefficients of example grilles.
class TForm222 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm222(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QLineEdit* edit3_;
    QLineEdit* edit4_;
    DialogValueFile* valueFile_;
};
