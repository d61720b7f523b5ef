// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_windows.h"

#include "app/about.h"
#include "app/main_window.h"
#include "app/printing.h"
#include "compare/compare_window.h"
#include "dialogs/adjustable_grille_dialog.h"
#include "dialogs/density_mode_dialog.h"
#include "dialogs/duct_material_dialog.h"
#include "dialogs/duct_shape_dialog.h"
#include "dialogs/hall_dialog.h"
#include "dialogs/installation_dialog.h"
#include "dialogs/rectangular_duct_dialog.h"
#include "dialogs/rectangular_grille_dialog.h"
#include "dialogs/round_duct_dialog.h"
#include "dialogs/round_grille_dialog.h"
#include "dialogs/typed_density_dialog.h"
#include "dialogs/value_file.h"
#include "dialogs/ventilator_dialog.h"
#include "dialogs/weather_dialog.h"
#include "schedule/schedule_window.h"
#include "year/year_window.h"

#include <QDir>

#include <utility>

ProgramWindows::ProgramWindows(CalcState& state, QStringList helpDirectories)
    : printer_(QPrinter::HighResolution)
    , help_(std::move(helpDirectories))
{
    ConfigurePrinter(printer_);
    // Without a printer the print dialog offers a PDF file; suggest one in the
    // working directory.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
        printer_.setOutputFileName(QDir::current().absoluteFilePath(QStringLiteral("wyniki.pdf")));

    // Every window once, in this order. The main window comes first and is
    // the program's main window.
    mainWindow_ = std::make_unique<MainWindow>(state, *this);
    creationOrder_.push_back(mainWindow_.get());
    aboutBox_ = new AboutBox(mainWindow_.get());
    creationOrder_.push_back(aboutBox_);
    // The dialogs with edit fields read their value files while they are
    // created, so the files are read once per run, here. This list is also the
    // one table of which window each step of the wizard shows.
    CreateStep(WizardDialog::TypedDensity, typedDensity_, state);
    CreateStep(WizardDialog::RectangularDuct, rectangularDuct_, state);
    CreateStep(WizardDialog::Hall, hall_, state);
    CreateStep(WizardDialog::Weather, weather_, state);
    CreateStep(WizardDialog::RoundDuct, roundDuct_, state);
    CreateStep(WizardDialog::DensityMode, densityMode_, state);
    CreateStep(WizardDialog::DuctShape, ductShape_, state);
    CreateStep(WizardDialog::InstallationType, installationType_, state);
    CreateStep(WizardDialog::DuctMaterial, ductMaterial_, state);
    Create(ventilator_, VentilatorDialog::kObjectName, state);
    CreateStep(WizardDialog::BuildingRectangular, rectangularGrille_, state);
    CreateStep(WizardDialog::BuildingRound, roundGrille_, state);
    CreateStep(WizardDialog::BuildingAdjustable, adjustableGrille_, state);
    // Last, the comparison of all ventilators, an addition to the classic windows.
    Create(comparison_, "CompareForm", state, [this](int index) {
        mainWindow_->RunCommand([this, index] { mainWindow_->ChooseVentilator(index); });
    });
    CreateMenuWindows(state);
    ShareYearWeather();
    // A value file that cannot be saved is told on the main window's status line.
    for (QWidget* window : creationOrder_)
        for (auto* file : window->findChildren<DialogValueFile*>(Qt::FindDirectChildrenOnly))
            QObject::connect(file, &DialogValueFile::SaveFailed, mainWindow_.get(),
                             &MainWindow::ShowSaveFailure);
}

void ProgramWindows::CreateMenuWindows(CalcState& state)
{
    // Windows of their own beside the main window, hidden until their menu
    // item shows them.
    year_ = new YearWindow(state, mainWindow_.get());
    QObject::connect(year_, &YearWindow::Edited, mainWindow_.get(),
                     &MainWindow::MarkScheduleEdited);
    schedule_ = new ScheduleWindow(mainWindow_.get());
    QObject::connect(schedule_, &ScheduleWindow::Edited, mainWindow_.get(),
                     &MainWindow::MarkScheduleEdited);
}

void ProgramWindows::ShareYearWeather()
{
    // The weather loaded in "Praca w ciągu roku" is the comparison's column
    // "Godziny spełnienia [%]" and the schedule's condition "rok" too (the
    // schedule's ventilators stand at its own height, N × h + 1 m).
    YearWindow* year = year_;
    CompareWindow* compare = comparison_;
    ScheduleWindow* schedule = schedule_;
    QObject::connect(year, &YearWindow::WeatherChanged, compare, [year, compare, schedule] {
        const Site site = year->CurrentSite();
        compare->SetYearWeather(year->SharedWeather(), site, year->CurrentPeriod());
        schedule->SetYearWeather(year->SharedWeather(), site.stationTerrain, site.buildingTerrain);
    });
}

template <class Window, class... Arguments>
void ProgramWindows::Create(Window*& window, const char* name, Arguments&&... arguments)
{
    window = new Window(std::forward<Arguments>(arguments)..., mainWindow_.get());
    window->setObjectName(QString::fromLatin1(name));
    creationOrder_.push_back(window);
}

template <class Window, class... Arguments>
void ProgramWindows::CreateStep(WizardDialog step, Window*& window, Arguments&&... arguments)
{
    Create(window, Window::kObjectName, std::forward<Arguments>(arguments)...);
    wizardWindows_.at(static_cast<std::size_t>(step)) = window;
}

QDialog& ProgramWindows::WizardWindow(WizardDialog dialog) const
{
    return *wizardWindows_.at(static_cast<std::size_t>(dialog));
}

ProgramWindows::~ProgramWindows() = default;
