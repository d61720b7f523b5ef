// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QString>
#include <QVariant>

class QLabel;
class QLineEdit;

// The one home of the red in which the windows show a refused input: the
// frame of a refused field, the text of a reason, a refused table cell.

// The frame of a refused field.
inline constexpr QRgb kRefusedFrameColour = qRgb(0xD0, 0x00, 0x00);
// The text of a reason and of a refused cell.
inline constexpr QRgb kRefusedTextColour = qRgb(0xB0, 0x00, 0x00);
// The background of a refused cell.
inline constexpr QRgb kRefusedCellColour = qRgb(0xFF, 0xC8, 0xC8);

// The field with a red frame and its reason as its tooltip when `reason` is
// not empty; else plain, with `hint` as its tooltip.
void MarkRefused(QLineEdit* edit, const QString& reason, const QString& hint = QString());

// The label writes its reasons in the red of a reason, bold or not.
void ShowReasonsIn(QLabel* label, bool bold = false);

// What a table model gives a refused cell for `role`: its background and its
// text in red; nothing for the other roles.
QVariant RefusedCellData(int role);
