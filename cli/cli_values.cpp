// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_values.h"

#include "calc/field_conversion.h"
#include "calc/strict_number.h"

#include <charconv>
#include <cmath>

namespace {

std::size_t Digits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        ++pos;
    return pos;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

Result<double> RealValue(std::string_view option, const std::string& text)
{
    if (!StrictNumber(text)) {
        const bool shaped = IsCNumber(text);
        return Failure{
            "opcja " + std::string(option) + ": wartość " + Quoted(text) +
            (shaped ? " jest poza zakresem liczb" : " nie jest liczbą (np. 1.2, -3, 4e-1)")};
    }
    return ConvertReal(text);
}

Result<std::int32_t> WholeValue(std::string_view option, const std::string& text)
{
    const Result<double> checked = RealValue(option, text);
    if (!checked)
        return checked.Fault();
    return WholePart(checked.Value());
}

Result<int> ChoiceValue(std::string_view what, const std::string& text, int largest)
{
    int choice = 0;
    const bool digits = !text.empty() && text.size() <= 9 && Digits(text, 0) == text.size();
    if (digits)
        std::from_chars(text.data(), text.data() + text.size(), choice);
    if (choice < 1 || choice > largest)
        return Failure{std::string(what) + " musi być liczbą całkowitą od 1 do " +
                       std::to_string(largest) + " (podano " + Quoted(text) + ")"};
    return choice;
}

std::vector<std::string> SplitList(const std::string& value, char separator)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = value.find(separator, start);
        items.push_back(value.substr(start, end - start));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}
