// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/workbook.h"

#include <string>
#include <string_view>

// The standard output of the command-line calculator, written through a
// buffer of its own with every write checked. Every output (a report, a table,
// CSV, JSON, --help, --version, the template, a batch, a schedule) goes
// through here, so that a result that does not reach its file whole (a full
// disk, a file-size limit) is told with its reason and ends the run with
// status 4 rather than 0.
class CliOutput {
public:
    explicit CliOutput(int descriptor);
    CliOutput(const CliOutput&) = delete;
    CliOutput& operator=(const CliOutput&) = delete;

    // Adds the bytes, writing the buffer out whenever it fills; false once a
    // write has failed (all that follows is then dropped).
    bool Write(std::string_view bytes);
    // Writes out what the buffer holds; false once a write has failed.
    bool Flush();
    // The errno of the first failed write; 0 while none failed.
    int Error() const { return error_; }
    // After the last write: `status` when all of it reached the output,
    // otherwise kExitFile once the reason is told on the error output
    // ("wywietrznik-cli: nie można zapisać wyniku: brak miejsca na dysku.").
    int Finish(int status);

private:
    bool WriteOut(std::string_view bytes);

    int descriptor_;
    std::string buffer_;
    int error_ = 0;
};

// A workbook (--format xlsx) written whole to its file, or not at all:
// `status` when it was written, otherwise kExitFile with the reason in `err`
// ("wywietrznik-cli: Nie można zapisać pliku „wynik.xlsx”: …").
int WriteWorkbook(const std::string& path, const Workbook& workbook, int status, std::string& err);
