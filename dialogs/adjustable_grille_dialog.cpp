// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/adjustable_grille_dialog.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "ui/edit_focus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The grille whose name the box shows; any other text means the first one.
const AdjustableGrille& ShownGrille(const QComboBox* box)
{
    const int row = box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    return kAdjustableGrilles[row > 0 ? static_cast<std::size_t>(row) : 0];
}

} // namespace

AdjustableGrilleDialog::AdjustableGrilleDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Parametry budynku"),
                      QRect(272, 200, 334, 259), parent)
{
    const StoreyFields storeys = PlaceStoreyFields(this);
    storeyHeight_ = storeys.height;
    storeys_ = storeys.count;

    PlaceLabel(this, "Label4", "Wybierz kratke", QPoint(8, 104));
    grille_ = new QComboBox(this);
    grille_->setObjectName("ComboBox1");
    grille_->setEditable(true);
    grille_->setInsertPolicy(QComboBox::NoInsert);
    for (const AdjustableGrille& grille : kAdjustableGrilles)
        grille_->addItem(Text(grille.name));
    grille_->setCurrentIndex(-1);
    grille_->setEditText(Text(kAdjustableGrilles[0].name));
    grille_->setGeometry(176, 104, 121, kEditHeight);
    SelectAllOnFocus(grille_);

    PlaceLabel(this, "Label5", "Otwarcie kratki", QPoint(8, 136));
    opening_ = PlaceEdit(this, "Edit4", QPoint(176, 136));
    PlaceLabel(this, "Label6", "(ilosc obrotow tarczy kratki 0-20)", QPoint(8, 152));

    QPushButton* ok = PlaceButton(this, "Button1", "OK", QPoint(72, 192));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button2", "Anuluj", QPoint(184, 192));

    ChainFocus({storeyHeight_, storeys_, grille_, opening_, ok, cancel});
    Finish(ok, cancel, {storeyHeight_, storeys_, opening_});
}

void AdjustableGrilleDialog::Accept()
{
    const double storeyHeight = RealField(storeyHeight_);
    const std::int32_t storeys = WholeField(storeys_);
    // Edit4 keeps the text as typed; the opening in use is limited to 0..20.
    const std::int32_t opening = LimitOpening(WholeField(opening_));
    const AdjustableGrille& grille = ShownGrille(grille_);
    if (Refused(this, CheckStoreyLimits(storeyHeight, storeys)))
        return;
    SaveValues({FormatFixed(storeyHeight, 2), FormatWhole(storeys), FormatWhole(opening)});
    ApplyStoreys(state_, storeyHeight, storeys);
    ApplyAdjustableGrille(state_, grille, opening);
    accept();
}
