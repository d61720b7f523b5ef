// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_request.h"

#include <string>
#include <string_view>

class CliOutput;

// The longest line of a batch file, in bytes without its line end; a longer
// one is that line's error, and is never held whole.
inline constexpr std::size_t kLongestBatchLine = 65536;

// Runs every case of a batch: each line holds the options of one run of the
// command-line calculator, split at blanks; "#" starts a comment and lines
// left blank are skipped. Prints one result per case (per ventilator with
// --all, per wind speed with --wind-sweep): CSV with a header row, or one JSON
// object a line. A bad case (options that do not parse, a line too long, with
// a control character or not in UTF-8) gives its error in its own row and the
// batch goes on. Returns the highest exit status of the cases (0 for no case).
int RunBatchText(std::string_view text, CliRequest::Format format, std::string& out);

// Reads the request's batch file ("-": standard input) line by line and
// writes each case's result to `out` as soon as it is computed; the output is
// written out before every read that may wait. A file that cannot be read is
// told in `err`; a failed write ends the batch (CliOutput::Finish tells it).
int RunBatch(const CliRequest& request, CliOutput& out, std::string& err);
