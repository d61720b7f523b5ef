// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_request.h"

#include <string>

// The schedule of exhaust ducts of a calculation file: the table and the
// summary as text, CSV (the plain form) or JSON. In JSON every row carries the
// options of the single run that reproduces its design-wind calculation and
// the --stack value of its calm day. A file that cannot be read, or holds no
// schedule, is told in `err` (status 4); a duct that does not meet its need
// gives status 1 after the table.
int RunSchedule(const CliRequest& request, std::string& out, std::string& err);

// A calculation file holding the starting schedule: a 5-storey block of flats
// with a kitchen, a bathroom and a WC riser.
std::string ScheduleTemplateFile();
