// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"
#include "files/workbook.h"

#include <QByteArray>
#include <QString>

// The workbook as an XLSX file (Office Open XML), through libxlsxwriter. Each
// table has its header row bold and frozen, a filter on its columns and the
// columns as wide as their texts; numbers are stored as numbers, shown with
// their decimals; an alarm cell is red. Every text goes in as VisibleText
// writes it.

// The bytes of the file. The library writes into a temporary directory of
// its own, which is removed; every error of the library fails with a Polish
// reason ("Nie można utworzyć skoroszytu XLSX: …").
Result<QByteArray> XlsxBytes(const Workbook& workbook);

// The file at `path`, replaced whole through ReplaceFile (files/safe_file.h):
// a failed write never leaves part of a file.
Outcome WriteXlsxFile(const QString& path, const Workbook& workbook);
