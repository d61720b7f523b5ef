// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_format.h"

#include <fmt/format.h>

std::string FormatFixed(double value, int decimals)
{
    return fmt::format("{:.{}f}", value, decimals);
}

std::string FormatWhole(std::int32_t value)
{
    return fmt::format("{}", value);
}
