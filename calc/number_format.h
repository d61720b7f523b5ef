// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// printf-style number texts ("%1.2f", "%1.3f", "%1.4f", "%1.1f", "%d") that
// always use a decimal point and never group digits, whatever the locale.

// "%1.<decimals>f": fixed point, minimum width 1, a leading "-" when negative.
std::string FormatFixed(double value, int decimals);

// "%d".
std::string FormatWhole(std::int32_t value);
