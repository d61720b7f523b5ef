// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"

#include <string>

// --sheet FILE.pdf: the selection sheet of a single calculation, or the
// sheets of every duct of a schedule after their index page, written whole
// or not at all. `status` when written; otherwise kExitFile with the reason
// in `err` ("wywietrznik-cli: Nie można zapisać pliku „karta.pdf”: …").
int WriteCalculationSheet(const CliRequest& request, const CliInputs& inputs, int status,
                          std::string& err);
int WriteScheduleSheets(const CliRequest& request, const Schedule& schedule,
                        const ScheduleResult& result, int status, std::string& err);
