// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_sheet.h"

#include "cli/cli_stack.h"
#include "compare/sheet_pdf.h"
#include "report/selection_sheet.h"

#include <QFileInfo>

namespace {

int Written(const Outcome& written, int status, std::string& err)
{
    if (written)
        return status;
    err += "wywietrznik-cli: " + written.Reason() + '\n';
    return kExitFile;
}

} // namespace

int WriteCalculationSheet(const CliRequest& request, const CliInputs& inputs, int status,
                          std::string& err)
{
    // Without --stack, the draught of the calm day and of both is the
    // default one that --stack 20,12 gives.
    StackConditions stack;
    if (request.stack) {
        stack = StackOf(request, inputs);
    } else {
        stack = DefaultStackConditions(inputs.state);
        stack.pressure = inputs.ambientPressure;
    }
    const SheetCase sheet = CalculationSheetCase(
        inputs.state, request.model, stack, request.stack ? kStackFromOption : kStackFromDefaults,
        request.stack.has_value(), request.need);
    return Written(WriteSelectionSheets(QString::fromStdString(request.sheet), {sheet}), status,
                   err);
}

int WriteScheduleSheets(const CliRequest& request, const Schedule& schedule,
                        const ScheduleResult& result, int status, std::string& err)
{
    std::vector<SheetCase> cases;
    for (std::size_t i = 0; i < schedule.rows.size() && i < result.rows.size(); ++i)
        cases.push_back(ScheduleSheetCase(schedule, result, i));
    SheetIndexPage index;
    index.title = SheetIndexTitle();
    index.heading = {
        "Program doboru wywietrzników KORVANT, wersja " + SheetVersion(), "Data: " + SheetDate(),
        "Zestawienie: " +
            QFileInfo(QString::fromStdString(request.schedule)).fileName().toStdString()};
    index.table = SheetIndex(schedule, result);
    return Written(WriteSelectionSheets(QString::fromStdString(request.sheet), cases, index),
                   status, err);
}
