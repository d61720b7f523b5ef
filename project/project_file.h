// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/schedule.h"
#include "files/outcome.h"
#include "project/weather_json.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <variant>

// One calculation kept in a file: what the user entered (each dialog's values
// and choices of the calculation, the ventilator), the results, and what every
// input dialog's controls held. Everything else of the state is derived on
// opening by the dialogs' own Apply* functions, so that no file can hold a
// contradiction; the results kept serve only to tell that a result computed
// again differs. The file is UTF-8 JSON with the extension ".wyw"; numbers are
// written with a decimal point at full precision, so a file read back gives
// the same doubles. Format 1 kept the whole state: such a file still opens when
// its derived fields agree with the derivation.

// A control's content: an edit field's text, a radio button's check, or a
// drop-down list's chosen row.
using ControlValue = std::variant<QString, bool, int>;
// Controls by object name, dialogs by object name.
using DialogControls = std::map<QString, ControlValue>;
using DialogsControls = std::map<QString, DialogControls>;

struct Project {
    CalcState state;
    DialogsControls dialogs;
    QString programVersion;                          // of the program that wrote it
    std::optional<Schedule> schedule = std::nullopt; // the schedule of exhaust ducts, if made
    // A year of weather at the roof: its source and the site, if chosen.
    std::optional<WeatherSetting> weather = std::nullopt;
};

inline constexpr int kProjectFormatVersion = 4;
inline constexpr char kProjectExtension[] = ".wyw";

// The file's content. A number that is not finite has no form in the file: then
// a failure with the reason.
Result<QByteArray> ProjectBytes(const Project& project);

// Reads a file's content. Anything but a whole, well-formed file of a format
// version this program knows is refused with the reason in Polish (not naming
// the file): also a key twice in one object, a field that the calculation does
// not have, a contradiction, and results on inputs outside the bounds of
// calc/input_limits.h. VentilatorName comes from the catalogue row of
// VentilatorIndex.
Result<Project> ParseProject(const QByteArray& bytes);

// Why the calculation file at `path` cannot be used: the message naming the
// file with the reason (a phrase or a sentence), ending in one full stop.
Failure UnusableProjectFile(const QString& path, QString reason);

// Reads the file at `path`: a missing, unreadable or oversized file, a
// directory or an empty file is refused as a damaged content is. The message
// names the file and what is wrong.
Result<Project> ReadProjectFile(const QString& path);
// As ReadProjectFile; "-" reads the standard input to its end, as the command
// line's file options take it.
Result<Project> ReadProjectInput(const QString& path);

// The ambient pressure [Pa] of the gravity draught of a kept calculation: that
// of the weather dialog's field (hPa) where the density is computed from the
// weather, 101325 Pa where it is typed or the file keeps no such field.
double ProjectAmbientPressure(const Project& project);

// What reopening a calculation gives: the operating point computed again on
// its inputs. `differs` when the results are not those the file holds (a
// changed catalogue or rule); `notice` then tells it in Polish.
struct Recomputation {
    bool differs = false;
    QString notice;
};
// Computes `project.state` again in place (only when it held results).
Recomputation RecomputeProject(Project& project);
