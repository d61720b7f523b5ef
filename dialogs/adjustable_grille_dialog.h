// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QComboBox;
class QLineEdit;

// Step 7 of the calculation wizard for a building with the adjustable grille.
// "Parametry budynku" with a round adjustable grille on every storey: storey
// height and count and the opening of the grille in turns of its disc,
// remembered in "dialog3333.sav", and the grille chosen from five sizes. The
// grille's diameter and loss coefficient follow from the choice and opening.
class AdjustableGrilleDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form2222";
    static constexpr const char* kValueFile = "dialog3333.sav";

    explicit AdjustableGrilleDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* storeyHeight_;
    QLineEdit* storeys_;
    QComboBox* grille_;
    QLineEdit* opening_;
};
