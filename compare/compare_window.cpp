// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_window.h"

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"
#include "calc/selection.h"
#include "compare/compare_output.h"
#include "compare/compare_table_model.h"
#include "compare/sheet_dialog.h"
#include "compare/sheet_pdf.h"
#include "compare/stack_group.h"
#include "ui/outer_size.h"
#include "ui/program_font.h"
#include "ui/refused_field.h"
#include "ui/show_message.h"
#include "ui/text.h"
#include "weather/year_text.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kCaption = "Porównanie wywietrzników";
const char* const kNeedHint = "Pozostaw puste, aby nie dobierać według wydajności";
const char* const kShareHint =
    "Proponowany jest najmniejszy model spełniający wymaganie co najmniej w tej części godzin "
    "okresu; puste: 90 %";
const char* const kYearNoNeed = "Wpisz wymaganą wydajność Qh: kolumna poda udział godzin okresu "
                                "pogody, w których model ją osiąga.";
const char* const kYearPending = "Godziny spełnienia są liczone po wpisaniu wymaganej wydajności…";
// With no calculation held (the main window shows no report): no condition
// to name, neither the draught nor a refused input of a half-entered wizard.
const char* const kNoCalculationText =
    "Nie ma jeszcze obliczeń do porównania. Najpierw wykonaj Obliczenia → Nowe obliczenia "
    "albo otwórz zapisane obliczenia.";

// The table: whole rows selected one at a time, read-only, sorted by a click
// on a header, first by Qh with the largest first.
void SetUpTable(QTableView& table)
{
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->hide();
    table.setAlternatingRowColors(false);
    table.horizontalHeader()->setSortIndicator(kColumnFlowPerHour, Qt::DescendingOrder);
    table.setSortingEnabled(true);
    table.horizontalHeader()->setSortIndicatorShown(true);
    table.horizontalHeader()->setStretchLastSection(false);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 8);
    table.setMinimumWidth(540);
    // The verdicts (the year's share last) right after the name, where they
    // are seen without scrolling; the printout and the CSV keep the columns'
    // own order.
    QHeaderView& header = *table.horizontalHeader();
    int place = kColumnName + 1;
    for (int column : {kColumnReachesNeed, kColumnNeedWind, kColumnDuctFit, kColumnYearShare})
        header.moveSection(header.visualIndex(column), place++);
}

// A button that Enter does not press.
QPushButton* NewButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CompareWindow::CompareWindow(CalcState& state, std::function<void(int index)> chooseModel,
                             QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , chooseModel_(std::move(chooseModel))
    , printFile_(QDir::current().absoluteFilePath("porownanie_wywietrznikow.pdf"))
{
    setObjectName(kObjectName);
    setWindowTitle(kCaption);
    setModal(true);
    setFont(ProgramFont(8));
    setSizeGripEnabled(true);
    BuildWindow();
    ResizeWithinScreen(this, QSize(1380, 800));
}

// At each opening the table gets the room of its columns up to the verdicts
// (or all of them), the charts the rest but at least their least width.
void CompareWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || !hasData_)
        return;
    const QHeaderView& header = *table_->horizontalHeader();
    int wanted = table_->frameWidth() * 2 + table_->verticalScrollBar()->sizeHint().width();
    for (int visual = 0; visual < header.count(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (!header.isSectionHidden(column))
            wanted += header.sectionSize(column);
    }
    const int total = splitter_->width() - splitter_->handleWidth();
    const int charts = std::max(charts_->minimumSizeHint().width(), total - wanted);
    splitter_->setSizes({total - charts, charts});
}

