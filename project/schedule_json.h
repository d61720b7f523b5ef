// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "files/outcome.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// The schedule of exhaust ducts as the calculation file keeps it: the
// top-level object "Schedule" with "Building" and "Rows". Every field is
// required but the building's "OneModelPerRiser" (true, or absent for off); a field missing, of the
// wrong kind, unknown, or with a value outside the bounds of calc/schedule_limits.h refuses the
// schedule whole, the reason naming the field.

inline constexpr char kScheduleKey[] = "Schedule";
// The format version from which the schedule keeps its flats ("Flats" and
// each row's "Flat"); an older file's schedule opens with no flats.
inline constexpr int kFlatsFormatVersion = 3;

// The object; a number that is not finite has no form in the file: then a
// failure with the reason.
Result<QJsonObject> ScheduleToJson(const Schedule& schedule);

// The schedule of a file of format `version`, or the failure telling why it
// is refused. A flat's impossible value, an unknown field of a flat, a flat
// listed twice or a row naming a flat that is not listed refuses it whole,
// naming the field.
Result<Schedule> ScheduleFromJson(const QJsonValue& value, int version = kFlatsFormatVersion);
