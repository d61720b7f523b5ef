#pragma once

#include "calc_state.h"
#include "comparison_table.h"

#include <QString>

#include <vector>

class QFileDevice;
class QPrinter;

// Why a file could not be written, in Polish, from the file's error.
QString FileErrorText(const QFileDevice& file);

// Writes the comparison as CSV (ComparisonCsv) to `path` through a save file:
// either the whole file is written or the file on disk stays as it was. False
// with a Polish reason in `error` on failure.
bool WriteComparisonCsv(const QString& path, const std::vector<ComparisonRow>& rows,
                        const std::vector<int>& order, QString* error = nullptr);

// Prints the comparison on `printer`: a title, the inputs of the state as the
// report lists them, and the table in the order given, on as many pages as it
// takes; the row of `currentModel` in bold. False with a Polish reason in
// `error` when the printer cannot start or finish the document.
bool PrintComparisonTable(QPrinter& printer, const CalcState& state,
                          const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                          int currentModel, QString* error = nullptr);
