// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/round_duct_dialog.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QLineEdit>
#include <QPushButton>

RoundDuctDialog::RoundDuctDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry kanału"),
                      QRect(248, 190, 308, 153), parent)
{
    PlaceLabel(this, "Label2", "Proszę podać parametry kanału", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Średnica kanału [m]", QPoint(16, 52));
    diameter_ = PlaceEdit(this, "Edit1", QPoint(168, 48));

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(64, 94));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(168, 94));

    ChainFocus({ok, diameter_, cancel});
    Finish(ok, cancel, {diameter_});
}

void RoundDuctDialog::Accept()
{
    const double diameter = RealField(diameter_);
    if (Refused(this, CheckLimits({{Limited::DuctSize, diameter}})))
        return;
    SaveValues({FormatFixed(diameter, 2)});
    ApplyRoundDuct(state_, diameter);
    accept();
}
