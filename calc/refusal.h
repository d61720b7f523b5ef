// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Why an input was refused as undefined. The texts are short Polish reasons
// that the program's message and the command-line calculator show alike.
enum class Refusal {
    None,
    // The operating point calculation.
    NonFiniteInput,
    DuctDiameter,
    DuctArea,
    AirDensity,
    GrilleArea,
    Resistance,
    OutOfRange,
    // The weather dialog: the density formula is undefined.
    WeatherPressure,
    WeatherTemperature,
    WeatherHumidity,
    WeatherDensity,
    // The rectangular duct dialog: no equivalent diameter.
    DuctSides,
    // The gravity draught.
    StackTemperature,
    StackPressure,
    Underpressure,
    // An input outside what can be built (calc/input_limits.h).
    DensityLimit,
    WindLimit,
    DuctSizeLimit,
    GrilleSizeLimit,
    DuctLengthLimit,
    StoreyHeightLimit,
    StoreyCountLimit,
    BuildingHeightLimit,
    StackHeightLimit,
    HumidityLimit,
    OutdoorTemperatureLimit,
    LossCoefficientLimit,
    NeedLimit,
    // A row of the schedule of exhaust ducts (calc/schedule_limits.h).
    StoreyOutsideBuilding,
    LabelControl,
};

// The reason shown to the user; empty for Refusal::None.
std::string_view RefusalText(Refusal refusal);
