// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "compare/comparison_rows.h"
#include "files/outcome.h"

#include <QString>

#include <vector>

class QPrinter;

// Writes the comparison as CSV (ComparisonCsv) of a form to `path` as every
// file is written (ReplaceFile): either the whole file or the file on disk
// stays as it was; only a regular file is ever replaced.
Outcome WriteComparisonCsv(const QString& path, const std::vector<ComparisonRow>& rows,
                           const std::vector<int>& order, const ComparisonConditions& conditions,
                           CsvForm form = CsvForm::Plain);

// Prints the comparison on `printer`: a title, the inputs of the state as the
// report lists them, the ConditionLines, and the table (with a year of weather
// its column) in the order given, on as many pages as it
// takes; the row of `currentModel` in bold. Fails when the printer cannot
// start or finish the document; a print file is replaced only when complete.
Outcome PrintComparisonTable(QPrinter& printer, const CalcState& state,
                             const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                             const ComparisonConditions& conditions, int currentModel);
