// wywietrznik-cli: the ventilator calculation of the desktop program for
// scripts and checks, on the same code as the dialogs.
#include "cli/cli_batch.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/cli_schedule.h"
#include "files/file_errors.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>

namespace {

void Write(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// The status, or kExitFile when the output could not be written whole (a full
// disk, a file-size limit), which is then told on the error output.
int Flushed(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    const int error = errno != 0 ? errno : EIO;
    Write(stderr, "wywietrznik-cli: nie można zapisać wyniku: " +
                      FileErrorText(error, FileAccess::Write).toStdString() + ".\n");
    return kExitFile;
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails with its reason, rather
    // than the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication application(argc, argv);
    try {
        const CliParseResult parsed = ParseCliArguments(QCoreApplication::arguments());
        if (!parsed) {
            Write(stderr, parsed.Reason() + "\nUżyj --help, aby zobaczyć opis opcji.\n");
            return kExitUsage;
        }
        if (const auto* info = CommandOf<CliInformation>(parsed)) {
            Write(stdout, info->text);
            return Flushed(kExitResult);
        }
        std::string out;
        std::string err;
        const CliRequest& request = *CommandOf<CliRequest>(parsed);
        if (request.scheduleTemplate) {
            Write(stdout, ScheduleTemplateFile());
            return kExitResult;
        }
        const int status = !request.schedule.empty() ? RunSchedule(request, out, err)
                           : request.batch.empty()   ? RunCli(request, out, err)
                                                     : RunBatch(request, out, err);
        Write(stdout, out);
        Write(stderr, err);
        return Flushed(status);
    } catch (const std::exception& error) {
        Write(stderr, std::string("wywietrznik-cli: ") + error.what() + '\n');
        return kExitUsage;
    }
}
