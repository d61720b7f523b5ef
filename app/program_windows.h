#pragma once

#include "help_engine.h"

#include <QPrinter>
#include <QStringList>

#include <memory>
#include <vector>

struct CalcState;
class QWidget;
class TAboutBox;
class TMainForm;

// The owner of every window of the program, of the one printer that the print
// and printer set-up dialogs configure, and of the help engine. It creates
// each window once, in the program's order, the main window first, and
// destroys them all when it goes; windows are never re-created in between.
class ProgramWindows {
public:
    // helpDirectories: where the help engine looks for the help document.
    explicit ProgramWindows(CalcState& state,
                            QStringList helpDirectories = HelpEngine::DefaultSearchDirectories());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TMainForm& MainForm() const { return *mainForm_; }
    TAboutBox& AboutBox() const { return *aboutBox_; }

    QPrinter& Printer() { return printer_; }
    HelpEngine& Help() { return help_; }

    // The windows in the order they were created.
    const std::vector<QWidget*>& CreationOrder() const { return creationOrder_; }

private:
    QPrinter printer_;
    HelpEngine help_;
    std::vector<QWidget*> creationOrder_;
    // Destroyed in the reverse order: the dialogs before the main window.
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TAboutBox> aboutBox_;
    // The input dialogs and the ventilator choice follow here, in the order of
    // their creation (see the constructor).
};
