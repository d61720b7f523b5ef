// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/stack_draught.h"

#include <QGroupBox>
#include <QString>

#include <optional>

struct CalcState;
class QCheckBox;
class QLabel;
class QLineEdit;

// "Ciąg grawitacyjny" of the comparison window: off by default; when ticked,
// the window finds every operating point by the wind and the gravity draught
// together, with the temperatures inside and outside and the height H typed
// here (H empty: the duct length L of the calculation). Numbers follow the
// strict rule of the command line, with a decimal point or comma; a field
// that is refused gets a red frame and a hint naming the problem, and the
// draught is left out until it is mended (Problem says why).
class StackGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit StackGroup(QWidget* parent = nullptr);

    // The conditions to use, or none: unticked, or a field refused. Marks
    // the refused fields. dps is at the ambient `pressure` [Pa].
    std::optional<StackConditions> Conditions(const CalcState& state,
                                              double pressure = kStackPressure) const;
    // Why the last Conditions left the draught out although it is ticked;
    // empty when it did not.
    const QString& Problem() const { return problem_; }

    // "wiatr + ciąg grawitacyjny (ti = 20.0 °C, te = 12.0 °C, H = 5.00 m)".
    static QString Caption(const StackConditions& conditions);

    // Shows the duct length that an empty H stands for.
    void ShowDuctLength(double length);

signals:
    void Changed();

private:
    QCheckBox* enabled_ = nullptr;
    QLineEdit* inside_ = nullptr;
    QLineEdit* outside_ = nullptr;
    QLineEdit* height_ = nullptr;
    mutable QString problem_;
};
