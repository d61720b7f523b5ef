// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

#include <array>

class QLineEdit;
class QRadioButton;

// Step 7 of the calculation wizard for a hall: duct length and inlet.
// "Parametry hali": the duct length of a hall, remembered in "dialog3.sav",
// and the shape of the duct inlet, which fixes its loss coefficient.
class HallDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form2";
    static constexpr const char* kValueFile = "dialog3.sav";

    explicit HallDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* ductLength_;
    std::array<QRadioButton*, 3> inlets_{};
};
