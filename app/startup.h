// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/help_engine.h"

#include <QStringList>

#include <functional>
#include <optional>

class ProgramWindows;

// How the program is started. The defaults are those of the real program;
// a test or an embedding program may look for the help elsewhere and act on
// the windows once they exist.
struct ProgramSetup {
    // Where the help engine looks for the help document; by default beside
    // the executable and then in the installed data directory.
    std::optional<QStringList> helpDirectories;
    // Called after every window has been created, before the event loop runs.
    std::function<void(ProgramWindows&)> windowsCreated;
};

// The whole run of the program: resets the calculation state, starts the
// application, creates every window, shows the main window maximised and runs
// the event loop until the main window closes. An error that escapes start-up
// or the loop is shown in the standard error box and ends the program.
// Returns 0.
int RunProgram(int& argc, char** argv, const ProgramSetup& setup = ProgramSetup());
