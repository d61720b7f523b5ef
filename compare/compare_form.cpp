#include "compare/compare_form.h"

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"
#include "calc/selection.h"
#include "compare/compare_output.h"
#include "compare/compare_table_model.h"
#include "compare/stack_group.h"
#include "ui/program_font.h"
#include "ui/show_message.h"
#include "ui/text.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const char* const kCaption = "Porównanie wywietrzników";
const char* const kNoDataText =
    "Brak danych do porównania. Najpierw wykonaj Obliczenia → Nowe obliczenia.";

// A path from a save dialog with the suffix added when none was typed.
QString WithSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + suffix;
}

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

TCompareForm::TCompareForm(CalcState& state, std::function<void(int index)> chooseModel,
                           QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , chooseModel_(std::move(chooseModel))
{
    setObjectName("CompareForm");
    setWindowTitle(kCaption);
    setModal(true);
    setFont(ProgramFont(8));
    setSizeGripEnabled(true);
    BuildWindow();
    resize(1380, 800);
}

// The field of the needed flow and the line of the suggestion under it.
void TCompareForm::BuildNeedRow(QWidget* page, QVBoxLayout& pageLayout)
{
    auto* needRow = new QHBoxLayout;
    auto* needLabel = new QLabel("Wymagana wydajność Qh [m3/h]", page);
    needEdit_ = new QLineEdit(page);
    needEdit_->setObjectName("NeededFlowEdit");
    needEdit_->setToolTip("Pozostaw puste, aby nie wybierać według wydajności");
    needEdit_->setMaximumWidth(120);
    needLabel->setBuddy(needEdit_);
    needRow->addWidget(needLabel);
    needRow->addWidget(needEdit_);
    needRow->addStretch(1);
    pageLayout.addLayout(needRow);
    suggestion_ = new QLabel(page);
    suggestion_->setObjectName("SuggestionLabel");
    suggestion_->setWordWrap(true);
    suggestion_->setVisible(false);
    pageLayout.addWidget(suggestion_);
}

void TCompareForm::BuildWindow()
{
    stack_ = new QStackedWidget(this);

    noData_ = new QLabel(this);
    noData_->setObjectName("NoDataLabel");
    noData_->setAlignment(Qt::AlignCenter);
    noData_->setWordWrap(true);
    QFont larger = ProgramFont(10);
    noData_->setFont(larger);
    stack_->addWidget(noData_);

    auto* page = new QWidget(this);
    page->setObjectName("ComparisonPage");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    summary_ = new QLabel(page);
    summary_->setObjectName("SummaryLabel");
    summary_->setWordWrap(true);
    pageLayout->addWidget(summary_);
    stackGroup_ = new TStackGroup(page);
    pageLayout->addWidget(stackGroup_);
    connect(stackGroup_, &TStackGroup::Changed, this, &TCompareForm::Refresh);

    BuildNeedRow(page, *pageLayout);

    auto* splitter = new QSplitter(Qt::Horizontal, page);
    model_ = new TCompareTableModel(this);
    table_ = new QTableView(splitter);
    table_->setObjectName("CompareTable");
    table_->setModel(model_);
    SetUpTable(*table_);
    charts_ = new TCompareCharts(splitter);
    charts_->setObjectName("CompareCharts");
    splitter->addWidget(table_);
    splitter->addWidget(charts_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    pageLayout->addWidget(splitter, 1);
    stack_->addWidget(page);

    chooseButton_ = new QPushButton("Wybierz", this);
    chooseButton_->setObjectName("ChooseButton");
    chooseButton_->setToolTip("Przyjmuje zaznaczony wywietrznik jako bieżący i przelicza raport");
    chooseButton_->setDefault(true);
    printButton_ = NewButton("Drukuj tabelę…", "PrintButton", this);
    csvButton_ = NewButton("Eksportuj CSV…", "CsvButton", this);
    closeButton_ = NewButton("Zamknij", "CloseButton", this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chooseButton_);
    buttons->addSpacing(16);
    buttons->addWidget(printButton_);
    buttons->addWidget(csvButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack_, 1);
    layout->addLayout(buttons);
    ConnectControls();
}

// The commands of the buttons, the table and the charts.
void TCompareForm::ConnectControls()
{
    connect(chooseButton_, &QPushButton::clicked, this, &TCompareForm::Choose);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, &TCompareForm::PrintClick);
    connect(csvButton_, &QPushButton::clicked, this, &TCompareForm::ExportCsvClick);
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
    connect(model_, &TCompareTableModel::TicksChanged, this, &TCompareForm::UpdateCharts);
    connect(needEdit_, &QLineEdit::textChanged, this, [this] {
        if (hasData_)
            Refresh();
    });
    connect(charts_, &TCompareCharts::SaveRequested, this, &TCompareForm::SaveChartClick);
}

void TCompareForm::Refresh()
{
    const Refusal refusal = CheckInputs(state_);
    hasData_ = refusal == Refusal::None;
    if (!hasData_) {
        refreshing_ = true;
        model_->SetRows({}, 0);
        refreshing_ = false;
        charts_->Clear();
        noData_->setText(QString(kNoDataText) + "\n" + Text(RefusalText(refusal)));
        stack_->setCurrentWidget(noData_);
        UpdateButtons();
        return;
    }

    const int current = state_.ResultsShown == 1 && state_.VentilatorIndex >= 1 &&
                                state_.VentilatorIndex <= kVentilatorCount
                            ? state_.VentilatorIndex
                            : 0;
    const bool opening = !isVisible();
    int selected = opening ? 0 : SelectedModel();
    if (current != 0 && (opening || selected == 0 || current != model_->CurrentModel()))
        selected = current;

    // The gravity draught, when ticked, replaces the wind alone everywhere,
    // and the title says so.
    const std::optional<StackConditions> draught = stackGroup_->Conditions(state_);
    stackGroup_->ShowDuctLength(state_.DuctLength);
    setWindowTitle(draught ? QString(kCaption) + " – " + TStackGroup::Caption(*draught)
                           : QString(kCaption));
    charts_->SetStack(draught);

    const double need = NeededFlow();
    refreshing_ = true;
    model_->SetRows(BuildComparisonRows(state_, draught ? &*draught : nullptr, need), current);
    if (opening)
        table_->sortByColumn(kColumnFlowPerHour, Qt::DescendingOrder);
    if (selected == 0)
        selected = model_->ModelAt(0);
    SelectModel(selected);
    refreshing_ = false;

    summary_->setText("Wyniki wszystkich wywietrzników dla bieżących danych (wiatr v = " +
                      QString::fromStdString(FormatFixed(state_.WindSpeed, 2)) +
                      " m/s). Wywietrznik bieżącego raportu jest pogrubiony. Zaznacz pole "
                      "przy nazwie, aby dodać model do wykresu wydajności a prędkości wiatru. "
                      "Pomarańczowy znak z liczbą przy Qh: model ma tyle punktów pracy (wskaż, "
                      "aby zobaczyć ich wydajności).");
    const std::string reason =
        SuggestionText(ComparisonCandidates(model_->Rows()), need, state_.WindSpeed);
    suggestion_->setText(Text(reason));
    suggestion_->setVisible(!reason.empty());
    table_->setColumnHidden(kColumnReachesNeed, !(need > 0.0));
    table_->setColumnHidden(kColumnNeedWind, !(need > 0.0));
    stack_->setCurrentIndex(1);
    table_->resizeColumnsToContents();
    // Every column whole, the names included: the table is as wide as its
    // columns and the charts take the rest.
    table_->setMinimumWidth(table_->horizontalHeader()->length() + 2 * table_->frameWidth() +
                            table_->verticalScrollBar()->sizeHint().width());
    UpdateCharts();
    UpdateButtons();
}

int TCompareForm::SelectedModel() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model_->ModelAt(rows.front().row());
}

