// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"
#include "report/selection_sheet.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The selection sheets painted as a PDF document: A4, margins of 12 mm, one
// page a sheet with the comparison's two charts of its model at the design
// wind and the picture of its family; before them, where given, the index
// page of a schedule. Painted in memory; needs a QApplication (the charts are
// widgets) and the ventilator pictures' resources.
struct SheetIndexPage {
    std::string title;
    std::vector<std::string> heading; // the program, the date, the project
    SheetTable table;
};

// The whole document; empty when it could not be painted.
QByteArray SelectionSheetsPdf(const std::vector<SheetCase>& cases,
                              const std::optional<SheetIndexPage>& index = std::nullopt);

// Writes the document to `path` as every print file is written
// (ReplacePrintFile): whole, or the file on disk stays as it was.
Outcome WriteSelectionSheets(const QString& path, const std::vector<SheetCase>& cases,
                             const std::optional<SheetIndexPage>& index = std::nullopt);

// The date of a sheet ("2026-12-08") and the program's version.
std::string SheetDate();
std::string SheetVersion();
