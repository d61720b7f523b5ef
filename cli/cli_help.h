#pragma once

#include <string>

// The text of --help: the options, and what the numbers of the choices mean
// (the models, materials, inlets and grilles of the program's tables).
std::string CliHelpText();
