// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "ui/dialog_base.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <string_view>
#include <vector>

class QRadioButton;

// A wizard step that offers one choice among a few: a group of radio buttons
// (RadioGroup1 with RadioButton1, RadioButton2, …), OK and "Anuluj" (Esc).
// OK stores the checked choice in the calculation state; the choice itself is
// not kept between runs. A dialog built on it lays out its choices and says
// what a choice sets.
class ChoiceDialog : public FixedDialog {
    Q_OBJECT
protected:
    // objectName: the designer's name; caption and client size of the window.
    ChoiceDialog(CalcState& state, const char* objectName, const QString& caption, QSize clientSize,
                 QWidget* parent);

    // Places the group with its title and one button a caption, the first at
    // `first` in the group and each next one `step` lower; checks `checked`.
    void PlaceChoices(QRect group, std::string_view title,
                      const std::vector<std::string_view>& captions, QPoint first, int step,
                      std::size_t checked = 0);
    // Places OK and "Anuluj" and chains the focus: the choices, OK, "Anuluj".
    void PlaceButtons(QPoint ok, QPoint cancel);

    QRadioButton* Choice(std::size_t index) const { return choices_[index]; }

    // Stores the choice `index` (0 for RadioButton1) in the state.
    virtual void Choose(std::size_t index) = 0;

    CalcState& state_;

private:
    void Accept();

    std::vector<QRadioButton*> choices_;
};
