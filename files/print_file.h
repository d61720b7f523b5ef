// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QByteArray>
#include <QString>

// True when `pdf` is a whole PDF document: it begins with its header and ends
// with its cross-reference table, its trailer and "%%EOF". A PDF engine that
// could not write everything leaves a document without them.
bool PdfComplete(const QByteArray& pdf);

// Replaces the file at `path` by the printed PDF document, as every file is
// replaced (ReplaceFile), but only when the document is complete; otherwise
// the old file stays and the reason is told.
Outcome ReplacePrintFile(const QString& path, const QByteArray& pdf);
