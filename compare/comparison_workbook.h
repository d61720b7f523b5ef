// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compare/comparison_rows.h"
#include "files/workbook.h"

// The comparison as a workbook: "Założenia", the ConditionLines, and
// "Wywietrzniki", the table of the CSV in the order given (the columns of
// ComparisonColumns, with a year of weather its column, and, with a need,
// "Proponowany"), Nr, Q, Qh, DPsw, c, Dn and the year's share stored as
// numbers. Plain C++.
Workbook ComparisonWorkbook(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                            const ComparisonConditions& conditions);
