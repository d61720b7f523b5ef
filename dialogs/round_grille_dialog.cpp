// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/round_grille_dialog.h"

#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <string>
#include <string_view>

namespace {

struct ReferenceGrille {
    std::string_view description;
    std::string_view loss;
    int lossX; // a single digit stands a little to the right
};

// Example grilles, one a row; the blanks align the diameters.
constexpr std::array<ReferenceGrille, 5> kReferenceGrilles = {{
    {"Okrągła DVSC-80                    d=0,06", "1,6", 240},
    {"Regulowana DVSC-100           d=0,074", "1,6", 240},
    {"Całkowicie DVSC-125              d=0,097", "3,9", 240},
    {"Otwarta DVSC-150                   d=0,117", "4", 248},
    {"Otwarta DVSC-200                   d=0,155", "4,1", 240},
}};

} // namespace

RoundGrilleDialog::RoundGrilleDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry budynku"),
                      QRect(195, 96, 334, 431), parent)
{
    const StoreyFields storeys = PlaceStoreyFields(this);
    storeyHeight_ = storeys.height;
    storeys_ = storeys.count;
    PlaceLabel(this, "Label4", "Średnica kratki [m]", QPoint(8, 104));
    grilleDiameter_ = PlaceEdit(this, "Edit3", QPoint(176, 104));
    PlaceLabel(this, "Label5", "Współczynnik strat kratki", QPoint(8, 136));
    grilleLoss_ = PlaceEdit(this, "Edit4", QPoint(176, 136));

    PlaceLabel(this, "Label6", "Przykładowe wartości współczynnika strat kratek", QPoint(32, 192));
    int labelNumber = 7;
    for (std::size_t i = 0; i < kReferenceGrilles.size(); ++i) {
        const int y = 224 + 24 * static_cast<int>(i);
        const std::string description = "Label" + std::to_string(labelNumber++);
        const std::string loss = "Label" + std::to_string(labelNumber++);
        PlaceLabel(this, description.c_str(), kReferenceGrilles[i].description, QPoint(8, y));
        PlaceLabel(this, loss.c_str(), kReferenceGrilles[i].loss,
                   QPoint(kReferenceGrilles[i].lossX, y));
    }

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(48, 352));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(192, 352));

    ChainFocus({storeyHeight_, storeys_, ok, cancel, grilleDiameter_, grilleLoss_});
    Finish(ok, cancel, {storeyHeight_, storeys_, grilleDiameter_, grilleLoss_});
}

void RoundGrilleDialog::Accept()
{
    const double storeyHeight = RealField(storeyHeight_);
    const std::int32_t storeys = WholeField(storeys_);
    const double diameter = RealField(grilleDiameter_);
    const double loss = RealField(grilleLoss_);
    if (Refused(this, CheckStoreyLimits(storeyHeight, storeys)) ||
        Refused(this,
                CheckLimits({{Limited::GrilleSize, diameter}, {Limited::LossCoefficient, loss}})))
        return;
    SaveValues({FormatFixed(storeyHeight, 2), FormatWhole(storeys), FormatFixed(diameter, 2),
                FormatFixed(loss, 2)});
    ApplyStoreys(state_, storeyHeight, storeys);
    ApplyRoundGrille(state_, diameter, loss);
    accept();
}
