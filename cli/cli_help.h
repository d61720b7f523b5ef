// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The text of --help: the options, and what the numbers of the choices mean
// (the models, materials, inlets and grilles of the program's tables).
std::string CliHelpText();

// The part of --help that the README shows: the options, one line (or more)
// each from the option table, how numbers are written and the exit statuses.
std::string CliUsageText();