// Enter applies the field it was typed in, which the field's own signal has
// already done, and never presses a button: only "Wybierz" or a double click
// chooses a model. Esc still closes the window.
void CompareWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The field of the needed flow and the line of the suggestion under it.
void CompareWindow::BuildNeedRow(QWidget* page, QVBoxLayout& pageLayout)
{
    auto* needRow = new QHBoxLayout;
    auto* needLabel = new QLabel("Wymagana wydajność Qh [m3/h]", page);
    needEdit_ = new QLineEdit(page);
    needEdit_->setObjectName("NeededFlowEdit");
    needEdit_->setToolTip(kNeedHint);
    needEdit_->setMaximumWidth(120);
    needLabel->setBuddy(needEdit_);
    needRow->addWidget(needLabel);
    needRow->addWidget(needEdit_);
    // The share of the suggestion by a year of weather, shown with one.
    shareBox_ = new QWidget(page);
    auto* shareRow = new QHBoxLayout(shareBox_);
    shareRow->setContentsMargins(12, 0, 0, 0);
    auto* shareLabel = new QLabel("Udział godzin [%]", shareBox_);
    shareEdit_ = new QLineEdit(QString::number(kDefaultYearSharePercent), shareBox_);
    shareEdit_->setObjectName("YearShareEdit");
    shareEdit_->setToolTip(kShareHint);
    shareEdit_->setMaximumWidth(80);
    shareLabel->setBuddy(shareEdit_);
    shareRow->addWidget(shareLabel);
    shareRow->addWidget(shareEdit_);
    shareBox_->setVisible(false);
    needRow->addWidget(shareBox_);
    needRow->addStretch(1);
    pageLayout.addLayout(needRow);
    suggestion_ = new QLabel(page);
    suggestion_->setObjectName("SuggestionLabel");
    suggestion_->setWordWrap(true);
    suggestion_->setVisible(false);
    pageLayout.addWidget(suggestion_);
    problem_ = new QLabel(page);
    problem_->setObjectName("ProblemLabel");
    problem_->setWordWrap(true);
    ShowReasonsIn(problem_, true);
    problem_->setVisible(false);
    pageLayout.addWidget(problem_);
}

// The page of the comparison: the summary, the draught, the need, and the
// table beside the charts.
QWidget* CompareWindow::BuildPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("ComparisonPage");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    summary_ = new QLabel(page);
    summary_->setObjectName("SummaryLabel");
    summary_->setWordWrap(true);
    pageLayout->addWidget(summary_);
    stackGroup_ = new StackGroup(page);
    pageLayout->addWidget(stackGroup_);
    connect(stackGroup_, &StackGroup::Changed, this, &CompareWindow::Refresh);
    BuildNeedRow(page, *pageLayout);

    // The splitter gives the charts, and with them their legends, the room
    // the user wants.
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter_ = splitter;
    splitter->setObjectName("CompareSplitter");
    splitter->setChildrenCollapsible(false);
    model_ = new CompareTableModel(this);
    table_ = new QTableView(splitter);
    table_->setObjectName("CompareTable");
    table_->setModel(model_);
    SetUpTable(*table_);
    charts_ = new CompareCharts(splitter);
    charts_->setObjectName("CompareCharts");
    splitter->addWidget(table_);
    splitter->addWidget(charts_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    pageLayout->addWidget(splitter, 1);
    return page;
}

// The row of buttons; none of them is pressed by Enter.
QHBoxLayout* CompareWindow::BuildButtons()
{
    chooseButton_ = NewButton("Wybierz", "ChooseButton", this);
    chooseButton_->setToolTip("Przyjmuje zaznaczony wywietrznik jako bieżący i przelicza raport");
    printButton_ = NewButton("Drukuj tabelę…", "PrintButton", this);
    csvButton_ = NewButton("Eksportuj CSV…", "CsvButton", this);
    xlsxButton_ = NewButton("Eksportuj XLSX…", "XlsxButton", this);
    sheetButton_ = NewButton("Karta doboru…", "SheetButton", this);
    sheetButton_->setToolTip("Zapisuje kartę doboru zaznaczonego wywietrznika do pliku PDF");
    closeButton_ = NewButton("Zamknij", "CloseButton", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chooseButton_);
    buttons->addSpacing(16);
    buttons->addWidget(printButton_);
    buttons->addWidget(csvButton_);
    buttons->addWidget(xlsxButton_);
    buttons->addWidget(sheetButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    return buttons;
}

void CompareWindow::BuildWindow()
{
    stack_ = new QStackedWidget(this);
    noData_ = new QLabel(this);
    noData_->setObjectName("NoDataLabel");
    noData_->setAlignment(Qt::AlignCenter);
    noData_->setWordWrap(true);
    noData_->setFont(ProgramFont(10));
    stack_->addWidget(noData_);
    stack_->addWidget(BuildPage());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollingArea(stack_), 1);
    layout->addLayout(BuildButtons());
    ConnectControls();
}

