// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/refusal.h"
#include "compare/compare_charts.h"
#include "compare/comparison_rows.h"
#include "compare/year_column.h"
#include "files/outcome.h"
#include "report/selection_sheet.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

struct CalcState;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QShowEvent;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTimer;
class QVBoxLayout;
class CompareTableModel;
class StackGroup;

// The comparison of all ventilators, "Obliczenia → Porównaj wywietrzniki", open after the wizard.
// "Porównanie wywietrzników": all 27 catalogue models computed on the inputs
// held in the calculation state, side by side, with the charts of the chosen
// row's model. A modal dialog; Esc and "Zamknij" close it. Choosing a model
// ("Wybierz" or a double-click) hands its catalogue number 1..27 to
// `chooseModel`, which makes it the current ventilator; the window then shows
// the new current model and stays open. Enter never chooses: in a field it
// applies that field only.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    // The objectName that .wyw files and value files know the window by.
    static constexpr const char* kObjectName = "CompareForm";

    CompareWindow(CalcState& state, std::function<void(int index)> chooseModel,
                  QWidget* parent = nullptr);

    // Recomputes everything from the state. Before the window is shown it also
    // sorts by Qh, largest first, and selects the current model.
    void Refresh();

    // The catalogue number of the selected row; 0 when none is selected.
    int SelectedModel() const;
    // Selects the row of a catalogue number and, when `reveal`, scrolls the
    // table to it.
    void SelectModel(int model, bool reveal = true);

    // The needed flow of the field "Wymagana wydajność Qh [m3/h]"; 0: none
    // or refused.
    double NeededFlow() const;
    // The ambient pressure [Pa] of the gravity draught's dps: the weather
    // dialog's where the density is computed from it (AmbientStackPressure).
    void SetAmbientPressure(double pressure) { ambientPressure_ = pressure; }
    // A year of weather at the roof: the column "Godziny spełnienia [%]" of
    // all models (with a need typed) and the field "Udział godzin [%]" of the
    // suggestion by it; nullptr hides both. A need typed recomputes the
    // column after a pause in typing (kYearDelay), everything else at once.
    void SetYearWeather(std::shared_ptr<const LoadedWeather> weather, const Site& site,
                        const WeatherPeriod& period);
    static constexpr int kYearDelay = 150; // [ms]
    // How many times the year's column was computed (the rest comes from the cache).
    int YearComputations() const { return yearCache_.Computations(); }

    // What the numbers are computed for, as the printout and CSV name them.
    const ComparisonConditions& Conditions() const { return conditions_; }

    CompareTableModel* TableModel() const { return model_; }
    CompareCharts* Charts() const { return charts_; }

    // What the buttons do after their dialogs, callable with a path or a
    // printer; the buttons show a failure with ShowOutcome.
    Outcome ExportCsv(const QString& path, CsvForm form = CsvForm::Plain) const;
    // The workbook of ComparisonWorkbook, written whole or not at all.
    Outcome ExportXlsx(const QString& path) const;
    Outcome PrintTable(QPrinter& printer) const;
    Outcome SaveChart(CompareCharts::Chart chart, const QString& path) const;
    // The selection sheet of a model on the inputs held: the draught of the
    // group "Ciąg grawitacyjny" where it is ticked (else the defaults), the
    // need of the field where one is typed. The main window's sheet too.
    SheetCase SheetCaseOf(int model) const;
    // "Karta doboru…": the sheet of the selected model into a PDF file.
    Outcome SaveSheet(const QString& path, const QString& project, const QString& duct) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static constexpr const char* kNoDataMessage =
        "Brak danych do porównania. Najpierw wykonaj Obliczenia → Nowe obliczenia.";

    void BuildWindow();
    QWidget* BuildPage();
    QHBoxLayout* BuildButtons();
    void BuildNeedRow(QWidget* page, QVBoxLayout& pageLayout);
    void ShowNoData(Refusal refusal);
    void ShowRows(const StackConditions* draught, int current, int selected, bool opening);
    // None: no shares; Shares: the column only (the share refused).
    enum class YearState { None, Pending, Shares, Suggests };
    YearState ApplyYear(std::vector<ComparisonRow>& rows, const StackConditions* draught,
                        double need);
    void ShowProblems();
    void FitTable();
    void ConnectControls();
    void Choose();
    void UpdateCharts();
    void UpdateButtons();
    void ExportCsvToChosenFile();
    void ExportXlsxToChosenFile();
    void PrintOnChosenPrinter();
    void SaveChartToChosenFile(CompareCharts::Chart chart);
    void SaveSheetToChosenFile();

    CalcState& state_;
    std::function<void(int)> chooseModel_;
    bool hasData_ = false;
    bool refreshing_ = false;
    ComparisonConditions conditions_;
    double ambientPressure_ = kStackPressure;
    NeedWindCache cache_;
    std::shared_ptr<const LoadedWeather> weather_;
    Site site_;
    WeatherPeriod period_;
    YearColumnCache yearCache_;
    bool deferYear_ = false; // the need was typed: the year's column waits for yearTimer_
    std::string yearSuggestion_;
    std::vector<std::string> yearLines_; // YearConditionLines of the shares shown
    QString yearProblem_;
    QString printFile_; // the last print file chosen in this run

    QStackedWidget* stack_ = nullptr;
    QLabel* noData_ = nullptr;
    QLabel* summary_ = nullptr;
    StackGroup* stackGroup_ = nullptr;
    QLineEdit* needEdit_ = nullptr;
    QWidget* shareBox_ = nullptr;
    QLineEdit* shareEdit_ = nullptr;
    QTimer* yearTimer_ = nullptr;
    QLabel* suggestion_ = nullptr;
    QLabel* problem_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTableView* table_ = nullptr;
    CompareTableModel* model_ = nullptr;
    CompareCharts* charts_ = nullptr;
    QPushButton* chooseButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* xlsxButton_ = nullptr;
    QPushButton* sheetButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
