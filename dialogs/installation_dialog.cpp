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

InstallationDialog::InstallationDialog(CalcState& state, QWidget* parent)
    : FixedDialog(Text("Wybór typu instalacji"), QSize(356, 195), EscapeKey::Cancels, parent)
    , state_(state)
{
    QGroupBox* group =
        PlaceGroup(this, "RadioGroup1", "Proszę wybrać typ instalacji", QRect(8, 8, 340, 141));
    for (std::size_t i = 0; i < installations_.size(); ++i) {
        const std::string name = "RadioButton" + std::to_string(i + 1);
        installations_[i] = PlaceRadio(group, name.c_str(), kInstallations[i],
                                       QPoint(6, 26 + 28 * static_cast<int>(i)));
    }
    installations_[0]->setChecked(true);

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(192, 160));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", QPoint(273, 160));

    ChainFocus(
        {installations_[0], installations_[1], installations_[2], installations_[3], ok, cancel});
    connect(ok, &QPushButton::clicked, this, &InstallationDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void InstallationDialog::Accept()
{
    for (std::size_t i = 0; i < installations_.size(); ++i) {
        if (installations_[i]->isChecked())
            state_.InstallationType = static_cast<std::int32_t>(i);
    }
    accept();
}