// The commands of the buttons, the table and the charts.
void CompareWindow::ConnectControls()
{
    connect(chooseButton_, &QPushButton::clicked, this, &CompareWindow::Choose);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, &CompareWindow::PrintOnChosenPrinter);
    connect(csvButton_, &QPushButton::clicked, this, &CompareWindow::ExportCsvToChosenFile);
    connect(xlsxButton_, &QPushButton::clicked, this, &CompareWindow::ExportXlsxToChosenFile);
    connect(sheetButton_, &QPushButton::clicked, this, &CompareWindow::SaveSheetToChosenFile);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            SelectModel(model_->ModelAt(index.row()));
            Choose();
        }
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!refreshing_)
            UpdateCharts();
        UpdateButtons();
    });
    connect(model_, &CompareTableModel::TicksChanged, this, &CompareWindow::UpdateCharts);
    // A need typed refreshes the table at once and the year's column after
    // a pause in typing; the share costs no computation.
    yearTimer_ = new QTimer(this);
    yearTimer_->setSingleShot(true);
    yearTimer_->setInterval(kYearDelay);
    connect(yearTimer_, &QTimer::timeout, this, [this] {
        if (hasData_)
            Refresh();
    });
    connect(needEdit_, &QLineEdit::textChanged, this, [this] {
        if (!hasData_)
            return;
        deferYear_ = true;
        Refresh();
        deferYear_ = false;
    });
    connect(shareEdit_, &QLineEdit::textChanged, this, [this] {
        if (hasData_)
            Refresh();
    });
    connect(charts_, &CompareCharts::SaveRequested, this, &CompareWindow::SaveChartToChosenFile);
}

void CompareWindow::ShowNoData(Refusal refusal)
{
    refreshing_ = true;
    model_->SetRows({}, 0);
    refreshing_ = false;
    conditions_ = {};
    charts_->Clear();
    setWindowTitle(kCaption);
    noData_->setText(!state_.ResultsShown
                         ? QString(kNoCalculationText)
                         : QString(kNoDataMessage) + "\n" + Text(RefusalText(refusal)));
    stack_->setCurrentWidget(noData_);
    UpdateButtons();
}

void CompareWindow::Refresh()
{
    const Refusal refusal = CheckInputs(state_);
    hasData_ = refusal == Refusal::None;
    if (!hasData_) {
        ShowNoData(refusal);
        return;
    }
    const int current = state_.ResultsShown && state_.VentilatorIndex >= 1 &&
                                state_.VentilatorIndex <= kVentilatorCount
                            ? state_.VentilatorIndex
                            : 0;
    const bool opening = !isVisible();
    int selected = opening ? 0 : SelectedModel();
    if (current != 0 && (opening || selected == 0 || current != model_->CurrentModel()))
        selected = current;

    // The gravity draught, when ticked, replaces the wind alone everywhere,
    // and the title says so.
    const std::optional<StackConditions> draught =
        stackGroup_->Conditions(state_, ambientPressure_);
    stackGroup_->ShowDuctLength(state_.DuctLength);
    setWindowTitle(draught ? QString(kCaption) + " – " + StackGroup::Caption(*draught)
                           : QString(kCaption));
    charts_->SetStack(draught);
    ShowRows(draught ? &*draught : nullptr, current, selected, opening);
    UpdateCharts();
    UpdateButtons();
}

