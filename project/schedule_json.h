#pragma once

#include "calc/schedule.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <variant>

// The schedule of exhaust ducts as the calculation file keeps it: the
// top-level object "Schedule" with "Building" and "Rows". Every field is
// required; a field missing or of the wrong kind refuses the schedule whole.

inline constexpr char kScheduleKey[] = "Schedule";

// The object; a number that is not finite has no form in the file: then the
// reason, in Polish.
std::variant<QJsonObject, QString> ScheduleToJson(const Schedule& schedule);

// The schedule, or the reason in Polish why it is refused.
std::variant<Schedule, QString> ScheduleFromJson(const QJsonValue& value);
