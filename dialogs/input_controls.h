// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/refusal.h"
#include "ui/place.h"
#include "ui/text.h"

#include <cstdint>

class QLineEdit;
class QWidget;

// Builders and field readers shared by the input dialogs, on top of the
// placing helpers of ui/.

// The first rows of every building dialog: the heading (Label1), then the
// storey height (Label2, Edit1) and the storey count (Label3, Edit2).
struct StoreyFields {
    QLineEdit* height;
    QLineEdit* count;
};
StoreyFields PlaceStoreyFields(QWidget* parent);

// An edit field converted as atof and atol do; a real-valued field also takes
// a decimal comma for the decimal point.
double RealField(const QLineEdit* edit);
std::int32_t WholeField(const QLineEdit* edit);

// Tells the user why the input of `dialog` was refused; the dialog stays open.
void ShowRefusal(QWidget* dialog, Refusal refusal);

// Shows the refusal as ShowRefusal does and returns true; false for None.
bool Refused(QWidget* dialog, Refusal refusal);
