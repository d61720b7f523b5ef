// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_request.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// Reads the command line of wywietrznik-cli (arguments[0] is the program name).
// An unknown or repeated option, a missing value, a value that is not a number
// as written, a conflict, a wrong number of comma-separated values, a choice
// outside its range or a missing input is a usage error naming the option.
// "-h" is "--help"; a value may follow its option ("--wind -3") or be joined to
// it with "=".
CliParseResult ParseCliArguments(const std::vector<std::string>& arguments);
CliParseResult ParseCliArguments(const QStringList& arguments);

// The line of --help of each option, in the order --help lists them: the
// option with the name of its value ("--wind V") and what it does; a "\n" in
// the help goes on under it on the next line.
struct CliOptionHelp {
    std::string usage;
    std::string_view help;
};
std::vector<CliOptionHelp> CliOptionHelps();
