// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/application.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "calc/calc_state.h"
#include "resources/program_icons.h"
#include "ui/program_font.h"
#include "ui/show_message.h"
#include "ui/text.h"

#include <QTimer>

#include <cstdio>
#include <exception>

int RunProgram(int& argc, char** argv, const ProgramSetup& setup)
{
    // The calculation state is reset before the toolkit starts.
    ResetCalcState(ProgramCalcState());
    try {
        ProgramApplication application(argc, argv);
        RunGuarded(nullptr, [&] {
            SetApplicationTitle(Text(kApplicationTitle));
            QApplication::setWindowIcon(ProgramIcon());
            InstallProgramFontSubstitute();
            // The program ends with its main window, whatever else is open
            // (the help window, say).
            QApplication::setQuitOnLastWindowClosed(false);

            ProgramWindows windows(ProgramCalcState(), setup.helpDirectories.value_or(
                                                           HelpEngine::DefaultSearchDirectories()));
            QObject::connect(&windows.Main(), &MainWindow::Closed, &application,
                             &QCoreApplication::quit, Qt::QueuedConnection);
            if (setup.windowsCreated)
                setup.windowsCreated(windows);
            windows.Main().ShowMainWindow();
            // A calculation file as the only argument (from the desktop entry)
            // is opened once the window shows.
            const QStringList arguments = QCoreApplication::arguments();
            if (arguments.size() == 2) {
                MainWindow& mainForm = windows.Main();
                QTimer::singleShot(0, &mainForm, [&mainForm, path = arguments.at(1)] {
                    mainForm.RunCommand(
                        [&] { ShowOutcome(&mainForm, mainForm.OpenProject(path)); });
                });
            }
            QApplication::exec();
        });
    } catch (const std::exception& error) {
        // Without an application object there is no window to show it in.
        std::fprintf(stderr, "%s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "Nieznany błąd przy uruchamianiu programu.\n");
    }
    return 0;
}
