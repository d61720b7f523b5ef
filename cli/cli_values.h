// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "calc/strict_number.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The values of the command line. A number must be entirely a number in the C
// form ("1.2", "-3", "4e-1"): no blanks, no text after it, no "nan", "inf" or
// hexadecimal, within the range of double. Only then does it take the meaning
// of its dialog field (a whole-number field keeps the whole part of the number checked: 20.7 is
// 20, 6e1 is 60).
// A fault is a failure whose reason names the option and the value.

Outcome RealValue(std::string_view option, const std::string& text, double& value);
Outcome WholeValue(std::string_view option, const std::string& text, std::int32_t& value);

// A choice: a whole number written with digits only, in [1, largest].
Outcome ChoiceValue(std::string_view what, const std::string& text, int largest, int& value);

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
