// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/field_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool IsBlank(char c)
{
    // The white space of the "C" locale.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A small cursor over the text being converted.
class Scanner {
public:
    explicit Scanner(std::string_view text)
        : text_(text)
    {
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    // Takes a leading "+" or "-"; true for "-".
    bool TakeSign()
    {
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
            return text_[pos_++] == '-';
        return false;
    }

    std::size_t TakeDigits()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            ++pos_;
        return pos_ - start;
    }

    bool Take(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool TakeExponentMark() { return Take('e') || Take('E'); }

    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }
    std::string_view Text() const { return text_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The value of a number that std::from_chars found out of range: an infinity
// when its magnitude is too large, zero when too small. `mantissa` is the text
// of the digits and point ("0012.5"), `exponent` the decimal exponent after it.
double OutOfRangeValue(std::string_view mantissa, long long exponent)
{
    // The value is 0.d... x 10^scale, d the first non-zero digit.
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0.0;
    const long long scale = first < point ? static_cast<long long>(point - first)
                                          : -static_cast<long long>(first - point - 1);
    return scale + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

double ConvertReal(std::string_view text)
{
    Scanner scan(text);
    scan.SkipBlanks();
    const bool negative = scan.TakeSign();

    const std::size_t start = scan.Position();
    const std::size_t integerDigits = scan.TakeDigits();
    std::size_t fractionDigits = 0;
    if (scan.Take('.'))
        fractionDigits = scan.TakeDigits();
    if (integerDigits + fractionDigits == 0)
        return 0.0;
    const std::size_t mantissaEnd = scan.Position();

    // An exponent counts only when at least one digit follows the mark.
    long long exponent = 0;
    const std::size_t beforeExponent = scan.Position();
    if (scan.TakeExponentMark()) {
        const bool negativeExponent = scan.TakeSign();
        const std::size_t digitsStart = scan.Position();
        if (scan.TakeDigits() == 0) {
            scan.Rewind(beforeExponent);
        } else {
            for (std::size_t i = digitsStart; i < scan.Position(); ++i) {
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (scan.Text()[i] - '0');
            }
            if (negativeExponent)
                exponent = -exponent;
        }
    }

    const std::string_view number = text.substr(start, scan.Position() - start);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = OutOfRangeValue(text.substr(start, mantissaEnd - start), exponent);
    else if (error != std::errc{} || end != number.data() + number.size())
        value = 0.0; // cannot happen for the text checked above
    return negative ? -value : value;
}

double ConvertFieldReal(std::string_view text)
{
    // The decimal point would follow the blanks, the sign and the whole digits.
    Scanner scan(text);
    scan.SkipBlanks();
    scan.TakeSign();
    scan.TakeDigits();
    if (!scan.Take(','))
        return ConvertReal(text);
    std::string withPoint(text);
    withPoint[scan.Position() - 1] = '.';
    return ConvertReal(withPoint);
}

std::int32_t ConvertWhole(std::string_view text)
{
    Scanner scan(text);
    scan.SkipBlanks();
    const bool negative = scan.TakeSign();
    const std::size_t start = scan.Position();
    const std::size_t count = scan.TakeDigits();

    constexpr long long kLimit = 1LL << 32; // beyond every 32-bit value
    long long magnitude = 0;
    for (std::size_t i = start; i < start + count; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t WholePart(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (whole <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(whole);
}
