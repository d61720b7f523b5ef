// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/hall_dialog.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

HallDialog::HallDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry hali"),
                      QRect(232, 180, 331, 258), parent)
{
    PlaceLabel(this, "Label3", "Proszę podać parametry hali", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Dlugość kanału [m]", QPoint(16, 52));
    ductLength_ = PlaceEdit(this, "Edit1", QPoint(176, 48));

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(88, 202));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(168, 202));

    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Rodzaj wlotu kanału", QRect(16, 88, 299, 106));
    for (std::size_t i = 0; i < inlets_.size(); ++i) {
        const std::string name = "RadioButton" + std::to_string(i + 1);
        inlets_[i] = PlaceRadio(group, name.c_str(), kHallInlets[i].caption,
                                QPoint(12, 24 + 28 * static_cast<int>(i)));
    }
    inlets_[0]->setChecked(true);

    ChainFocus({ductLength_, ok, cancel, inlets_[0], inlets_[1], inlets_[2]});
    Finish(ok, cancel, {ductLength_});
}

void HallDialog::Accept()
{
    const double ductLength = RealField(ductLength_);
    if (Refused(this, CheckLimits({{Limited::DuctLength, ductLength}})))
        return;
    double inletLoss = state_.LossCoefficient;
    for (std::size_t i = 0; i < inlets_.size(); ++i) {
        if (inlets_[i]->isChecked())
            inletLoss = kHallInlets[i].lossCoefficient;
    }
    ApplyHall(state_, ductLength, inletLoss);
    SaveValues({FormatFixed(ductLength, 2)});
    accept();
}
