// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"
#include "ui/outer_size.h"

#include "app/about.h"
#include "app/application.h"
#include "app/client_area.h"
#include "app/help_engine.h"
#include "app/hints.h"
#include "app/printing.h"
#include "app/program_windows.h"
#include "app/project_windows.h"
#include "app/ventilator_command.h"
#include "app/wizard.h"
#include "calc/calc_state.h"
#include "calc/inputs.h"
#include "compare/compare_window.h"
#include "dialogs/ventilator_dialog.h"
#include "dialogs/weather_dialog.h"
#include "files/safe_file.h"
#include "project/project_file.h"
#include "report/report_draw.h"
#include "report/report_lines.h"
#include "schedule/schedule_menu.h"
#include "ui/program_font.h"
#include "ui/show_message.h"
#include "ui/text.h"
#include "year/year_menu.h"
#include "year/year_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

#include <type_traits>

namespace {

constexpr int kToolBarHeight = 33;
constexpr int kToolButtonSize = 25;
constexpr int kToolButtonTop = 4;
constexpr int kStatusLineHeight = 23;

// The wizard's steps on the program's own windows.
class WindowWizardSteps : public WizardSteps {
public:
    WindowWizardSteps(MainWindow& mainForm, const ProgramWindows& windows)
        : mainWindow_(mainForm)
        , windows_(windows)
    {
    }
    bool Confirm(WizardDialog dialog) override
    {
        return windows_.WizardWindow(dialog).exec() == QDialog::Accepted;
    }
    void RunVentilatorCommand() override { mainWindow_.ChooseVentilatorOnly(); }
    void Repaint() override { mainWindow_.Invalidate(); }

private:
    MainWindow& mainWindow_;
    const ProgramWindows& windows_;
};

// The failed calculation's box: no owner window, one OK button, no icon.
void ShowCalculationFailure(const OperatingPoint& point)
{
    ShowMessage(nullptr, QMessageBox::NoIcon, Text(kCalculationFailureCaption),
                CalculationFailureText(point), QStringLiteral("CalculationFailure"));
}

} // namespace

MainWindow::MainWindow(CalcState& state, ProgramWindows& windows)
    : state_(state)
    , windows_(windows)
{
    setObjectName(QString::fromLatin1(kObjectName));
    UpdateTitle();
    setWindowIcon(ProgramIcon());
    setFont(ProgramFont(8));

    clientArea_ = new ClientArea([this](TextCanvas& canvas) { Paint(canvas); }, this);
    clientArea_->setObjectName(QStringLiteral("ReportArea"));
    setCentralWidget(clientArea_);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    PlaceWindow();
}

void MainWindow::PlaceWindow()
{
    // The restored place and size; the window opens maximised.
    resize(808, 546);
    move(220, 135);
    KeepOuterSize(this, QSize(808, 546)); // the restored size, frame included
    setWindowState(Qt::WindowMaximized);
    SetApplicationTitle(Text(kApplicationTitle));
}

void MainWindow::ShowMainWindow()
{
    showMaximized();
}

template <class Returned>
std::function<void()> MainWindow::Command(Returned (MainWindow::*command)())
{
    return [this, command] {
        RunCommand([this, command] {
            if constexpr (std::is_same_v<Returned, Outcome>)
                ShowOutcome(this, (this->*command)());
            else
                (this->*command)();
        });
    };
}

QAction* MainWindow::CreateAction(const QString& caption, const QString& hint, const char* name,
                                  const std::function<void()>& command)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, command);
    return action;
}

