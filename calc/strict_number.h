// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The strict number rule of the command line and of the comparison's fields:
// the C form [sign] digits [. digits] | [sign] . digits, then [e [sign] digits],
// with nothing before or after it.
bool IsCNumber(std::string_view text);

// The text, when it is entirely a finite number in the C form within the
// range of double: no blanks, no text after it, no "nan", "inf" or hexadecimal.
std::optional<double> StrictNumber(std::string_view text);
