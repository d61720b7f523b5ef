// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What a workbook holds, before any file format: sheets of a table with typed
// cells and lines of text. The CSV and the XLSX workbook of one table are made
// from the same cells, so that the workbook's numbers are the CSV's. Plain C++.

// One cell: its text as the plain CSV writes it (a decimal point) and, when
// that text is a number, the number a workbook stores.
struct WorkbookCell {
    std::string text;
    bool number = false; // `value` with `decimals` digits after the point
    double value = 0.0;
    int decimals = 0;
    bool alarm = false; // shown in red ("NIE SPEŁNIA")
};

// A cell of `text`. When `numeric` and the text is a plain decimal number
// ("12", "-0.160", as FormatFixed and FormatWhole write them), the cell holds
// that number; any other text ("brak", "–", "") stays text.
WorkbookCell MakeWorkbookCell(std::string text, bool numeric = false);

// A table: a header row, then rows of as many cells.
struct WorkbookTable {
    std::vector<std::string> headers;
    std::vector<std::vector<WorkbookCell>> rows;
};

// One sheet: its table (none when without headers) and, below it after a
// blank row (or alone), lines of text in the first column.
struct WorkbookSheet {
    std::string name;
    WorkbookTable table;
    std::vector<std::string> lines;
};

using Workbook = std::vector<WorkbookSheet>;
