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
class TypedDensityDialog;
class VentilatorDialog;
class WeatherDialog;

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
    CompareWindow& CompareForm() const { return *compareForm_; }

    // The input dialog that a step of the calculation wizard shows.
    QDialog& WizardWindow(WizardDialog dialog) const;

    QPrinter& Printer() { return printer_; }
    HelpEngine& Help() { return help_; }

    // The windows in the order they were created.
    const std::vector<QWidget*>& CreationOrder() const { return creationOrder_; }

private:
    // Creates a window with the main window as its parent and notes its place
    // in the order of creation.
    template <class Window, class... Arguments>
    void Create(std::unique_ptr<Window>& window, const char* name, Arguments&&... arguments);
    // Creates the window of a step of the wizard, under its designer's name.
    template <class Window, class... Arguments>
    void CreateStep(WizardDialog step, std::unique_ptr<Window>& window, Arguments&&... arguments);

    // Gives the other windows the weather of the year window whenever it changes.
    void ShareYearWeather();

    QPrinter printer_;
    HelpEngine help_;
    std::vector<QWidget*> creationOrder_;
    std::array<QDialog*, kWizardDialogCount> wizardWindows_{};
    // Destroyed in the reverse order: the dialogs before the main window.
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<AboutBox> aboutBox_;
    std::unique_ptr<TypedDensityDialog> typedDensity_;
    std::unique_ptr<RectangularDuctDialog> rectangularDuct_;
    std::unique_ptr<HallDialog> hall_;
    std::unique_ptr<WeatherDialog> weather_;
    std::unique_ptr<RoundDuctDialog> roundDuct_;
    std::unique_ptr<DensityModeDialog> densityMode_;
    std::unique_ptr<DuctShapeDialog> ductShape_;
    std::unique_ptr<InstallationDialog> installationType_;
    std::unique_ptr<DuctMaterialDialog> ductMaterial_;
    std::unique_ptr<VentilatorDialog> ventilator_;
    std::unique_ptr<RectangularGrilleDialog> rectangularGrille_;
    std::unique_ptr<RoundGrilleDialog> roundGrille_;
    std::unique_ptr<AdjustableGrilleDialog> adjustableGrille_;
    std::unique_ptr<CompareWindow> compareForm_;
};
