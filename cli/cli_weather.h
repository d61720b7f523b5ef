// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "compare/comparison_rows.h"
#include "weather/year_run.h"

#include <QJsonObject>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A year of weather at the roof on the command line: --weather-file,
// --wind-distribution, --site, --period and --hourly, through the one facade
// of weather/year_run.h.

// The options' values, each refused with a reason naming the option.
Outcome ApplyWeatherFile(CliRequest& request, const std::string& value);
// "MEAN[,K]" or "A=SCALE[,K]", K by default 2.
Outcome ApplyWindDistribution(CliRequest& request, const std::string& value);
// "TS,TB,Z": categories 0, I, II, III, IV (or 0..4), Z [m] > 0.
Outcome ApplySite(CliRequest& request, const std::string& value);
Outcome ApplyPeriod(CliRequest& request, const std::string& value);
Outcome SetHourly(CliRequest& request, const std::string& value);

// The weather options against the others: a source needs --need, --site,
// --period and --hourly need a source, --hourly a file, one model and CSV or
// JSON; --schedule does not take them yet.
Outcome CheckWeatherCombination(const CliRequest& request);

// With --need, a calculation file's weather where the command line gives
// none: its source (with the checksum kept) and, unless --site is given, its
// site; then the checks of CheckWeatherCombination, and --need without --all,
// --site, --period and --hourly want a weather. A fault: the reason in `err`,
// kExitUsage.
int UseKeptWeather(CliRequest& request, const CliInputs& inputs, std::string& err);

// The weather of a request, read and ready, with the question of its duct.
struct CliYear {
    LoadedWeather weather;
    YearQuestion question;
};
// Reads the weather file (a file that cannot be read or is damaged: the
// message naming it in `err`, status kExitFile; a file whose checksum is not
// the one kept: a note in `err`) and sets the question from
// the inputs: ti, te (distribution) and H of --stack (by default 20 °C,
// 12 °C and L), the need, the site and the period. 0 when ready.
int PrepareCliYear(const CliRequest& request, const CliInputs& inputs, std::optional<CliYear>& year,
                   std::string& err);

// The year's lines after a single run's report ("Praca w ciągu roku:", for
// text) and its "year" object (for JSON) for the request's model; kExitRefused
// with the reason in `err` when the year cannot be computed.
int AddYearToReport(const CliYear& year, int model, std::string& text, QJsonObject& json,
                    std::string& err);

// Every model's share of the year in the comparison's rows, and the year's
// conditions: as lines under the text table, as "year" in JSON.
int AddYearToComparison(const CliYear& year, std::vector<ComparisonRow>& rows, std::string& err);
std::vector<std::string> CliYearConditionLines(const CliYear& year);
// The lines under the text table after an empty line; empty without a year.
std::string CliYearConditionText(const CliYear* year);
QJsonObject CliYearConditionsJson(const CliYear& year);

// The weather of a request (a file read), or none without a source; a file
// that cannot be read or is damaged: the message naming it in `err` and its
// status (kExitFile; kExitRefused for a distribution's values); a changed
// file: a note in `err`. 0 when ready.
int LoadCliWeather(const CliRequest& request, std::shared_ptr<const LoadedWeather>& weather,
                   std::string& err);

// --hourly: one line per hour of the period (CSV) or one object each (JSON)
// with the single-run options that reproduce it.
int RunHourly(const CliRequest& request, const CliYear& year, std::string& out, std::string& err);
