#include "dialogs/dialog2.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr const char* kValueFile = "dialog2.sav";
}

TForm1::TForm1(CalcState& state, QWidget* parent)
    : FormWindow(Text("Parametry kanału"), QRect(240, 180, 340, 173), parent)
    , state_(state)
{
    PlaceLabel(this, "Label2", "Proszę podać wymiary kanału", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Długość [m]", QPoint(16, 52));
    edit1_ = PlaceEdit(this, "Edit1", QPoint(184, 48));
    PlaceLabel(this, "Label3", "Szerokość [m]", QPoint(16, 84));
    edit2_ = PlaceEdit(this, "Edit2", QPoint(184, 80));

    QPushButton* button1 = PlaceButton(this, "Button1", "OK", QPoint(80, 128));
    button1->setDefault(true);
    QPushButton* button2 = PlaceButton(this, "Button2", "Anuluj", QPoint(184, 128));

    ChainFocus({edit1_, edit2_, button1, button2});
    connect(button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TForm1::Button2Click);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_, edit2_});
}

void TForm1::Button1Click()
{
    const double sideA = RealField(edit1_);
    const double sideB = RealField(edit2_);
    // The sides are tried on a copy first: a refused pair saves and stores nothing.
    CalcState trial = state_;
    if (const Refusal refusal = ApplyRectangularDuct(trial, sideA, sideB);
        refusal != Refusal::None) {
        ShowRefusal(this, refusal);
        return;
    }
    if (Refused(this, CheckLimits({{Limited::DuctSize, sideA}, {Limited::DuctSize, sideB}})))
        return;
    valueFile_->Save({FormatFixed(sideA, 2), FormatFixed(sideB, 2)});
    ApplyRectangularDuct(state_, sideA, sideB);
    accept();
}

void TForm1::Button2Click()
{
    reject();
}
