// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/stack_draught.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"

#include <QJsonObject>

#include <string>

// The gravity draught of a run with --stack: its conditions (H by default the
// duct length L; dps at the pressure P given, or else at the weather's
// pressure where the density is computed from it, 101325 Pa where it is
// typed), the line the report gains and its JSON object.
StackConditions StackOf(const CliRequest& request, const CliInputs& inputs);
std::string StackLine(const CliRequest& request, const CliInputs& inputs);
QJsonObject StackJson(const CliRequest& request, const CliInputs& inputs);
