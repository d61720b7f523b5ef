// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "calc/strict_number.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The values of the command line. A number must be entirely a number in the C
// form ("1.2", "-3", "4e-1"): no blanks, no text after it, no "nan", "inf" or
// hexadecimal, within the range of double. Only then does it take the meaning
// of its dialog field (a whole-number field keeps the whole part of the number checked: 20.7 is
// 20, 6e1 is 60).
// A fault is a failure whose reason names the option and the value.

Result<double> RealValue(std::string_view option, const std::string& text);
Result<std::int32_t> WholeValue(std::string_view option, const std::string& text);

// A choice: a whole number written with digits only, in [1, largest].
Result<int> ChoiceValue(std::string_view what, const std::string& text, int largest);

// A value read puts into its field of the request; a fault leaves the field
// as it was and is passed on.
template <typename T, typename Field> Outcome Assign(Result<T> read, Field& field)
{
    if (!read)
        return read.Fault();
    field = std::move(read).Value();
    return {};
}

// The items of a list value ("a,b,c").
std::vector<std::string> SplitList(const std::string& value, char separator);

// Runs the steps in order (a ready result, or a function giving one) and
// returns the first fault.
inline Outcome RunStep(const Outcome& outcome)
{
    return outcome;
}
template <std::invocable F> Outcome RunStep(F&& step)
{
    return step();
}
template <typename... Steps> Outcome First(Steps&&... steps)
{
    Outcome outcome;
    ((outcome = outcome ? RunStep(std::forward<Steps>(steps)) : outcome), ...);
    return outcome;
}
