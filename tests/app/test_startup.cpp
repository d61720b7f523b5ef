// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"

#include "app/about.h"
#include "app/application.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/startup.h"

#include <QAction>
#include <QMessageBox>
#include <QtTest>

#include <stdexcept>

namespace {

// The program's command line: its name only.
struct CommandLine {
    char name[16] = "wywietrznik";
    char* argv[2] = {name, nullptr};
    int argc = 1;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startsResetCreatesTheWindowsAndEndsWithKoniec()
    {
        TemporaryWorkingDirectory directory;
        ProgramCalcState().ResultsShown = true; // left over; start-up must reset it
        ProgramCalcState().AirDensity = 1.2;
        CommandLine line;
        bool created = false, wasReset = false, applicationOfTheProgram = false;
        bool shownMaximised = false, quitOnLastWindow = true;
        QString name, version;
        QStringList order;
        ProgramSetup setup;
        setup.helpDirectories = QStringList{directory.path()};
        setup.windowsCreated = [&](ProgramWindows& windows) {
            created = true;
            wasReset = ProgramCalcState() == CalcState{};
            applicationOfTheProgram = qobject_cast<ProgramApplication*>(qApp) != nullptr;
            name = QCoreApplication::applicationName();
            version = QCoreApplication::applicationVersion();
            quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
            for (const QWidget* window : windows.CreationOrder())
                order << window->objectName();
            // Once the loop runs: the main window is shown maximised; then
            // "Koniec" ends the program.
            MainWindow* form = &windows.Main();
            QTimer::singleShot(0, form, [form, &shownMaximised] {
                shownMaximised = form->isVisible() && form->isMaximized();
                form->findChild<QAction*>(QStringLiteral("FileExitItem"))->trigger();
            });
        };
        QCOMPARE(RunProgram(line.argc, line.argv, setup), 0);
        QVERIFY(created);
        QVERIFY(wasReset);
        QVERIFY(applicationOfTheProgram);
        QCOMPARE(name, QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        QCOMPARE(version, QStringLiteral(WYW_PROJECT_VERSION));
        QVERIFY(!quitOnLastWindow);
        const QStringList classic = {"MainForm",
                                     "AboutBox",
                                     "OKBottomDlg",
                                     "Form1",
                                     "Form2",
                                     "Form3",
                                     "Form4",
                                     "OKBottomDlg3",
                                     "OKBottomDlg333",
                                     "OKBottomDlg3333",
                                     "OKBottomDlg33333",
                                     "OKBottomDlg_wyw",
                                     "Form22",
                                     "Form222",
                                     "Form2222"};
        QCOMPARE(order, classic + QStringList{"CompareForm"});
        QVERIFY(shownMaximised);
        // Nothing is written at exit.
        QVERIFY(directory.entries().isEmpty());
    }

    void helpWindowDoesNotKeepTheProgramRunning()
    {
        TemporaryWorkingDirectory directory;
        QVERIFY(QFile::copy(QStringLiteral(WYW_HELP_SOURCE),
                            directory.filePath(QStringLiteral("wywietrznik_pl.html"))));
        CommandLine line;
        bool helpShown = false;
        ProgramSetup setup;
        setup.helpDirectories = QStringList{directory.path()};
        setup.windowsCreated = [&](ProgramWindows& windows) {
            MainWindow* form = &windows.Main();
            QTimer::singleShot(0, form, [form, &windows, &helpShown] {
                form->findChild<QAction*>(QStringLiteral("HelpContentsItem"))->trigger();
                helpShown = windows.Help().Window() && windows.Help().Window()->isVisible();
                form->close(); // the title bar's close box
            });
        };
        QCOMPARE(RunProgram(line.argc, line.argv, setup), 0);
        QVERIFY(helpShown);
    }

    void errorEscapingStartUpIsShownAndEndsTheProgram()
    {
        TemporaryWorkingDirectory directory;
        CommandLine line;
        QString text, caption;
        bool boxShown = false, loopRan = false;
        std::unique_ptr<ModalWatch> watch;
        ProgramSetup setup;
        setup.helpDirectories = QStringList{directory.path()};
        setup.windowsCreated = [&](ProgramWindows& windows) {
            QTimer::singleShot(0, &windows.Main(), [&loopRan] { loopRan = true; });
            watch = WhenModal<QMessageBox>([&](QMessageBox* box) {
                boxShown = true;
                text = box->text();
                caption = box->windowTitle();
                box->accept();
            });
            throw std::runtime_error("Nie udało się utworzyć okna");
        };
        QCOMPARE(RunProgram(line.argc, line.argv, setup), 0);
        watch.reset();
        QVERIFY(boxShown);
        QCOMPARE(text, QStringLiteral("Nie udało się utworzyć okna"));
        QCOMPARE(caption, QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        QVERIFY(!loopRan);
    }
};

int main(int argc, char** argv)
{
    // Each test starts the whole program, with its own application object.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_startup.moc"