// The rows on the inputs, the summary and suggestion over them, and the table
// fitted to its columns.
void CompareWindow::ShowRows(const StackConditions* draught, int current, int selected,
                             bool opening)
{
    const double need = NeededFlow();
    // A refresh keeps the table where the user scrolled it.
    const QPoint scrolled(table_->horizontalScrollBar()->value(),
                          table_->verticalScrollBar()->value());
    refreshing_ = true;
    std::vector<ComparisonRow> rows = BuildComparisonRows(state_, draught, need, &cache_);
    const YearState year = ApplyYear(rows, draught, need);
    model_->SetRows(std::move(rows), current);
    if (opening)
        table_->sortByColumn(kColumnFlowPerHour, Qt::DescendingOrder);
    if (selected == 0)
        selected = model_->ModelAt(0);
    SelectModel(selected, opening);
    refreshing_ = false;
    conditions_ = ConditionsOf(state_, draught, model_->Rows());
    if (year == YearState::Suggests)
        conditions_.suggestion = yearSuggestion_;
    else if (year == YearState::Pending)
        conditions_.suggestion = kYearPending;
    conditions_.yearLines = yearLines_;

    summary_->setText(
        Text(ConditionLines(conditions_).front()) +
        ". Wyniki wszystkich wywietrzników dla bieżących danych; wywietrznik bieżącego raportu "
        "jest pogrubiony. Zaznacz pole przy nazwie, aby dodać model do wykresu wydajności w "
        "funkcji prędkości wiatru. Pomarańczowy znak z liczbą przy Qh: model ma tyle punktów "
        "pracy (wskaż, aby zobaczyć ich wydajności).");
    suggestion_->setText(Text(conditions_.suggestion));
    suggestion_->setVisible(!conditions_.suggestion.empty());
    ShowProblems();
    table_->setColumnHidden(kColumnReachesNeed, !(need > 0.0));
    table_->setColumnHidden(kColumnNeedWind, !(need > 0.0));
    table_->setColumnHidden(kColumnYearShare, !weather_);
    stack_->setCurrentIndex(1);
    FitTable();
    if (!opening) {
        table_->horizontalScrollBar()->setValue(scrolled.x());
        table_->verticalScrollBar()->setValue(scrolled.y());
    }
}

void CompareWindow::SetYearWeather(std::shared_ptr<const LoadedWeather> weather, const Site& site,
                                   const WeatherPeriod& period)
{
    weather_ = std::move(weather);
    site_ = site;
    period_ = period;
    shareBox_->setVisible(weather_ != nullptr);
    if (hasData_)
        Refresh();
}

// The year's shares in the rows and, with a share that can be used, its
// suggestion; the column's note says why its cells are empty.
CompareWindow::YearState CompareWindow::ApplyYear(std::vector<ComparisonRow>& rows,
                                                  const StackConditions* draught, double need)
{
    yearLines_.clear();
    yearProblem_.clear();
    yearTimer_->stop();
    if (!weather_)
        return YearState::None;
    if (!(need > 0.0)) {
        model_->SetYearNote(kYearNoNeed);
        return YearState::None;
    }
    const YearColumnInputs inputs{weather_,         state_, draught, need,
                                  ambientPressure_, site_,  period_};
    if (deferYear_ && !yearCache_.Holds(inputs)) {
        model_->SetYearNote(kYearPending);
        for (ComparisonRow& row : rows)
            row.suggested = false;
        yearTimer_->start();
        return YearState::Pending;
    }
    const Result<std::vector<YearOutcome>>& outcomes = yearCache_.Outcomes(inputs);
    if (!outcomes) {
        yearProblem_ = "Godziny spełnienia nie zostały policzone: " + Text(outcomes.Reason());
        model_->SetYearNote(yearProblem_);
        return YearState::None;
    }
    SetYearShares(rows, outcomes.Value());
    yearLines_ = YearConditionLines(yearCache_.Weather(), yearCache_.Question());
    const bool distribution = weather_->source.kind == WeatherSource::Kind::Distribution;
    model_->SetYearNote(distribution ? "Udział czasu, w którym model osiąga wymaganą wydajność, "
                                       "z rozkładu wiatru (warunki – w wydruku i pliku CSV)."
                                     : "Udział godzin okresu, w których model osiąga wymaganą "
                                       "wydajność (warunki – w wydruku i pliku CSV).");
    const Result<double> least = ReadYearShare(shareEdit_->text().toStdString());
    if (!least)
        return YearState::Shares;
    SuggestByYear(rows, least.Value());
    yearSuggestion_ = YearSuggestionText(rows, need, least.Value(), distribution);
    return YearState::Suggests;
}