void MainWindow::CreateActions()
{
    newAction_ = CreateAction(QStringLiteral("&Nowe obliczenia"),
                              QStringLiteral("Obliczenia ilości odciąganego powietrza"),
                              "FileNewItem", Command(&MainWindow::FileNew));
    ventilatorOnlyAction_ =
        CreateAction(QStringLiteral("&Wybierz tylko wywietrznik"),
                     QStringLiteral("Obliczenia dla nowego wywietrznika"), "FileWywietrznikItem",
                     Command(&MainWindow::ChooseVentilatorOnly));
    compareAction_ =
        CreateAction(QStringLiteral("&Porównaj wywietrzniki"),
                     QStringLiteral("Porównuje wszystkie wywietrzniki dla bieżących danych"),
                     "FileCompareItem", Command(&MainWindow::CompareVentilators));
    saveAction_ = CreateAction(QStringLiteral("Zapisz obliczenia"),
                               QStringLiteral("Zapisuje bieżące obliczenia do pliku"),
                               "FileSaveProjectItem", Command(&MainWindow::FileSaveProject));
    saveAction_->setShortcut(QKeySequence::Save);
    saveAsAction_ =
        CreateAction(QStringLiteral("Zapisz obliczenia jako…"),
                     QStringLiteral("Zapisuje bieżące obliczenia do pliku o nowej nazwie"),
                     "FileSaveProjectAsItem", Command(&MainWindow::FileSaveProjectAs));
    openAction_ = CreateAction(QStringLiteral("Otwórz obliczenia…"),
                               QStringLiteral("Otwiera obliczenia zapisane w pliku"),
                               "FileOpenProjectItem", Command(&MainWindow::FileOpenProject));
    openAction_->setShortcut(QKeySequence::Open);
    printAction_ =
        CreateAction(QStringLiteral("&Wydruk wyników"), QStringLiteral("Drukuje aktualne wyniki"),
                     "FilePrintItem", Command(&MainWindow::FilePrint));
    sheetAction_ = CreateAction(
        QStringLiteral("Karta &doboru…"),
        QStringLiteral("Zapisuje kartę doboru wywietrznika bieżących obliczeń do pliku PDF"),
        "FileSheetItem", Command(&MainWindow::FileSheet));
    printSetupAction_ = CreateAction(QStringLiteral("&Ustawienia drukarki"),
                                     QStringLiteral("Zmienia ustawienia drukarki"),
                                     "FilePrintSetupItem", Command(&MainWindow::FilePrintSetup));
    exitAction_ =
        CreateAction(QStringLiteral("&Koniec"), QStringLiteral("Kończy pracę z programem"),
                     "FileExitItem", Command(&MainWindow::FileExit));
    helpContentsAction_ = CreateAction(QStringLiteral("&Spis treści"), QString(),
                                       "HelpContentsItem", Command(&MainWindow::HelpContents));
    aboutAction_ = CreateAction(QStringLiteral("&O programie"), QString(), "HelpAboutItem",
                                Command(&MainWindow::HelpAbout));
}

void MainWindow::CreateMenus()
{
    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("MainMenu"));
    connect(mainMenu, &QMenuBar::hovered, this,
            [this](QAction* action) { ShowHint(action->statusTip()); });

    QMenu* fileMenu = mainMenu->addMenu(QStringLiteral("&Obliczenia"));
    fileMenu->setObjectName(QStringLiteral("FileMenu"));
    fileMenu->addAction(newAction_);
    fileMenu->addAction(ventilatorOnlyAction_);
    fileMenu->addAction(compareAction_);
    AddYearItem(
        this, fileMenu, [this]() -> YearWindow& { return windows_.Year(); },
        [this](YearWindow& window) {
            window.SetAmbientPressure(AmbientStackPressure(
                state_.DensityEntered, static_cast<double>(windows_.Weather().Hectopascals())));
        });
    AddScheduleItem(this, fileMenu, [this]() -> ScheduleWindow& { return windows_.Schedule(); });
    fileMenu->addAction(saveAction_);
    fileMenu->addAction(saveAsAction_);
    fileMenu->addAction(openAction_);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    fileMenu->addAction(printAction_);
    fileMenu->addAction(sheetAction_);
    fileMenu->addAction(printSetupAction_);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N4"));
    fileMenu->addAction(exitAction_);
    SetUpMenu(fileMenu);

    QMenu* helpMenu = mainMenu->addMenu(QStringLiteral("&Pomoc"));
    helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    helpMenu->addAction(helpContentsAction_);
    helpMenu->addSeparator()->setObjectName(QStringLiteral("N3"));
    helpMenu->addAction(aboutAction_);
    SetUpMenu(helpMenu);
}

