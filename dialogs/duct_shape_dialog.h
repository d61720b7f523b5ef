// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/choice_dialog.h"

// Step 3 of the calculation wizard: the duct shape.
// "Wybór kanału": a rectangular or a round duct. Sets DuctRound; the choice is
// not kept between runs.
class DuctShapeDialog : public ChoiceDialog {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls.
    static constexpr const char* kObjectName = "OKBottomDlg333";

    explicit DuctShapeDialog(CalcState& state, QWidget* parent = nullptr);

private:
    void Choose(std::size_t index) override;
};