// The refused fields, named in the line above the table; the need field is
// marked here, the draught's fields by its group.
void CompareWindow::ShowProblems()
{
    const std::string need = ReadNeededFlow(needEdit_->text().toStdString()).Reason();
    MarkRefused(needEdit_, Text(need), kNeedHint);
    const std::string share = ReadYearShare(shareEdit_->text().toStdString()).Reason();
    MarkRefused(shareEdit_, Text(share), kShareHint);
    QString problem = Text(need);
    for (const QString& more : {weather_ ? Text(share) : QString(), yearProblem_}) {
        if (!more.isEmpty())
            problem += (problem.isEmpty() ? "" : " ") + more;
    }
    if (!stackGroup_->Problem().isEmpty())
        problem += (problem.isEmpty() ? "" : " ") + stackGroup_->Problem() +
                   " Do czasu poprawy tabela pokazuje wyniki dla samego wiatru.";
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
}

// Every column whole, the names included; the splitter shares the rest.
void CompareWindow::FitTable()
{
    table_->resizeColumnsToContents();
    table_->setMinimumWidth(std::min(540, table_->horizontalHeader()->length()));
}

int CompareWindow::SelectedModel() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model_->ModelAt(rows.front().row());
}

void CompareWindow::SelectModel(int model, bool reveal)
{
    const int row = model_->RowOf(model);
    if (row < 0)
        return;
    // The current cell in the leftmost column shown, so that selecting a row
    // does not scroll the table sideways.
    const int shown = table_->columnAt(0);
    const QModelIndex cell = model_->index(row, shown >= 0 ? shown : kColumnNumber);
    table_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    table_->selectRow(row);
    if (reveal)
        table_->scrollTo(cell);
}

void CompareWindow::Choose()
{
    const int model = SelectedModel();
    if (!hasData_ || model == 0)
        return;
    if (chooseModel_)
        chooseModel_(model);
    Refresh();
}

double CompareWindow::NeededFlow() const
{
    return NeededFlowFromField(needEdit_->text().toStdString());
}

void CompareWindow::UpdateCharts()
{
    if (!hasData_) {
        charts_->Clear();
        return;
    }
    // Without a selected row the ticked models stay on the wind chart.
    charts_->ShowModel(state_, SelectedModel(), model_->TickedModels(), NeededFlow());
    UpdateButtons();
}

void CompareWindow::UpdateButtons()
{
    chooseButton_->setEnabled(hasData_ && SelectedModel() != 0);
    printButton_->setEnabled(hasData_);
    csvButton_->setEnabled(hasData_);
    xlsxButton_->setEnabled(hasData_);
    sheetButton_->setEnabled(hasData_ && SelectedModel() != 0);
    // A chart may be saved whenever it shows something.
    for (const auto& [chart, name] :
         {std::pair(CompareCharts::Chart::OperatingPoint, "SaveOperatingChartButton"),
          std::pair(CompareCharts::Chart::Wind, "SaveWindChartButton")}) {
        if (auto* button = charts_->findChild<QPushButton*>(name))
            button->setEnabled(charts_->HasDrawing(chart));
    }
}
SheetCase CompareWindow::SheetCaseOf(int model) const
{
    const std::optional<StackConditions> set = stackGroup_->Conditions(state_, ambientPressure_);
    StackConditions stack = DefaultStackConditions(state_);
    stack.pressure = ambientPressure_;
    const double need = NeededFlow();
    return CalculationSheetCase(state_, model, set.value_or(stack),
                                set ? kStackFromComparison : kStackFromDefaults, set.has_value(),
                                need > 0.0 ? std::optional(need) : std::nullopt);
}

Outcome CompareWindow::SaveSheet(const QString& path, const QString& project,
                                 const QString& duct) const
{
    if (!hasData_ || SelectedModel() == 0)
        return FailureOf("Zaznacz w tabeli wywietrznik, którego kartę doboru zapisać.");
    SheetCase sheet = SheetCaseOf(SelectedModel());
    sheet.project = project.toStdString();
    sheet.duct = duct.toStdString();
    return WriteSelectionSheets(path, {sheet});
}

void CompareWindow::SaveSheetToChosenFile()
{
    const std::optional<SheetChoice> choice =
        AskSheet(this, QString(), true, QStringLiteral("karta_doboru.pdf"));
    if (choice)
        ShowOutcome(this, SaveSheet(choice->path, choice->project, choice->duct));
}
