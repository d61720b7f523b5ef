// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "weather/hourly.h"
#include "weather/weather_source.h"

#include <string>

// The fields of the window "Praca w ciągu roku" as typed, read by the rule of
// the program's other fields (a decimal point or comma, nothing else in the
// field) and refused with a Polish reason naming the field, within the bounds
// the command line uses.

enum class YearPeriodChoice { WholeYear, HeatingSeason, Months };

struct YearInputTexts {
    bool file = true;        // an EPW file, else a Weibull distribution
    std::string path;        // the file
    bool scaleGiven = false; // the distribution's wind is A, not the mean
    std::string wind;        // the mean wind at 10 m, or A [m/s]
    std::string shape;       // k
    std::string outside;     // te [°C] of the distribution
    std::string inside;      // ti [°C]
    int stationTerrain = kStationTerrain;
    int buildingTerrain = kBuildingTerrain;
    std::string ventilatorHeight; // z [m]; empty: the duct's length + 1 m
    YearPeriodChoice period = YearPeriodChoice::WholeYear;
    int fromMonth = 1;
    int toMonth = 12;
    std::string need;          // Qh [m3/h]
    std::string draughtHeight; // H [m]; empty: the duct's length
};

struct YearInputs {
    WeatherSource source; // a file's checksum empty
    Site site;
    WeatherPeriod period;
    double need = 0.0;
    double draughtHeight = 0.0;
    bool draughtHeightTyped = false; // H was typed, not the duct's length
};

// z of a single duct's ventilator when none is typed: 1 m above its duct.
double DefaultVentilatorHeight(double ductLength);

// The inputs, or the first field's reason: a text that is not a number, a
// value outside its bounds (z and H 0 < x <= 1000 m, the need
// 0 < Qh <= 100000 m3/h, ti and te −60…60 °C, the mean or A and k above 0),
// an empty file name or need.
Result<YearInputs> ReadYearInputs(const YearInputTexts& texts, double ductLength);
