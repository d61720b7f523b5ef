// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way the program writes a CSV table (the batch output, the
// comparison, the schedule): RFC 4180 quoting, whatever the separator. Plain
// C++, so that the command line and the windows share it. No raw control byte
// ever stands in a field: the only line ends are the rows' own.

#include <string>
#include <string_view>
#include <vector>

// The two forms of a CSV file the windows offer.
enum class CsvForm {
    Plain,  // comma-separated, decimal point
    Polish, // semicolon-separated, decimal comma: what a Polish spreadsheet opens
};

// The form's separator: ',' or ';'.
char CsvSeparator(CsvForm form);

// What a Polish CSV begins with: the byte order mark that tells a spreadsheet
// that the Polish letters are UTF-8.
inline constexpr std::string_view kCsvByteOrderMark = "\xEF\xBB\xBF";

// The form as the save dialog offers it: "CSV – przecinek, kropka dziesiętna
// (*.csv)" or "CSV dla polskiego arkusza – średnik, przecinek dziesiętny (*.csv)".
std::string_view CsvFilter(CsvForm form);

// One field: its text as VisibleText writes it (a control character as
// "\u0000", a byte that is not UTF-8 as "�"), as it is, or, when it holds the
// separator or a quote, in quotes with every quote doubled. The separator is
// ',' or ';'.
std::string CsvField(std::string_view text, char separator = ',');

// One row: the fields as CsvField gives them, joined by the separator, then
// the line end (CRLF by the rule, or "\n" where a Unix tool reads it).
std::string CsvRow(const std::vector<std::string>& fields, char separator = ',',
                   std::string_view lineEnd = "\r\n");
