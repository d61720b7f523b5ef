#pragma once

#include "cli/cli_request.h"

#include <QStringList>

#include <string>
#include <vector>

// Reads the command line of wywietrznik-cli (arguments[0] is the program name).
// An unknown or repeated option, a missing value, a value that is not a number
// as written, a conflict, a wrong number of comma-separated values, a choice
// outside its range or a missing input is a usage error naming the option.
// "-h" is "--help"; a value may follow its option ("--wind -3") or be joined to
// it with "=".
CliParseResult ParseCliArguments(const std::vector<std::string>& arguments);
CliParseResult ParseCliArguments(const QStringList& arguments);
