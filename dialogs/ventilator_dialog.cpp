// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ventilator_dialog.h"

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/inputs.h"
#include "dialogs/ventilator_picture.h"
#include "ui/text.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The place of one radio button (its caption is VentilatorCaption): column 0
// (left) or 1 (right) and row 1..14 of the frame. Position i holds
// RadioButton<i + 1>.
struct Choice {
    int column;
    int row;
};

constexpr std::array<Choice, kVentilatorCount> kChoices = {{
    {0, 1},  {0, 2},  {0, 3},  {0, 4},  {0, 5},  {0, 6},  {0, 7},  {0, 8},  {0, 9},
    {0, 10}, {0, 11}, {0, 12}, {0, 13}, {1, 1},  {1, 2},  {1, 3},  {1, 4},  {1, 5},
    {1, 6},  {1, 7},  {1, 8},  {1, 9},  {1, 10}, {1, 11}, {1, 12}, {1, 13}, {0, 14},
}};

// The Tab order of the models: the left column, the model below it, the right column.
constexpr std::array<int, kVentilatorCount> kKeyOrder = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 27,
    14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
};

// The frame of the buttons and the places of the buttons inside it.
constexpr QRect kFrame(8, 8, 296, 364);
constexpr int kFirstRowTop = 20;
constexpr int kRowPitch = 24;
constexpr int kButtonHeight = 20;
constexpr std::array<int, 2> kColumnLeft = {12, 180};
constexpr std::array<int, 2> kColumnWidth = {164, 110};

// One family picture: the control's number, its JPEG resource, its display
// area, and the label to the right of the area.
struct Picture {
    int number;
    const char* resource;
    QRect area;
    const char* label;
};

constexpr int kMiddleColumn = 318;
constexpr int kRightColumn = 474;
constexpr int kLabelGap = 6;
constexpr int kLabelWidth = 64;
constexpr int kLabelHeight = 16;

constexpr std::array<Picture, 9> kPictures = {{
    {1, ":/pictures/kalmo.jpg", QRect(kMiddleColumn, 8, 73, 89), "KALMO"},
    {2, ":/pictures/traven.jpg", QRect(kMiddleColumn, 106, 73, 73), "TRAVEN"},
    {3, ":/pictures/ostrel.jpg", QRect(kMiddleColumn, 188, 73, 57), "OSTREL"},
    {7, ":/pictures/luma.jpg", QRect(kMiddleColumn, 254, 41, 41), "LUMA"},
    {9, ":/pictures/mirt.jpg", QRect(kMiddleColumn, 304, 73, 65), "MIRT-160"},
    {4, ":/pictures/biva.jpg", QRect(kRightColumn, 8, 73, 49), "BIVA"},
    {5, ":/pictures/vesk.jpg", QRect(kRightColumn, 66, 73, 65), "VESK"},
    {6, ":/pictures/savo.jpg", QRect(kRightColumn, 140, 73, 65), "SAVO"},
    {8, ":/pictures/dorna.jpg", QRect(kRightColumn, 214, 73, 65), "DORNA"},
}};

constexpr QRect kOkButton(472, 388, 75, 25);
constexpr QRect kCancelButton(556, 388, 75, 25);

// A radio button of the choice. The dialog keeps the 27 buttons one group by
// its own hand: Qt's grouping would leave only the checked button in the Tab
// order. A click on the checked button leaves it checked.
class ChoiceButton : public QRadioButton {
public:
    ChoiceButton(const QString& caption, QWidget* parent)
        : QRadioButton(caption, parent)
    {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override { setChecked(true); }
};

} // namespace

