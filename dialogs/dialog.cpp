#include "dialogs/dialog.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr const char* kValueFile = "dialog.sav";
}

TOKBottomDlg::TOKBottomDlg(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Dobór parametrów"), QSize(315, 184), EscapeKey::Ignored, parent)
    , state_(state)
{
    PlaceBevel(this, "Bevel1", QRect(8, 8, 299, 129));
    PlaceLabel(this, "Label1", "Proszę podać parametry", QPoint(20, 20));
    PlaceLabel(this, "Label2", "Gęstość Ro [kg/m3]", QPoint(20, 56));
    edit1_ = PlaceEdit(this, "Edit1", QPoint(172, 52));
    PlaceLabel(this, "Label3", "Prędkość wiatru [m/s]", QPoint(20, 96));
    edit2_ = PlaceEdit(this, "Edit2", QPoint(172, 92));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(151, 149));
    ok->setDefault(true);
    QPushButton* button1 = PlaceButton(this, "Button1", "Anuluj", QPoint(232, 149));

    ChainFocus({edit1_, edit2_, ok, button1});
    connect(ok, &QPushButton::clicked, this, &TOKBottomDlg::OKBtnClick);
    connect(button1, &QPushButton::clicked, this, &QDialog::reject);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_, edit2_});
}

void TOKBottomDlg::OKBtnClick()
{
    const double density = RealField(edit1_);
    const double windSpeed = RealField(edit2_);
    if (Refused(this,
                CheckLimits({{Limited::AirDensity, density}, {Limited::WindSpeed, windSpeed}})))
        return;
    ApplyTypedAir(state_, density, windSpeed);
    valueFile_->Save({FormatFixed(density, 2), FormatFixed(windSpeed, 1)});
    accept();
}
