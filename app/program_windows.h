// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/help_engine.h"
#include "app/wizard.h"

#include <QPrinter>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

struct CalcState;
class QDialog;
class QWidget;
class AboutBox;
class CompareWindow;
class AdjustableGrilleDialog;
class DensityModeDialog;
class DuctMaterialDialog;
class DuctShapeDialog;
class HallDialog;
class InstallationDialog;
class MainWindow;
class RectangularDuctDialog;
class RectangularGrilleDialog;
class RoundDuctDialog;
class RoundGrilleDialog;
class ScheduleWindow;
class TypedDensityDialog;
class VentilatorDialog;
class WeatherDialog;
class YearWindow;

// The owner of every window of the program, of the one printer that the print
// and printer set-up dialogs configure, and of the help engine. It creates
// each window once, in the program's order, the main window first, and
// destroys them all when it goes; windows are never re-created in between.
// The main window belongs to its unique_ptr; every other window is a child of
// the main window and goes with it (Qt's parent), so the pointers here only
// find them.
class ProgramWindows {
public:
    // helpDirectories: where the help engine looks for the help document.
    explicit ProgramWindows(CalcState& state,
                            QStringList helpDirectories = HelpEngine::DefaultSearchDirectories());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    MainWindow& Main() const { return *mainWindow_; }
    AboutBox& About() const { return *aboutBox_; }
    TypedDensityDialog& TypedDensity() const { return *typedDensity_; }
    RectangularDuctDialog& RectangularDuct() const { return *rectangularDuct_; }
    HallDialog& Hall() const { return *hall_; }
    WeatherDialog& Weather() const { return *weather_; }
    RoundDuctDialog& RoundDuct() const { return *roundDuct_; }
    DensityModeDialog& DensityMode() const { return *densityMode_; }
    DuctShapeDialog& DuctShape() const { return *ductShape_; }
    InstallationDialog& InstallationType() const { return *installationType_; }
    DuctMaterialDialog& DuctMaterial() const { return *ductMaterial_; }
    VentilatorDialog& Ventilator() const { return *ventilator_; }
    RectangularGrilleDialog& RectangularGrille() const { return *rectangularGrille_; }
    RoundGrilleDialog& RoundGrille() const { return *roundGrille_; }
    AdjustableGrilleDialog& AdjustableGrille() const { return *adjustableGrille_; }
    CompareWindow& Comparison() const { return *comparison_; }
    // The windows of the menu that the calculation file keeps.
    YearWindow& Year() const { return *year_; }
    ScheduleWindow& Schedule() const { return *schedule_; }

    // The input dialog that a step of the calculation wizard shows.
    QDialog& WizardWindow(WizardDialog dialog) const;

    QPrinter& Printer() { return printer_; }
    HelpEngine& Help() { return help_; }

    // The main window and the dialogs in the order they were created (the
    // year and schedule windows, windows of their own, come after them).
    const std::vector<QWidget*>& CreationOrder() const { return creationOrder_; }

private:
    // Creates a window with the main window as its parent and notes its place
    // in the order of creation.
    template <class Window, class... Arguments>
    void Create(Window*& window, const char* name, Arguments&&... arguments);
    // Creates the window of a step of the wizard, under its designer's name.
    template <class Window, class... Arguments>
    void CreateStep(WizardDialog step, Window*& window, Arguments&&... arguments);
    // The year and schedule windows, whose changes mark the calculation changed.
    void CreateMenuWindows(CalcState& state);

    // Gives the other windows the weather of the year window whenever it changes.
    void ShareYearWeather();

    QPrinter printer_;
    HelpEngine help_;
    std::vector<QWidget*> creationOrder_;
    std::array<QDialog*, kWizardDialogCount> wizardWindows_{};
    // Destroys the main window and with it, its children, every other window.
    std::unique_ptr<MainWindow> mainWindow_;
    AboutBox* aboutBox_ = nullptr;
    TypedDensityDialog* typedDensity_ = nullptr;
    RectangularDuctDialog* rectangularDuct_ = nullptr;
    HallDialog* hall_ = nullptr;
    WeatherDialog* weather_ = nullptr;
    RoundDuctDialog* roundDuct_ = nullptr;
    DensityModeDialog* densityMode_ = nullptr;
    DuctShapeDialog* ductShape_ = nullptr;
    InstallationDialog* installationType_ = nullptr;
    DuctMaterialDialog* ductMaterial_ = nullptr;
    VentilatorDialog* ventilator_ = nullptr;
    RectangularGrilleDialog* rectangularGrille_ = nullptr;
    RoundGrilleDialog* roundGrille_ = nullptr;
    AdjustableGrilleDialog* adjustableGrille_ = nullptr;
    CompareWindow* comparison_ = nullptr;
    YearWindow* year_ = nullptr;
    ScheduleWindow* schedule_ = nullptr;
};
