// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/refusal.h"
#include "calc/result.h"
#include "cli/cli_request.h"
#include "project/weather_json.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exit statuses of the command-line calculator.
enum CliExit : int {
    kExitResult = 0, // the report, the table or the sweep was printed
    kExitNoOperatingPoint = 1,
    kExitUsage = 2,
    kExitRefused = 3, // the inputs make the formulas undefined
    kExitFile = 4,    // a project or batch file that cannot be read
};

// The calculation state that the dialogs would have written for the request,
// with the names of the fields that the inputs set. `refusal` tells why an input
// dialog would not accept the values (weather data, rectangular duct).
struct CliInputs {
    struct Weather {
        std::int32_t temperature; // [°C]
        std::int32_t pressure;    // [hPa]
        std::int32_t humidity;    // [%]
    };
    CalcState state;
    std::optional<Weather> weather; // when the density was computed from them
    // The ambient pressure [Pa] of the draught's dps: the weather's pressure,
    // or 101325 with a typed density (AmbientStackPressure).
    double ambientPressure = 101325.0;
    // The weather of a year at the roof that a calculation file keeps.
    std::optional<WeatherSetting> keptWeather;
    std::vector<std::string_view> fields;
    Refusal refusal = Refusal::None;
};
CliInputs BuildCliInputs(const CliRequest& request);

// The inputs of a request: built from its options, or read from its project
// file, whose ventilator then stands in for a --model not given. A failure
// when the file cannot be read or names no ventilator. `refusal` also tells of
// an input that is not a finite number.
Result<CliInputs> ResolveCliInputs(CliRequest& request);

// Runs the request: writes the output to `out`, messages to `err`, and returns
// the exit status. Never reads or writes the dialogs' value files.
int RunCli(const CliRequest& request, std::string& out, std::string& err);
