// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/inputs.h"
#include "calc/result.h"
#include "weather/hourly.h"
#include "weather/weather_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// What one run of the command-line calculator asks for. Every number of a
// dialog field has already gone through that field's conversion.
struct CliRequest {
    enum class Format { Text, Json, Csv, Xlsx };

    // Air: typed density, or computed from weather data.
    bool densityTyped = true;
    double density = 0.0;
    std::int32_t temperature = 0;
    std::int32_t pressure = 0;
    std::int32_t humidity = 0;
    double windSpeed = 0.0;

    // Duct: round, or rectangular with the sides "Długość" and "Szerokość".
    bool roundDuct = true;
    double diameter = 0.0;
    double sideA = 0.0;
    double sideB = 0.0;
    int material = 1; // 1..6, the order of the material dialog

    InstallationInput installation;

    int model = 0; // 1..27; 0 with --all
    bool all = false;
    // With --all: the needed flow Qh [m3/h], which turns the table into the
    // comparison window's, with the need, the wind needed and the suggestion.
    std::optional<double> need;
    bool printer = false;
    Format format = Format::Text;
    // The file that a workbook (--format xlsx) is written to; a workbook
    // never goes to the standard output.
    std::string output;

    // The gravity draught together with the wind: temperatures inside and
    // outside [°C] and its height [m], by default the duct length, and the
    // ambient pressure of dps [Pa], by default 101325 with a typed density and
    // the weather's with --weather.
    struct Stack {
        double inside = 0.0;
        double outside = 0.0;
        std::optional<double> height;
        std::optional<double> pressure;
    };
    std::optional<Stack> stack;
    // The flat's underpressure pf [Pa] >= 0, which lowers the draught to
    // dps - pf; without --stack the draught is the wind's alone (dps = 0).
    std::optional<double> underpressure;

    // A sweep of the wind speed for the chosen model instead of one report.
    bool windSweep = false;
    double sweepFrom = 0.0;
    double sweepTo = 0.0;
    double sweepStep = 0.0;

    // A year of weather at the roof: an EPW file or a wind distribution
    // (--need then required); where the ventilator stands (by default the
    // station in terrain II, the building in III, z = L + 1 m); the days that
    // count; with a file, --hourly lists the hours instead of the report.
    std::optional<WeatherSource> weatherSource;
    std::optional<Site> site;
    std::optional<WeatherPeriod> period; // the whole year when not given
    std::string periodText;              // --period as given: a schedule keeps it
    bool hourly = false;

    // The selection sheet (PDF) of a single calculation, or of every duct of
    // --schedule with an index page; empty: none.
    std::string sheet;

    // A calculation kept in a file stands for the input options.
    std::string project;
    // A file of cases, one run's options a line ("-": standard input).
    std::string batch;
    // A schedule of exhaust ducts kept in a calculation file, or the template
    // of one to print.
    std::string schedule;
    bool scheduleTemplate = false;
};

// What the command line asks: a run, or a text to print.
struct CliInformation {
    std::string text; // --help or --version: printed, exit status 0
};
using CliCommand = std::variant<CliRequest, CliInformation>;
// The command line read; a usage fault fails with a reason naming the option
// at fault.
using CliParseResult = Result<CliCommand>;

// The run or the text that a command line read asks for; none when it asks
// the other or was refused.
template <typename T> const T* CommandOf(const CliParseResult& parsed)
{
    return parsed ? std::get_if<T>(&parsed.Value()) : nullptr;
}
