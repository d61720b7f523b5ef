// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A hint of the program has the form "short|long": the short half is a
// tooltip, the long half goes to the status line. A hint without a bar is both.
struct Hint {
    QString shortText;
    QString longText;
};

inline Hint SplitHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return Hint{hint, hint};
    return Hint{hint.left(bar), hint.mid(bar + 1)};
}
