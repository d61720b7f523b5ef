// SPDX-License-Identifier: GPL-3.0-or-later
// wywietrznik-cli: the ventilator calculation of the desktop program for
// scripts and checks, on the same code as the dialogs.
#include "cli/cli_batch.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_schedule.h"
#include "files/visible_text.h"

#include <QApplication>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <unistd.h>

namespace {

void WriteError(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// Runs the command line: its output into `output`, messages on the error
// output after it; the exit status.
int Run(CliOutput& output)
{
    const CliParseResult parsed = ParseCliArguments(QCoreApplication::arguments());
    if (!parsed) {
        WriteError(parsed.Reason() + "\nUżyj --help, aby zobaczyć opis opcji.\n");
        return kExitUsage;
    }
    if (const auto* info = CommandOf<CliInformation>(parsed)) {
        output.Write(info->text);
        return kExitResult;
    }
    const CliRequest& request = *CommandOf<CliRequest>(parsed);
    if (request.scheduleTemplate) {
        output.Write(ScheduleTemplateFile());
        return kExitResult;
    }
    std::string err;
    int status = kExitResult;
    if (!request.batch.empty()) {
        status = RunBatch(request, output, err);
    } else {
        std::string out;
        status =
            !request.schedule.empty() ? RunSchedule(request, out, err) : RunCli(request, out, err);
        output.Write(request.format == CliRequest::Format::Json ? VisibleJson(out) : out);
    }
    output.Flush();
    WriteError(err);
    return status;
}

// The calculator tells its own messages; Qt's warnings (an off-screen
// application without a runtime directory) are none of the user's concern.
void DropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// Whether the command line names --sheet (as "--sheet FILE" or "--sheet=FILE").
bool AsksForSheet(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0 || std::strncmp(argv[i], "--sheet=", 8) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails with its reason, rather
    // than the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The selection sheet paints the comparison's charts, which are widgets:
    // only then does the calculator start the graphical side, off screen.
    std::unique_ptr<QCoreApplication> application;
    if (AsksForSheet(argc, argv)) {
        qInstallMessageHandler(DropQtMessage);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    CliOutput output(STDOUT_FILENO);
    int status = kExitUsage;
    try {
        status = Run(output);
    } catch (const std::exception& error) {
        WriteError(std::string("wywietrznik-cli: ") + error.what() + '\n');
    }
    return output.Finish(status);
}
