// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/rectangular_grille_dialog.h"

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
};

// Example grilles in two columns of six rows; the blanks align the sizes.
constexpr std::array<ReferenceGrille, 12> kReferenceGrilles = {{
    {"Prostokątna MCV 20 i MLG 20    0,222x0,255", "4,6"},
    {"Prostokątna MCV 25 i MLG 25    0,272x0,305", "2,8"},
    {"Firmy MAIC MCV 30 i MLG 30      0,322x0,355", "2,5"},
    {"Firmy MAIC MCV 35 i MLG 35      0,372x0,405", "2,1"},
    {"Kwadratowa Typ A                        0,15x0,15", "15"},
    {"Łopatki pod kątem 45 st Typ A     0,2x0,2", "15"},
    {"Łopatki pod kątem 45 st Typ A     0,25x0,25", "15"},
    {"Firmy AIRCELLTyp A                     0,3x0,3", "15"},
    {"Kwadratowa Typ G                        0,15x0,15", "3,3"},
    {"Łopatki pod kątem 0 st Typ G       0,2x0,2", "3,3"},
    {"Łopatki pod kątem 0 st Typ G       0,25x0,25", "3,3"},
    {"Firmy AIRCELL Typ G                    0,3x0,3", "3,3"},
}};

constexpr int kRowsPerColumn = 6;

} // namespace

RectangularGrilleDialog::RectangularGrilleDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry budynku"),
                      QRect(195, 96, 598, 469), parent)
{
    const StoreyFields storeys = PlaceStoreyFields(this);
    storeyHeight_ = storeys.height;
    storeys_ = storeys.count;
    PlaceLabel(this, "Label4", "Wysokość kratki [m]", QPoint(8, 104));
    grilleHeight_ = PlaceEdit(this, "Edit3", QPoint(176, 104));
    PlaceLabel(this, "Label5", "Szerokość kratki [m]", QPoint(8, 136));
    grilleWidth_ = PlaceEdit(this, "Edit4", QPoint(176, 136));
    PlaceLabel(this, "Label6", "Współczynnik strat kratki", QPoint(8, 168));
    grilleLoss_ = PlaceEdit(this, "Edit5", QPoint(176, 168));

    PlaceLabel(this, "Label7", "Przykładowe wartości współczynnika strat kratek", QPoint(152, 200));
    int labelNumber = 8;
    for (std::size_t i = 0; i < kReferenceGrilles.size(); ++i) {
        const int column = static_cast<int>(i) / kRowsPerColumn;
        const int y = 224 + 24 * (static_cast<int>(i) % kRowsPerColumn);
        const std::string description = "Label" + std::to_string(labelNumber++);
        const std::string loss = "Label" + std::to_string(labelNumber++);
        PlaceLabel(this, description.c_str(), kReferenceGrilles[i].description,
                   QPoint(8 + 296 * column, y));
        PlaceLabel(this, loss.c_str(), kReferenceGrilles[i].loss, QPoint(240 + 296 * column, y));
    }

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(200, 384));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(304, 384));

    ChainFocus({storeyHeight_, storeys_, ok, cancel, grilleHeight_, grilleWidth_, grilleLoss_});
    Finish(ok, cancel, {storeyHeight_, storeys_, grilleHeight_, grilleWidth_, grilleLoss_});
}

void RectangularGrilleDialog::Accept()
{
    const double storeyHeight = RealField(storeyHeight_);
    const std::int32_t storeys = WholeField(storeys_);
    const double height = RealField(grilleHeight_);
    const double width = RealField(grilleWidth_);
    const double loss = RealField(grilleLoss_);
    if (Refused(this, CheckStoreyLimits(storeyHeight, storeys)) ||
        Refused(this, CheckLimits({{Limited::GrilleSize, height},
                                   {Limited::GrilleSize, width},
                                   {Limited::LossCoefficient, loss}})))
        return;
    SaveValues({FormatFixed(storeyHeight, 2), FormatWhole(storeys), FormatFixed(height, 2),
                FormatFixed(width, 2), FormatFixed(loss, 2)});
    ApplyStoreys(state_, storeyHeight, storeys);
    ApplyRectangularGrille(state_, height, width, loss);
    accept();
}
