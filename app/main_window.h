// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"
#include "resources/program_icons.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>

struct CalcState;
class ClientArea;
class ProgramWindows;
class QAction;
class QMenu;
class QStatusBar;
class QToolButton;
class TextCanvas;

// The main window: the menu, the toolbar, the status line with hints, and the
// report area, which shows the results report of the calculation state on
// every repaint. It runs the wizard and the other commands; closing it ends
// the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The designer's name of the window.
    static constexpr const char* kObjectName = "MainForm";

    // The state is the one record the commands and the report work on; the
    // owner gives the commands the other windows, the printer and the help.
    MainWindow(CalcState& state, ProgramWindows& windows);

    // Shows the window maximised, as the program does when its loop starts.
    void ShowMainWindow();

    // The handlers. The menu and the toolbar run each command through
    // RunCommand, so that an error inside it is shown and the program goes on;
    // a command that can fail gives the reason, which ShowOutcome shows.
    void ShowHint(const QString& hint);
    void FileNew();
    void ChooseVentilatorOnly();
    void CompareVentilators();
    // "Zapisz obliczenia" and "Otwórz obliczenia…": a file chosen in a file
    // dialog, then SaveProject or OpenProject.
    // "Zapisz obliczenia" (Ctrl+S) saves an open file under its name.
    Outcome FileSaveProject();
    // "Zapisz obliczenia jako…" asks, proposing the open file's name.
    Outcome FileSaveProjectAs();
    Outcome FileOpenProject();
    // Writes the calculation and every input dialog's controls into `path`.
    Outcome SaveProject(const QString& path);
    // Restores a calculation kept in `path` with every dialog's controls,
    // computes it again and shows the report; says so when the results differ
    // from those saved. A file that cannot be read changes nothing.
    Outcome OpenProject(const QString& path);
    Outcome FilePrint();
    // "Karta doboru…": the selection sheet of the current calculation into a
    // PDF file, with the draught and the need of the comparison window;
    // refused before there is a calculation.
    Outcome FileSheet();
    Outcome SaveSheet(const QString& path, const QString& project, const QString& duct);
    void FilePrintSetup();
    void FileExit();
    void HelpAbout();
    void HelpContents();
    // Draws the report area: a blank at (20, 50), then, only when results are
    // shown, the screen report with each line's top-left corner at
    // (20, 50 + 20 * row) from the top of the client area.
    void Paint(TextCanvas& canvas) const;

    // Makes a model 1..27 the current ventilator exactly as a confirmed
    // ventilator choice does, and checks it in the ventilator choice dialog.
    void ChooseVentilator(int index);

    // Runs a command; an error it raises is shown in the standard error box.
    void RunCommand(const std::function<void()>& command);

    // Asks for a repaint of the report area.
    void Invalidate();

    // A dialog's value file could not be saved: the status line says which
    // and why, together with the others of the same calculation.
    void ShowSaveFailure(const Outcome& outcome);

    // A change in the schedule or the year window: the calculation is changed
    // whether or not it belongs to a file.
    void MarkScheduleEdited();

signals:
    // The window has been closed: the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The chosen VentilatorIndex computed, with the message on a failure.
    void CalculateChosenVentilator();
    void PlaceWindow();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    // A command as the menu and the toolbar run it.
    template <class Returned> std::function<void()> Command(Returned (MainWindow::*command)());
    QAction* CreateAction(const QString& caption, const QString& hint, const char* name,
                          const std::function<void()>& command);
    QToolButton* CreateToolButton(QWidget* toolBar, const char* name, ToolGlyph glyph,
                                  const QString& toolTip, int x, QAction* action);
    void SetUpMenu(QMenu* menu);
    // The window title names the calculation's file.
    void ShowProjectFile(const QString& path);
    // The title without the mark of a change.
    QString TitleText() const;
    void UpdateTitle();
    // A change of the calculation marks an open file changed (a calculation
    // that belongs to no file is kept by the dialogs' value files).
    void MarkChanged();
    // Before changes that were not saved are dropped: asks whether to save
    // them. True when the command may go on (saved, or not to be saved).
    bool ConfirmDiscard();

    CalcState& state_;
    ProgramWindows& windows_;
    ClientArea* clientArea_ = nullptr;
    QStatusBar* statusLine_ = nullptr;
    QStringList saveFailures_; // of the calculation under way

    QAction* newAction_ = nullptr;
    QAction* ventilatorOnlyAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QString projectFile_;         // the open calculation file; empty: none
    bool projectChanged_ = false; // changed since opened or saved
    QAction* openAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* sheetAction_ = nullptr;
    QAction* printSetupAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* helpContentsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};
