// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/refused_field.h"

#include <QBrush>
#include <QColor>
#include <QLabel>
#include <QLineEdit>

void MarkRefused(QLineEdit* edit, const QString& reason, const QString& hint)
{
    edit->setStyleSheet(reason.isEmpty() ? QString()
                                         : QStringLiteral("QLineEdit { border: 2px solid %1; }")
                                               .arg(QColor(kRefusedFrameColour).name()));
    edit->setToolTip(reason.isEmpty() ? hint : reason);
}

void ShowReasonsIn(QLabel* label, bool bold)
{
    label->setStyleSheet(QStringLiteral("color: %1%2")
                             .arg(QColor(kRefusedTextColour).name(),
                                  bold ? QStringLiteral("; font-weight: bold") : QString()));
}

QVariant RefusedCellData(int role)
{
    if (role == Qt::BackgroundRole)
        return QBrush(QColor(kRefusedCellColour));
    if (role == Qt::ForegroundRole)
        return QBrush(QColor(kRefusedTextColour));
    return {};
}
