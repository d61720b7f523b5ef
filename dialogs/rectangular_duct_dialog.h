// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 4 of the calculation wizard for a rectangular duct: its sides.
// "Parametry kanału" of a rectangular duct: its two sides, remembered in
// "dialog2.sav"; the duct is represented by its equivalent diameter. Two sides
// that add up to 0 give no diameter and are refused.
class RectangularDuctDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form1";
    static constexpr const char* kValueFile = "dialog2.sav";

    explicit RectangularDuctDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* length_;
    QLineEdit* width_;
};
