#pragma once

#include "calc/strict_number.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The values of the command line. A number must be entirely a number in the C
// form ("1.2", "-3", "4e-1"): no blanks, no text after it, no "nan", "inf" or
// hexadecimal, within the range of double. Only then does it take the meaning
// of its dialog field (a whole-number field keeps the whole part of the number checked: 20.7 is
// 20, 6e1 is 60).
// A fault is a Polish message naming the option and the value.

using CliError = std::optional<std::string>;

CliError RealValue(std::string_view option, const std::string& text, double& value);
CliError WholeValue(std::string_view option, const std::string& text, std::int32_t& value);

// A choice: a whole number written with digits only, in [1, largest].
CliError ChoiceValue(std::string_view what, const std::string& text, int largest, int& value);

// The items of a list value ("a,b,c").
std::vector<std::string> SplitList(const std::string& value, char separator);

// Runs the steps in order (a ready result, or a function giving one) and
// returns the first fault.
inline CliError RunStep(const CliError& error)
{
    return error;
}
template <std::invocable F> CliError RunStep(F&& step)
{
    return step();
}
template <typename... Steps> CliError First(Steps&&... steps)
{
    CliError error;
    ((error = error ? error : RunStep(std::forward<Steps>(steps))), ...);
    return error;
}
