#include "dialogs/dialog3333.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"
#include "ui/edit_focus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr const char* kValueFile = "dialog3333.sav";

// The grille whose name the box shows; any other text means the first one.
const AdjustableGrille& ShownGrille(const QComboBox* box)
{
    const int row = box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    return kAdjustableGrilles[row > 0 ? static_cast<std::size_t>(row) : 0];
}

} // namespace

TForm2222::TForm2222(CalcState& state, QWidget* parent)
    : FormWindow(Text("Parametry budynku"), QRect(272, 200, 334, 259), parent)
    , state_(state)
{
    const StoreyFields storeys = PlaceStoreyFields(this);
    edit1_ = storeys.height;
    edit2_ = storeys.count;

    PlaceLabel(this, "Label4", "Wybierz kratke", QPoint(8, 104));
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName("ComboBox1");
    comboBox1_->setEditable(true);
    comboBox1_->setInsertPolicy(QComboBox::NoInsert);
    for (const AdjustableGrille& grille : kAdjustableGrilles)
        comboBox1_->addItem(Text(grille.name));
    comboBox1_->setCurrentIndex(-1);
    comboBox1_->setEditText(Text(kAdjustableGrilles[0].name));
    comboBox1_->setGeometry(176, 104, 121, kEditHeight);
    SelectAllOnFocus(comboBox1_);

    PlaceLabel(this, "Label5", "Otwarcie kratki", QPoint(8, 136));
    edit4_ = PlaceEdit(this, "Edit4", QPoint(176, 136));
    PlaceLabel(this, "Label6", "(ilosc obrotow tarczy kratki 0-20)", QPoint(8, 152));

    QPushButton* button1 = PlaceButton(this, "Button1", "OK", QPoint(72, 192));
    button1->setDefault(true);
    QPushButton* button2 = PlaceButton(this, "Button2", "Anuluj", QPoint(184, 192));

    ChainFocus({edit1_, edit2_, comboBox1_, edit4_, button1, button2});
    connect(button1, &QPushButton::clicked, this, &TForm2222::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TForm2222::Button2Click);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_, edit2_, edit4_});
}

void TForm2222::Button1Click()
{
    const double storeyHeight = RealField(edit1_);
    const std::int32_t storeys = WholeField(edit2_);
    // Edit4 keeps the text as typed; the opening in use is limited to 0..20.
    const std::int32_t opening = LimitOpening(WholeField(edit4_));
    const AdjustableGrille& grille = ShownGrille(comboBox1_);
    if (Refused(this, CheckStoreyLimits(storeyHeight, storeys)))
        return;
    state_.LossCoefficient = GrilleLossCoefficient(grille, opening);
    valueFile_->Save({FormatFixed(storeyHeight, 2), FormatWhole(storeys), FormatWhole(opening)});
    ApplyStoreys(state_, storeyHeight, storeys);
    ApplyAdjustableGrille(state_, grille, opening);
    accept();
}

void TForm2222::Button2Click()
{
    reject();
}
