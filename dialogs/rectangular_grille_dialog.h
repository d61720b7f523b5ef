// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 7 of the calculation wizard for a building with a rectangular grille.
// "Parametry budynku" with a rectangular grille on every storey: storey height
// and count, grille height and width and its loss coefficient, remembered in
// "dialog33.sav", with a table of loss coefficients of example grilles.
class RectangularGrilleDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form22";
    static constexpr const char* kValueFile = "dialog33.sav";

    explicit RectangularGrilleDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* storeyHeight_;
    QLineEdit* storeys_;
    QLineEdit* grilleHeight_;
    QLineEdit* grilleWidth_;
    QLineEdit* grilleLoss_;
};
