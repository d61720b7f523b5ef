// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_output.h"

#include "cli/cli_run.h"
#include "files/file_errors.h"
#include "files/xlsx_file.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// The buffer is written out in pieces of this size.
constexpr std::size_t kBufferSize = 65536;

} // namespace

CliOutput::CliOutput(int descriptor)
    : descriptor_(descriptor)
{
    buffer_.reserve(kBufferSize);
}

bool CliOutput::Write(std::string_view bytes)
{
    if (error_ != 0)
        return false;
    if (buffer_.size() + bytes.size() > kBufferSize && !Flush())
        return false;
    if (bytes.size() >= kBufferSize)
        return WriteOut(bytes);
    buffer_.append(bytes);
    return true;
}

bool CliOutput::Flush()
{
    if (error_ != 0)
        return false;
    const bool written = WriteOut(buffer_);
    buffer_.clear();
    return written;
}

// Writes the bytes whole: a write that takes only a part (a file-size limit
// reached half-way) goes on with the rest, whose write then fails with the
// reason.
bool CliOutput::WriteOut(std::string_view bytes)
{
    while (!bytes.empty() && error_ == 0) {
        const ssize_t n = ::write(descriptor_, bytes.data(), bytes.size());
        if (n > 0)
            bytes.remove_prefix(static_cast<std::size_t>(n));
        else if (n < 0 && errno != EINTR)
            error_ = errno;
        else if (n == 0)
            error_ = EIO;
    }
    return error_ == 0;
}

int CliOutput::Finish(int status)
{
    if (Flush())
        return status;
    const std::string message = "wywietrznik-cli: nie można zapisać wyniku: " +
                                FileErrorText(error_, FileAccess::Write).toStdString() + ".\n";
    std::fwrite(message.data(), 1, message.size(), stderr);
    return kExitFile;
}

int WriteWorkbook(const std::string& path, const Workbook& workbook, int status, std::string& err)
{
    const Outcome written = WriteXlsxFile(QString::fromStdString(path), workbook);
    if (written)
        return status;
    err += "wywietrznik-cli: " + written.Reason() + '\n';
    return kExitFile;
}