void MainWindow::SetUpMenu(QMenu* menu)
{
    // A drop-down menu is a window of its own: it gets the window's font, as
    // the menu bar has it.
    menu->setFont(font());
    // A highlighted item puts its hint into the status line, and an item
    // without one empties it (Qt alone would leave the last text standing).
    connect(menu, &QMenu::hovered, this,
            [this](QAction* action) { ShowHint(action->statusTip()); });
    connect(menu, &QMenu::aboutToHide, this, [this] { ShowHint(QString()); });
}

// A toolbar button runs its menu item's action and shows that item's status
// line hint; the action carries the button's picture (not shown in the menu)
// and its tooltip.
QToolButton* MainWindow::CreateToolButton(QWidget* toolBar, const char* name, ToolGlyph glyph,
                                          const QString& toolTip, int x, QAction* action)
{
    action->setIcon(ToolButtonIcon(glyph));
    action->setIconVisibleInMenu(false);
    action->setToolTip(toolTip);
    auto* button = new QToolButton(toolBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, kToolButtonTop, kToolButtonSize, kToolButtonSize);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    button->setDefaultAction(action);
    return button;
}

// The tool bar and its buttons keep the names the program's first design gave
// them; the code names them by their role.
constexpr const char* kToolBarObjectName = "SpeedBar";
constexpr const char* kPrintButtonObjectName = "SpeedButton1";
constexpr const char* kPrintSetupButtonObjectName = "SpeedButton2";
constexpr const char* kAboutButtonObjectName = "SpeedButton4";
constexpr const char* kExitButtonObjectName = "SpeedButton5";

void MainWindow::CreateToolBar()
{
    auto* toolBar = new QFrame(clientArea_);
    toolBar->setObjectName(QLatin1StringView(kToolBarObjectName));
    toolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolBar->setLineWidth(1);
    QPalette face = toolBar->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    toolBar->setPalette(face);
    toolBar->setAutoFillBackground(true);
    toolBar->setFixedHeight(kToolBarHeight);
    clientArea_->AlignTop(toolBar);

    // Four buttons in a row, a gap of 5 pixels between the second and third.
    CreateToolButton(toolBar, kPrintButtonObjectName, ToolGlyph::Print,
                     QStringLiteral("Wydruk wyników"), 10, printAction_);
    CreateToolButton(toolBar, kPrintSetupButtonObjectName, ToolGlyph::PrintSetup,
                     QStringLiteral("Ustawienia drukarki"), 35, printSetupAction_);
    CreateToolButton(toolBar, kAboutButtonObjectName, ToolGlyph::About,
                     QStringLiteral("O programie"), 65, aboutAction_);
    CreateToolButton(toolBar, kExitButtonObjectName, ToolGlyph::Exit,
                     QStringLiteral("Koniec pracy"), 90, exitAction_);
}

void MainWindow::CreateStatusBar()
{
    statusLine_ = statusBar();
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setFixedHeight(kStatusLineHeight);
}

bool MainWindow::event(QEvent* event)
{
    // The hint of whatever the mouse is on comes as a status tip.
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Only changes that would be lost are asked about; nothing is saved
    // unasked.
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
    emit Closed();
}

void MainWindow::RunCommand(const std::function<void()>& command)
{
    RunGuarded(this, command);
}

void MainWindow::Invalidate()
{
    clientArea_->update();
}

void MainWindow::ShowHint(const QString& hint)
{
    const QString longHint = SplitHint(hint).longText;
    if (longHint.isEmpty())
        statusLine_->clearMessage();
    else
        statusLine_->showMessage(longHint);
}

void MainWindow::ShowSaveFailure(const Outcome& outcome)
{
    saveFailures_ << ReasonOf(outcome);
    statusLine_->showMessage(saveFailures_.join(QLatin1Char(' ')));
}

