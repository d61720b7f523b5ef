// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// A picture painted on white, smoothed, at `size`, written as PNG through the
// safe writer: the whole file or none, and the reason when it cannot be.
Outcome SavePaintedPng(const QString& path, QSize size,
                       const std::function<void(QPainter&)>& paint);
