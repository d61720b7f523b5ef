#include "dialogs/dialog3.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

namespace {
constexpr const char* kValueFile = "dialog3.sav";
}

TForm2::TForm2(CalcState& state, QWidget* parent)
    : FormWindow(Text("Parametry hali"), QRect(232, 180, 331, 258), parent)
    , state_(state)
{
    PlaceLabel(this, "Label3", "Proszę podać parametry hali", QPoint(16, 16));
    PlaceLabel(this, "Label1", "Dlugość kanału [m]", QPoint(16, 52));
    edit1_ = PlaceEdit(this, "Edit1", QPoint(176, 48));

    QPushButton* button1 = PlaceButton(this, "Button1", "OK", QPoint(88, 216));
    button1->setDefault(true);
    QPushButton* button2 = PlaceButton(this, "Button2", "Anuluj", QPoint(168, 216));

    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Rodzaj wlotu kanału", QRect(16, 88, 299, 113));
    for (std::size_t i = 0; i < radioButtons_.size(); ++i) {
        const std::string name = "RadioButton" + std::to_string(i + 1);
        radioButtons_[i] = PlaceRadio(group, name.c_str(), kHallInlets[i].caption,
                                      QPoint(12, 24 + 28 * static_cast<int>(i)));
    }
    radioButtons_[0]->setChecked(true);

    ChainFocus({edit1_, button1, button2, radioButtons_[0], radioButtons_[1], radioButtons_[2]});
    connect(button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TForm2::Button2Click);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_});
}

void TForm2::Button1Click()
{
    const double ductLength = RealField(edit1_);
    if (Refused(this, CheckLimits({{Limited::DuctLength, ductLength}})))
        return;
    double inletLoss = state_.LossCoefficient;
    for (std::size_t i = 0; i < radioButtons_.size(); ++i) {
        if (radioButtons_[i]->isChecked())
            inletLoss = kHallInlets[i].lossCoefficient;
    }
    ApplyHall(state_, ductLength, inletLoss);
    valueFile_->Save({FormatFixed(ductLength, 2)});
    accept();
}

void TForm2::Button2Click()
{
    reject();
}
