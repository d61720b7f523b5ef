// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 7 of the calculation wizard for a building with a round fixed grille.
// "Parametry budynku" with a round fixed grille on every storey: storey height
// and count, grille diameter and its loss coefficient, remembered in
// "dialog333.sav", with a table of loss coefficients of example grilles.
class RoundGrilleDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form222";
    static constexpr const char* kValueFile = "dialog333.sav";

    explicit RoundGrilleDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* storeyHeight_;
    QLineEdit* storeys_;
    QLineEdit* grilleDiameter_;
    QLineEdit* grilleLoss_;
};
