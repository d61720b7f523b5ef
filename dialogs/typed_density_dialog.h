// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 2 of the calculation wizard when the density is typed: air density and wind speed.
// "Dobór parametrów": the air density and the wind speed as typed. Remembers
// them in "dialog.sav". Its "Anuluj" is an ordinary button: Esc does nothing.
class TypedDensityDialog : public ValueFileDialog<FixedDialog> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "OKBottomDlg";
    static constexpr const char* kValueFile = "dialog.sav";

    explicit TypedDensityDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Accept() override;

    QLineEdit* density_;
    QLineEdit* windSpeed_;
};
