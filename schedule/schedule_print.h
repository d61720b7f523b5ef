// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "files/outcome.h"

class QPrinter;

// The schedule on paper, in Polish: the conditions, the table and the summary,
// on A4 landscape, the table split over pages with its header repeated on
// each. A print into a file goes through the one safe writer.
Outcome PrintSchedule(QPrinter& printer, const Schedule& schedule, const ScheduleResult& result);
