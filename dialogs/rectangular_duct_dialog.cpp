// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/rectangular_duct_dialog.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QLineEdit>
#include <QPushButton>

RectangularDuctDialog::RectangularDuctDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry kanału"),
                      QRect(240, 180, 340, 173), parent)
{
    PlaceLabel(this, "Label2", "Proszę podać wymiary kanału", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Długość [m]", QPoint(16, 52));
    length_ = PlaceEdit(this, "Edit1", QPoint(184, 48));
    PlaceLabel(this, "Label3", "Szerokość [m]", QPoint(16, 84));
    width_ = PlaceEdit(this, "Edit2", QPoint(184, 80));

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(80, 114));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(184, 114));

    ChainFocus({length_, width_, ok, cancel});
    Finish(ok, cancel, {length_, width_});
}

void RectangularDuctDialog::Accept()
{
    const double sideA = RealField(length_);
    const double sideB = RealField(width_);
    // The sides are tried on a copy first: a refused pair saves and stores nothing.
    CalcState trial = state_;
    if (const Refusal refusal = ApplyRectangularDuct(trial, sideA, sideB);
        refusal != Refusal::None) {
        ShowRefusal(this, refusal);
        return;
    }
    if (Refused(this, CheckLimits({{Limited::DuctSize, sideA}, {Limited::DuctSize, sideB}})))
        return;
    SaveValues({FormatFixed(sideA, 2), FormatFixed(sideB, 2)});
    ApplyRectangularDuct(state_, sideA, sideB);
    accept();
}
