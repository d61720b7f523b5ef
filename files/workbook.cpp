// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook.h"

#include <charconv>

namespace {

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

// "-12.345", "7": an optional minus, digits, and digits after one point; the
// count of the digits after the point, or -1 for any other text.
int PlainDecimals(const std::string& text)
{
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t start = i;
    while (i < text.size() && Digit(text[i]))
        ++i;
    if (i == start)
        return -1;
    if (i == text.size())
        return 0;
    if (text[i] != '.' || i + 1 == text.size())
        return -1;
    const std::size_t point = i++;
    while (i < text.size() && Digit(text[i]))
        ++i;
    return i == text.size() ? static_cast<int>(i - point - 1) : -1;
}

} // namespace

WorkbookCell MakeWorkbookCell(std::string text, bool numeric)
{
    WorkbookCell cell;
    cell.text = std::move(text);
    const int decimals = numeric ? PlainDecimals(cell.text) : -1;
    if (decimals < 0)
        return cell;
    double value = 0.0;
    const char* end = cell.text.data() + cell.text.size();
    if (std::from_chars(cell.text.data(), end, value).ptr != end)
        return cell;
    cell.number = true;
    cell.value = value;
    cell.decimals = decimals;
    return cell;
}
