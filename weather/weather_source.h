// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "calc/stack_draught.h"
#include "weather/epw.h"
#include "weather/hourly.h"
#include "weather/terrain.h"
#include "weather/weibull.h"

#include <cstdint>
#include <string>
#include <string_view>

// Where the weather of a year at the roof comes from, where the ventilator
// stands, and which days count: what every front end (the window, the
// comparison, the schedule, the command line, the .wyw file) keeps and gives
// to the evaluation of weather/year_run.h.

// An EPW file (its path as typed and the checksum of its bytes, so that a
// changed file is noticed), or a Weibull distribution of the wind at the
// station with fixed temperatures.
struct WeatherSource {
    enum class Kind { File, Distribution };
    Kind kind = Kind::File;

    std::string path;     // File: as typed
    std::string checksum; // File: FileChecksum of its bytes; empty before it was read

    // Distribution: the mean wind at 10 m, or the scale A given directly.
    bool scaleGiven = false;
    double wind = 0.0; // the mean [m/s], or A when scaleGiven
    double shape = kWeibullShape;
    double outside = kDesignOutsideTemperature; // te [°C], fixed

    // ti [°C] of the building, for a file and a distribution alike.
    double inside = kDesignInsideTemperature;

    bool operator==(const WeatherSource&) const = default;
};

WeatherSource WeatherFileSource(std::string path, std::string checksum = {});
WeatherSource WindDistributionSource(double wind, double shape = kWeibullShape,
                                     bool scaleGiven = false);

// FNV-1a 64-bit of the bytes as 16 lowercase hexadecimal digits.
std::string FileChecksum(std::string_view bytes);
// Whether a text is such a checksum.
bool IsChecksum(std::string_view text);

// Why a distribution's numbers or ti, te cannot be used; success when they can.
// The reason names the value.
Outcome CheckWeatherSource(const WeatherSource& source);

// The station's terrain, the building's and the height z of the ventilator
// above the building's ground.
struct Site {
    int stationTerrain = kStationTerrain;   // 0..4, II by default
    int buildingTerrain = kBuildingTerrain; // 0..4, III by default
    double height = 0.0;                    // z [m] > 0

    bool operator==(const Site&) const = default;
};

// z of a schedule's ventilators: N storeys of h, plus 1 m above the roof.
double ScheduleVentilatorHeight(std::int32_t storeys, double storeyHeight);

// The factor from the station's wind to the ventilator's; refused with the
// reason for a height not above 0 or a category outside 0..4.
Result<double> SiteWindRatio(const Site& site);

// A terrain category written 0, I, II, III, IV or 0..4; -1 for anything else.
int TerrainCategoryOf(std::string_view text);

// "year" | "heating" | "M1-M2" (months 1..12; M2 < M1 runs over the New Year).
Result<WeatherPeriod> ParsePeriod(std::string_view text);
// The period as the command line and the .wyw file write it: "year",
// "heating" or "M1-M2" (ParsePeriod reads it back).
std::string PeriodKey(const WeatherPeriod& period);
// The period in Polish: "cały rok", "sezon grzewczy (1.10–30.04)", "miesiące 11–3".
std::string PeriodText(const WeatherPeriod& period);

// A source made ready: the year read from the file, or the distribution.
struct LoadedWeather {
    WeatherSource source; // with the checksum of the bytes given
    bool changed = false; // a file whose checksum is not the one kept
    WeatherYear year;     // File
    Weibull weibull;      // Distribution
};

// The source with the file's bytes (read by the caller; ignored for a
// distribution). A damaged file is refused with the reader's reason naming
// the line; a distribution with the reason of CheckWeatherSource.
Result<LoadedWeather> LoadWeather(const WeatherSource& source, std::string_view fileBytes = {});

// The message of a weather file that cannot be used, naming it, one full stop.
Failure UnusableWeatherFile(std::string_view path, std::string reason);
