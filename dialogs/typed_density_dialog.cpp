// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/typed_density_dialog.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QLineEdit>
#include <QPushButton>

TypedDensityDialog::TypedDensityDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Dobór parametrów"), QSize(315, 184),
                      EscapeKey::Ignored, parent)
{
    PlaceBevel(this, "Bevel1", QRect(8, 8, 299, 129));
    PlaceLabel(this, "Label1", "Proszę podać parametry", QPoint(20, 20));
    PlaceLabel(this, "Label2", "Gęstość Ro [kg/m3]", QPoint(20, 56));
    density_ = PlaceEdit(this, "Edit1", QPoint(172, 52));
    PlaceLabel(this, "Label3", "Prędkość wiatru [m/s]", QPoint(20, 96));
    windSpeed_ = PlaceEdit(this, "Edit2", QPoint(172, 92));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(151, 149));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button1", "Anuluj", QPoint(232, 149));

    ChainFocus({density_, windSpeed_, ok, cancel});
    Finish(ok, cancel, {density_, windSpeed_});
}

void TypedDensityDialog::Accept()
{
    const double density = RealField(density_);
    const double windSpeed = RealField(windSpeed_);
    if (Refused(this,
                CheckLimits({{Limited::AirDensity, density}, {Limited::WindSpeed, windSpeed}})))
        return;
    ApplyTypedAir(state_, density, windSpeed);
    SaveValues({FormatFixed(density, 2), FormatFixed(windSpeed, 1)});
    accept();
}
