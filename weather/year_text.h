// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/hourly.h"
#include "weather/weather_source.h"
#include "weather/year_run.h"

#include <string>
#include <string_view>
#include <vector>

// The texts of a year at the roof, Qt-free, for the window, the printout and
// the command line alike.

// The share in per cent with two decimals ("77.40"), as the column
// "Godziny spełnienia [%]" shows it.
std::string MeetingPercentText(const YearOutcome& outcome);

// The lines of a result in Polish, decimal point: the station (LOCATION's
// name), the period, then for a file the hours meeting the need and their
// share, the hours without upward flow and without data, Q50 and Q90, the
// share month by month and the worst month; for a distribution the share of
// time and the wind needed at the ventilator and at the station.
// What the results are computed for: the station and the period (file), the
// site and its wind ratio, the need, and for a distribution its A, k, te, ti.
std::vector<std::string> YearConditionLines(const LoadedWeather& weather,
                                            const YearQuestion& question);
// The lines of one model's result alone.
std::vector<std::string> YearResultLines(const YearOutcome& outcome);

std::vector<std::string> YearLines(const LoadedWeather& weather, const YearQuestion& question,
                                   const YearOutcome& outcome);

// The status of an hour as the hourly list writes it ("przepływ", "brak ciągu", ...).
std::string_view HourStatusText(HourStatus status);
