#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

class DialogValueFile;
class QLineEdit;

// Step 2 of the calculation wizard when the density is typed: air density and wind speed.
// "Dobór parametrów": the air density and the wind speed as typed. Remembers
// them in "dialog.sav". Its "Anuluj" is an ordinary button: Esc does nothing.
class TOKBottomDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(CalcState& state, QWidget* parent = nullptr);

private:
    void OKBtnClick();

    CalcState& state_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    DialogValueFile* valueFile_;
};
