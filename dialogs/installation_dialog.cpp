#include "dialogs/installation_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 4> kInstallations = {
    "Hala",
    "Budynek wielokondygnacyjny - kratka prostokątna",
    "Budynek wielokondygnacyjny - kratka okrągła nieregulowana",
    "Budynek wielokondygnacyjny - kratka okrągła regulowana",
};

} // namespace

TOKBottomDlg3333::TOKBottomDlg3333(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór typu instalacji"), QSize(356, 195), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Proszę wybrać typ instalacji", QRect(8, 8, 340, 141));
    for (std::size_t i = 0; i < radioButtons_.size(); ++i) {
        const std::string name = "RadioButton" + std::to_string(i + 1);
        radioButtons_[i] = PlaceRadio(group, name.c_str(), kInstallations[i],
                                      QPoint(6, 26 + 28 * static_cast<int>(i)));
    }
    radioButtons_[0]->setChecked(true);

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(192, 160));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(273, 160));

    ChainFocus(
        {radioButtons_[0], radioButtons_[1], radioButtons_[2], radioButtons_[3], ok, cancel});
    connect(ok, &QPushButton::clicked, this, &TOKBottomDlg3333::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlg3333::OKBtnClick()
{
    for (std::size_t i = 0; i < radioButtons_.size(); ++i) {
        if (radioButtons_[i]->isChecked())
            state_.InstallationType = static_cast<std::int32_t>(i);
    }
    accept();
}
