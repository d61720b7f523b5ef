// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/comparison_workbook.h"

namespace {

bool Numeric(int column)
{
    switch (column) {
    case kColumnNumber:
    case kColumnFlow:
    case kColumnFlowPerHour:
    case kColumnSuction:
    case kColumnVelocity:
    case kColumnDiameter:
    case kColumnYearShare:
        return true;
    default:
        return false;
    }
}

} // namespace

Workbook ComparisonWorkbook(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                            const ComparisonConditions& conditions)
{
    const bool needSet = conditions.neededFlowPerHour > 0.0;
    const std::vector<int> columns = ComparisonColumns(needSet, HasYearShares(rows));
    WorkbookTable table;
    for (int column : columns)
        table.headers.emplace_back(ComparisonHeader(column));
    if (needSet)
        table.headers.emplace_back("Proponowany");
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        const ComparisonRow& row = rows[static_cast<std::size_t>(position)];
        std::vector<WorkbookCell>& cells = table.rows.emplace_back();
        for (int column : columns)
            cells.push_back(MakeWorkbookCell(ComparisonCell(row, column), Numeric(column)));
        if (needSet)
            cells.push_back(MakeWorkbookCell(row.suggested ? "tak" : ""));
    }
    return {WorkbookSheet{"Założenia", {}, ConditionLines(conditions)},
            WorkbookSheet{"Wywietrzniki", std::move(table), {}}};
}
