#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 7 of the calculation wizard for a building with a rectangular grille.
// "Parametry budynku" with a rectangular grille on every storey: storey height
// and count, grille height and width and its loss coefficient, remembered in
// "dialog33.sav", with a table of loss coefficients of example grilles.
class TForm22 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm22(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QLineEdit* edit3_;
    QLineEdit* edit4_;
    QLineEdit* edit5_;
    DialogValueFile* valueFile_;
};
