// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/choice_dialog.h"

#include "dialogs/input_controls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <string>

ChoiceDialog::ChoiceDialog(CalcState& state, const char* objectName, const QString& caption,
                           QSize clientSize, QWidget* parent)
    : FixedDialog(caption, clientSize, EscapeKey::Cancels, parent)
    , state_(state)
{
    setObjectName(QString::fromLatin1(objectName));
}

void ChoiceDialog::PlaceChoices(QRect group, std::string_view title,
                                const std::vector<std::string_view>& captions, QPoint first,
                                int step, std::size_t checked)
{
    QGroupBox* box = PlaceGroup(this, "RadioGroup1", title, group);
    for (std::string_view caption : captions) {
        const std::string name = "RadioButton" + std::to_string(choices_.size() + 1);
        const int y = first.y() + step * static_cast<int>(choices_.size());
        choices_.push_back(PlaceRadio(box, name.c_str(), caption, QPoint(first.x(), y)));
    }
    choices_[checked]->setChecked(true);
}

void ChoiceDialog::PlaceButtons(QPoint okPlace, QPoint cancelPlace)
{
    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", okPlace);
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "CancelBtn", "Anuluj", cancelPlace);
    SetButtons(ok, cancel);

    for (std::size_t i = 1; i < choices_.size(); ++i)
        setTabOrder(choices_[i - 1], choices_[i]);
    ChainFocus({choices_.back(), ok, cancel});
    connect(ok, &QPushButton::clicked, this, &ChoiceDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ChoiceDialog::Accept()
{
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (choices_[i]->isChecked())
            Choose(i);
    }
    accept();
}
