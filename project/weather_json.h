// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"
#include "weather/weather_source.h"

#include <QJsonObject>
#include <QJsonValue>

#include <optional>

// The weather of a year at the roof as the calculation file keeps it: the
// top-level object "Weather" with its source (an EPW file's name and
// checksum, or a wind distribution), ti, and the site, required; and what the
// window "Praca w ciągu roku" holds besides, optional: "Period" ("year",
// "heating" or "M1-M2"; the whole year without it), "Need" (Qh [m3/h]) and
// "DraughtHeight" (H [m]; the duct's length without it). a field missing, of the wrong kind,
// unknown, or with a value the command line would refuse refuses the file, the reason naming the
// field.

inline constexpr char kWeatherKey[] = "Weather";
// The format version from which a file may keep the weather; an older file
// opens with none.
inline constexpr int kWeatherFormatVersion = 4;

struct WeatherSetting {
    WeatherSource source;
    Site site;
    WeatherPeriod period = WholeYear();
    std::optional<double> need = std::nullopt;          // Qh [m3/h], when one was typed
    std::optional<double> draughtHeight = std::nullopt; // H [m], when one was typed

    bool operator==(const WeatherSetting&) const = default;
};

// The object; a number that is not finite has no form in the file.
Result<QJsonObject> WeatherToJson(const WeatherSetting& weather);
Result<WeatherSetting> WeatherFromJson(const QJsonValue& value);
