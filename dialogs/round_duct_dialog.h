// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 4 of the calculation wizard for a round duct: its diameter.
// "Parametry kanału" of a round duct: its diameter, remembered in
// "dialog22.sav". The OK button comes first in the focus order.
class RoundDuctDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form4";
    static constexpr const char* kValueFile = "dialog22.sav";

    explicit RoundDuctDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* diameter_;
};
