// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/strict_number.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t Digits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

} // namespace

bool IsCNumber(std::string_view text)
{
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t whole = Digits(text, pos);
    std::size_t end = whole;
    std::size_t fraction = whole;
    if (end < text.size() && text[end] == '.') {
        fraction = Digits(text, end + 1);
        end = fraction;
    }
    if (whole == pos && fraction <= whole + 1) // no digit before or after the point
        return false;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        end = Digits(text, exponent);
        if (end == exponent)
            return false;
    }
    return end == text.size();
}

std::optional<double> StrictNumber(std::string_view text)
{
    if (!IsCNumber(text))
        return std::nullopt;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
