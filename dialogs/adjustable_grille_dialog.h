#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QComboBox;
class QLineEdit;

// Step 7 of the calculation wizard for a building with the adjustable grille.
// "Parametry budynku" with a round adjustable grille on every storey: storey
// height and count and the opening of the grille in turns of its disc,
// remembered in "dialog3333.sav", and the grille chosen from five sizes. The
// grille's diameter and loss coefficient follow from the choice and opening.
class TForm2222 : public FormWindow {
    Q_OBJECT
public:
    explicit TForm2222(CalcState& state, QWidget* parent = nullptr);

private:
    void Button1Click();
    void Button2Click();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QComboBox* comboBox1_;
    QLineEdit* edit4_;
    DialogValueFile* valueFile_;
};