VentilatorDialog::VentilatorDialog(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór wywietrznika"), QSize(639, 425), EscapeKey::Cancels, parent)
    , state_(state)
{
    setObjectName("OKBottomDlg_wyw");
    BuildChoices();
    BuildPictures();

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setGeometry(kOkButton);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &VentilatorDialog::Accept);

    auto* cancel = new QPushButton("Anuluj", this);
    cancel->setObjectName("CancelBtn");
    cancel->setGeometry(kCancelButton);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetButtons(ok, cancel);

    for (std::size_t i = 1; i < keyOrder_.size(); ++i)
        setTabOrder(keyOrder_[i - 1], keyOrder_[i]);
    setTabOrder(keyOrder_.back(), ok);
    setTabOrder(ok, cancel);
}

void VentilatorDialog::BuildChoices()
{
    auto* frame = new QGroupBox(QString::fromUtf8("Proszę wybrać wywietrznik"), this);
    frame->setObjectName("RadioGroup1");
    frame->setGeometry(kFrame);

    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        const Choice& choice = kChoices[i];
        auto* button =
            new ChoiceButton(Text(VentilatorCaption(static_cast<std::int32_t>(i) + 1)), frame);
        button->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        button->setGeometry(kColumnLeft[choice.column], kFirstRowTop + (choice.row - 1) * kRowPitch,
                            kColumnWidth[choice.column], kButtonHeight);
        button->installEventFilter(this);
        connect(button, &QRadioButton::toggled, this,
                [this, button](bool checked) { OnToggled(button, checked); });
        buttons_[i] = button;
    }
    for (std::size_t i = 0; i < kKeyOrder.size(); ++i)
        keyOrder_[i] = buttons_[kKeyOrder[i] - 1];
    buttons_.front()->setChecked(true);
}

void VentilatorDialog::BuildPictures()
{
    for (const Picture& picture : kPictures) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(picture.number));
        image->setGeometry(picture.area);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setScaledContents(false);
        // A picture that cannot be read leaves its area empty.
        const QImage decoded = PictureFromResource(picture.resource);
        if (!decoded.isNull())
            image->setPixmap(QPixmap::fromImage(decoded));

        auto* label = new QLabel(QString::fromUtf8(picture.label), this);
        label->setObjectName(QStringLiteral("Label%1").arg(picture.number));
        label->setGeometry(picture.area.right() + 1 + kLabelGap,
                           picture.area.top() + (picture.area.height() - kLabelHeight) / 2,
                           kLabelWidth, kLabelHeight);
    }
}

void VentilatorDialog::ShowModel(int index)
{
    if (index >= 1 && index <= kVentilatorCount)
        buttons_[index - 1]->setChecked(true);
}

int VentilatorDialog::CheckedModel() const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked())
            return static_cast<int>(i) + 1;
    return 0; // never: one button is always checked
}

void VentilatorDialog::Accept()
{
    ApplyVentilatorIndex(state_, CheckedModel());
    accept();
}

void VentilatorDialog::OnToggled(QRadioButton* button, bool checked)
{
    if (!checked)
        return;
    for (QRadioButton* other : buttons_)
        if (other != button && other->isChecked())
            other->setChecked(false);
}

// The arrow keys move through the group in its Tab order, round from the last
// button to the first, checking the button they reach.
void VentilatorDialog::StepChoice(QRadioButton* from, bool forward)
{
    const auto count = static_cast<int>(keyOrder_.size());
    for (int i = 0; i < count; ++i) {
        if (keyOrder_[i] != from)
            continue;
        QRadioButton* to = keyOrder_[(i + (forward ? 1 : count - 1)) % count];
        to->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        to->setChecked(true);
        return;
    }
}

bool VentilatorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QRadioButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (button && plain) {
            switch (key->key()) {
            case Qt::Key_Down:
            case Qt::Key_Right:
                StepChoice(button, true);
                return true;
            case Qt::Key_Up:
            case Qt::Key_Left:
                StepChoice(button, false);
                return true;
            default:
                break;
            }
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

// Each opening starts on the checked button, as a group of radio buttons does.
void VentilatorDialog::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (const int model = CheckedModel(); model >= 1)
        buttons_[model - 1]->setFocus(Qt::ActiveWindowFocusReason);
}
