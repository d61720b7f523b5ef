#pragma once

#include "cli/cli_request.h"

#include <string>
#include <string_view>

// Runs every case of a batch: each line holds the options of one run of the
// command-line calculator, split at blanks; "#" starts a comment and lines
// left blank are skipped. Prints one result per case (per ventilator with
// --all, per wind speed with --wind-sweep): CSV with a header row, or one JSON
// object a line. A bad case gives its error in its own row and the batch goes
// on. Returns the highest exit status of the cases (0 for no case).
int RunBatchText(std::string_view text, CliRequest::Format format, std::string& out);

// Reads the request's batch file ("-": standard input) and runs it; a file
// that cannot be read is told in `err`.
int RunBatch(const CliRequest& request, std::string& out, std::string& err);
