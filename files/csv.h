#pragma once

// The one way the program writes a CSV table (the batch output, the
// comparison): RFC 4180 quoting, whatever the separator. Plain C++, so that the
// command line and the windows share it.

#include <string>
#include <string_view>
#include <vector>

// One field: as it is, or, when it holds the separator, a quote, a CR or an
// LF, in quotes with every quote doubled. The separator is ',' or ';'.
std::string CsvField(std::string_view text, char separator = ',');

// One row: the fields as CsvField gives them, joined by the separator, then
// the line end (CRLF by the rule, or "\n" where a Unix tool reads it).
std::string CsvRow(const std::vector<std::string>& fields, char separator = ',',
                   std::string_view lineEnd = "\r\n");
