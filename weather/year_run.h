// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/result.h"
#include "weather/hourly.h"
#include "weather/weather_source.h"
#include "weather/weibull.h"

#include <array>
#include <string>
#include <vector>

// The one place every front end asks how often a duct meets its need over a
// year of weather: from a file, hours of a calendar (HourlySummary); from a
// distribution, a share of time (WindShare).

// What is asked: the duct (its state: duct, grille, installation; from a file
// the density and the wind are each hour's, from a distribution the density
// is the state's and dps is at `pressure`), the height H of its draught, the
// need, where it stands and which days count.
struct YearQuestion {
    CalcState state;
    double height = 0.0; // H [m]
    double need = 0.0;   // Qh [m3/h]
    // A distribution's dps: the weather dialog's pressure, 101325 Pa with a typed density.
    double pressure = kStackPressure;
    Site site;
    WeatherPeriod period;
};

struct YearOutcome {
    int model = 0;             // 1..27
    bool distribution = false; // share holds the result, else summary
    HourlySummary summary;
    WindShare share;
    double windRatio = 1.0; // of the site

    // The share of the hours (or of the time) that meet the need, 0..1.
    double MeetingShare() const { return distribution ? share.share : summary.share; }
};

// One model 1..27; refused with the Polish reason of the site, the duct or the need.
Result<YearOutcome> EvaluateYearModel(const LoadedWeather& weather, const YearQuestion& question,
                                      int model);

// All 27 models, position 0 model 1.
Result<std::vector<YearOutcome>> EvaluateYearAllModels(const LoadedWeather& weather,
                                                       const YearQuestion& question);

// Every hour of the period of a file (empty for a distribution).
Result<std::vector<HourRow>> ListYearHours(const LoadedWeather& weather,
                                           const YearQuestion& question, int model);
