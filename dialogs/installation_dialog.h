// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/choice_dialog.h"

// Step 6 of the calculation wizard: hall or building.
// "Wybór typu instalacji": a hall or one of the three kinds of building.
// Sets InstallationType; the choice is not kept between runs.
class InstallationDialog : public ChoiceDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg3333";

    explicit InstallationDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Choose(std::size_t index) override;
};
