// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/catalogue.h"
#include "dialogs/ventilator_picture.h"
#include "ui/dialog_base.h"

#include <array>

#include <QImage>

struct CalcState;
class QByteArray;
class QEvent;
class QRadioButton;
class QShowEvent;

// Step 8 of the calculation wizard, and "Wybierz tylko wywietrznik": the ventilator model.
// The ventilator choice: the 27 catalogue models as one group of radio buttons
// beside the pictures of the nine families. OK stores the number of the model
// chosen in VentilatorIndex and nothing else; a cancel stores nothing. Created
// once, it shows on every opening the button that was checked when it closed.
class VentilatorDialog : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg_wyw";

    explicit VentilatorDialog(CalcState& state, QWidget* parent = nullptr);

    // Checks the button of model 1..27 (any other number is ignored). Writes
    // nothing into the calculation state.
    void ShowModel(int index);
    // The number 1..27 of the button checked now.
    int CheckedModel() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildChoices();
    void BuildPictures();
    void Accept();
    void OnToggled(QRadioButton* button, bool checked);
    void StepChoice(QRadioButton* from, bool forward);

    CalcState& state_;
    // buttons_[i] is RadioButton<i + 1>, the model i + 1 of the catalogue.
    std::array<QRadioButton*, kVentilatorCount> buttons_{};
    // The same buttons in their keyboard order: 1..13, 27, 14..26.
    std::array<QRadioButton*, kVentilatorCount> keyOrder_{};
};
