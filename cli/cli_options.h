#pragma once

#include "cli_request.h"

#include <QStringList>

// Reads the command line of wywietrznik-cli (arguments[0] is the program name).
// A repeated option, a conflict, a wrong number of comma-separated values, a
// choice outside its range or a missing input is a usage error naming the option.
CliParseResult ParseCliArguments(const QStringList& arguments);