void TCompareForm::SelectModel(int model)
{
    const int row = model_->RowOf(model);
    if (row < 0)
        return;
    table_->setCurrentIndex(model_->index(row, kColumnNumber));
    table_->selectRow(row);
    table_->scrollTo(model_->index(row, kColumnNumber));
}

void TCompareForm::Choose()
{
    const int model = SelectedModel();
    if (!hasData_ || model == 0)
        return;
    if (chooseModel_)
        chooseModel_(model);
    Refresh();
}

double TCompareForm::NeededFlow() const
{
    return NeededFlowFromField(needEdit_->text().toStdString());
}

void TCompareForm::UpdateCharts()
{
    if (!hasData_) {
        charts_->Clear();
        return;
    }
    // Without a selected row the ticked models stay on the wind chart.
    charts_->ShowModel(state_, SelectedModel(), model_->TickedModels(), NeededFlow());
}

void TCompareForm::UpdateButtons()
{
    chooseButton_->setEnabled(hasData_ && SelectedModel() != 0);
    printButton_->setEnabled(hasData_);
    csvButton_->setEnabled(hasData_);
    for (auto* button : charts_->findChildren<QPushButton*>())
        button->setEnabled(hasData_ && SelectedModel() != 0);
}

Outcome TCompareForm::ExportCsv(const QString& path, CsvForm form) const
{
    if (!hasData_)
        return Outcome::Failure(kNoDataText);
    return WriteComparisonCsv(path, model_->Rows(), model_->Order(), form);
}

Outcome TCompareForm::PrintTable(QPrinter& printer) const
{
    if (!hasData_)
        return Outcome::Failure(kNoDataText);
    return PrintComparisonTable(printer, state_, model_->Rows(), model_->Order(),
                                model_->CurrentModel());
}

Outcome TCompareForm::SaveChart(TCompareCharts::Chart chart, const QString& path) const
{
    return charts_->SavePng(chart, path);
}

void TCompareForm::ExportCsvClick()
{
    const QString polish = "CSV dla polskiego arkusza – średnik, przecinek dziesiętny (*.csv)";
    const QString plain = "CSV – przecinek, kropka dziesiętna (*.csv)";
    QString filter = polish;
    const QString path =
        WithSuffix(QFileDialog::getSaveFileName(this, "Eksportuj tabelę do pliku CSV",
                                                "porownanie_wywietrznikow.csv",
                                                polish + ";;" + plain, &filter),
                   "csv");
    if (!path.isEmpty())
        ShowOutcome(this, ExportCsv(path, filter == plain ? CsvForm::Plain : CsvForm::Polish));
}

void TCompareForm::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Drukuj tabelę porównania");
    if (dialog.exec() == QDialog::Accepted)
        ShowOutcome(this, PrintTable(printer));
}

void TCompareForm::SaveChartClick(TCompareCharts::Chart chart)
{
    const bool operating = chart == TCompareCharts::Chart::OperatingPoint;
    const QString path = WithSuffix(
        QFileDialog::getSaveFileName(this, "Zapisz wykres jako obraz PNG",
                                     operating ? "punkt_pracy.png" : "wydajnosc_a_wiatr.png",
                                     "Obrazy PNG (*.png);;Wszystkie pliki (*)"),
        "png");
    if (!path.isEmpty())
        ShowOutcome(this, SaveChart(chart, path));
}
