#include "dialogs/dialog22.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr const char* kValueFile = "dialog22.sav";
}

TForm4::TForm4(CalcState& state, QWidget* parent)
    : FormWindow(Text("Parametry kanału"), QRect(248, 190, 308, 153), parent)
    , state_(state)
{
    PlaceLabel(this, "Label2", "Proszę podać parametry kanału", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Średnica kanału [m]", QPoint(16, 52));
    edit1_ = PlaceEdit(this, "Edit1", QPoint(168, 48));

    QPushButton* button1 = PlaceButton(this, "Button1", "OK", QPoint(64, 104));
    button1->setDefault(true);
    QPushButton* button2 = PlaceButton(this, "Button2", "Anuluj", QPoint(168, 104));

    ChainFocus({button1, edit1_, button2});
    connect(button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TForm4::Button2Click);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_});
}

void TForm4::Button1Click()
{
    const double diameter = RealField(edit1_);
    if (Refused(this, CheckLimits({{Limited::DuctSize, diameter}})))
        return;
    state_.DuctDiameter = diameter;
    valueFile_->Save({FormatFixed(diameter, 2)});
    ApplyRoundDuct(state_, diameter); // and the area, after the file
    accept();
}

void TForm4::Button2Click()
{
    reject();
}