void MainWindow::FileNew()
{
    if (!ConfirmDiscard())
        return;
    saveFailures_.clear();
    WindowWizardSteps steps(*this, windows_);
    const CalcState before = state_;
    RunCalculationWizard(state_, steps);
    // A new calculation belongs to no file.
    if (!(state_ == before)) {
        projectFile_.clear();
        projectChanged_ = false;
        UpdateTitle();
    }
}

void MainWindow::ChooseVentilatorOnly()
{
    if (windows_.Ventilator().exec() == QDialog::Accepted) {
        CalculateChosenVentilator();
        MarkChanged();
    }
    Invalidate();
}

void MainWindow::CompareVentilators()
{
    CompareWindow& compare = windows_.Comparison();
    compare.SetAmbientPressure(AmbientStackPressure(
        state_.DensityEntered, static_cast<double>(windows_.Weather().Hectopascals())));
    compare.Refresh();
    compare.exec();
}

namespace {

// The file dialog of the calculation files, started in the working directory.
QString ChooseProjectFile(QWidget* parent, QFileDialog::AcceptMode mode,
                          const QString& proposed = {})
{
    const bool save = mode == QFileDialog::AcceptSave;
    QFileDialog dialog(
        parent, save ? QStringLiteral("Zapisz obliczenia") : QStringLiteral("Otwórz obliczenia"),
        QString(), QStringLiteral("Obliczenia wywietrznika (*.wyw)"));
    dialog.setObjectName(save ? QStringLiteral("SaveProjectDialog")
                              : QStringLiteral("OpenProjectDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("wyw"));
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

Outcome MainWindow::FileSaveProject()
{
    // An open file is saved again under its name; otherwise a name is asked for.
    if (!projectFile_.isEmpty())
        return SaveProject(projectFile_);
    return FileSaveProjectAs();
}

Outcome MainWindow::FileSaveProjectAs()
{
    const QString path = ChooseProjectFile(this, QFileDialog::AcceptSave, projectFile_);
    return path.isEmpty() ? Outcome() : SaveProject(path);
}

Outcome MainWindow::FileOpenProject()
{
    if (!ConfirmDiscard())
        return {};
    const QString path = ChooseProjectFile(this, QFileDialog::AcceptOpen);
    return path.isEmpty() ? Outcome() : OpenProject(path);
}

Outcome MainWindow::SaveProject(const QString& path)
{
    // A text the schedule refuses is not a value a file can keep.
    if (const QString refused = RefusedEntries(windows_.Schedule()); !refused.isEmpty()) {
        const QString question =
            QStringLiteral("Zestawienie przewodów ma odrzucone wpisy:\n%1\n\nPlik zachowa "
                           "w tych polach ostatnie przyjęte wartości. Zapisać mimo to?")
                .arg(refused);
        if (!AskYesNo(this, QString::fromUtf8(kApplicationTitle), question,
                      QStringLiteral("RefusedEntriesBox")))
            return {};
    }
    const Result<QByteArray> bytes = ProjectBytes(Project{state_,
                                                          CollectDialogControls(windows_),
                                                          {},
                                                          ScheduleOf(windows_.Schedule()),
                                                          windows_.Year().Setting()});
    if (!bytes)
        return FailureOf(QStringLiteral("Nie można zapisać obliczeń do pliku „%1”: %2.")
                             .arg(path, ReasonOf(bytes)));
    Outcome written = ReplaceFile(path, bytes.Value());
    if (written)
        ShowProjectFile(path);
    return written;
}

Outcome MainWindow::OpenProject(const QString& path)
{
    Result<Project> read = ReadProjectFile(path);
    if (!read)
        return read.Fault();
    Project& project = read.Value();
    if (const Outcome fits = CheckDialogControls(windows_, project.dialogs); !fits)
        return FailureOf(QStringLiteral("Nie można otworzyć obliczeń z pliku „%1”: %2.")
                             .arg(path, ReasonOf(fits)));
    const Recomputation again = RecomputeProject(project);
    RestoreDialogControls(windows_, project.dialogs);
    state_ = project.state;
    RestoreSchedule(windows_.Schedule(), project.schedule);
    windows_.Year().RestoreSetting(project.weather);
    if (project.weather)
        ShowYearWindow(windows_.Year());
    saveFailures_.clear();
    ShowProjectFile(path);
    Invalidate();
    if (again.differs) {
        ShowMessage(this, QMessageBox::Information, TitleText(), again.notice,
                    QStringLiteral("ProjectNotice"));
    }
    return {};
}

void MainWindow::ShowProjectFile(const QString& path)
{
    projectFile_ = path;
    projectChanged_ = false;
    UpdateTitle();
}

QString MainWindow::TitleText() const
{
    QString title = QString::fromUtf8(kApplicationTitle);
    if (!projectFile_.isEmpty())
        title += QStringLiteral(" – ") + QFileInfo(projectFile_).fileName();
    return title;
}

// The title names the open calculation file; Qt shows the "[*]" as "*" once
// something that would be lost has changed: the open file's inputs or
// ventilator, or the schedule.
void MainWindow::UpdateTitle()
{
    setWindowTitle(TitleText() + QStringLiteral("[*]"));
    setWindowModified(projectChanged_);
}

void MainWindow::MarkChanged()
{
    if (!projectFile_.isEmpty())
        projectChanged_ = true;
    UpdateTitle();
}

void MainWindow::MarkScheduleEdited()
{
    projectChanged_ = true;
    UpdateTitle();
}

bool MainWindow::ConfirmDiscard()
{
    if (!projectChanged_)
        return true;
    const QString detail =
        projectFile_.isEmpty()
            ? QStringLiteral("Obliczenia i zestawienie przewodów nie są zapisane w pliku.")
            : QStringLiteral("Obliczenia w pliku „%1” zostały zmienione.")
                  .arg(QFileInfo(projectFile_).fileName());
    switch (AskSaveChanges(this, QString::fromUtf8(kApplicationTitle), detail)) {
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        return false;
    case SaveChoice::Save:
        break;
    }
    ShowOutcome(this, FileSaveProject());
    return !projectChanged_; // saved; not when the save failed or was cancelled
}

void MainWindow::ChooseVentilator(int index)
{
    ApplyVentilatorIndex(state_, index);
    windows_.Ventilator().ShowModel(index);
    CalculateChosenVentilator();
    MarkChanged();
    Invalidate();
}

void MainWindow::CalculateChosenVentilator()
{
    const OperatingPoint point = ApplyVentilatorChoice(state_);
    if (point.status != OperatingPointStatus::Found)
        ShowCalculationFailure(point);
}

Outcome MainWindow::FilePrint()
{
    QPrinter& printer = windows_.Printer();
    QPrintDialog printDialog(&printer, this);
    printDialog.setObjectName(QStringLiteral("PrintDialog"));
    if (printDialog.exec() != QDialog::Accepted)
        return {};
    // The process-wide printer as the dialog has configured it, in the
    // program's device units.
    ConfigurePrinter(printer);
    PrinterCanvas canvas(printer);
    return PrintReport(canvas, state_);
}

void MainWindow::FilePrintSetup()
{
    ShowPrinterSetup(windows_.Printer(), this);
}

void MainWindow::FileExit()
{
    close();
}

void MainWindow::HelpAbout()
{
    windows_.About().exec();
}

void MainWindow::HelpContents()
{
    HelpEngine& help = windows_.Help();
    help.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
    help.HelpCommand(HelpEngine::kHelpContents, 0, this);
}

void MainWindow::Paint(TextCanvas& canvas) const
{
    canvas.DrawText(kScreenReportLayout.x, kScreenReportLayout.y0, QStringLiteral(" "));
    if (!state_.ResultsShown)
        return;
    DrawReport(canvas, BuildReport(state_, ReportVariant::Screen), kScreenReportLayout);
}
