// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// A year of hourly weather from an EnergyPlus weather file (EPW): 8 header
// lines, the first of them LOCATION,city,state,country,source,WMO,latitude,
// longitude,time zone,elevation, then one line per hour, 8760 of them (8784
// in a leap year). Of each hour the fields counted from 1 on its line:
// 2 month, 3 day, 4 hour (1..24), 7 dry-bulb temperature [°C], 9 relative
// humidity [%], 10 station pressure [Pa], 22 wind speed [m/s].

inline constexpr std::size_t kEpwHeaderLines = 8;
inline constexpr std::size_t kHoursInYear = 8760;
inline constexpr std::size_t kHoursInLeapYear = 8784;

// The values that EPW writes for a quantity not measured: a value at or
// above them marks an hour without data.
inline constexpr double kMissingTemperature = 99.9;  // [°C]
inline constexpr double kMissingHumidity = 999.0;    // [%]
inline constexpr double kMissingPressure = 999999.0; // [Pa]
inline constexpr double kMissingWind = 999.0;        // [m/s]

struct WeatherStation {
    std::string name;       // the city field of LOCATION
    std::string country;    // as the file writes it
    double latitude = 0.0;  // [°], north positive
    double longitude = 0.0; // [°], east positive
    double elevation = 0.0; // [m] above sea level
};

struct WeatherHour {
    int month = 1;
    int day = 1;
    int hour = 1;             // 1..24: the hour that ends at this time
    double temperature = 0.0; // dry bulb te [°C]
    double humidity = 0.0;    // phi [%]
    double pressure = 0.0;    // station pressure [Pa]
    double wind = 0.0;        // wind speed at the station [m/s]
    bool missing = false;     // one of the four is EPW's missing value
};

struct WeatherYear {
    WeatherStation station;
    std::vector<WeatherHour> hours; // in the order of the file
};

// The whole file, or the Polish reason naming the line (counted from 1) why
// it is refused: not EPW, a header cut short, a line with too few fields, a
// field that is not a number (read with a decimal point whatever the locale),
// a month, day or hour out of its range, or another number of hours than a
// year has. CRLF line ends and a UTF-8 byte-order mark are accepted; blank
// lines at the end are ignored.
Result<WeatherYear> ReadEpw(std::istream& in);
Result<WeatherYear> ReadEpwText(std::string_view text);
