// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"

#include <QString>

// The program's Result (calc/result.h) where the reason is written with Qt's
// strings: a failure made from a QString, and its reason read back as one.

inline Failure FailureOf(const QString& reason)
{
    return Failure{reason.toStdString()};
}

template <typename R> QString ReasonOf(const R& result)
{
    return QString::fromStdString(result.Reason());
}

// ShowOutcome (ui/show_message.h) tells the user the reason.
