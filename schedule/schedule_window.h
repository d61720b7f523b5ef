// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "calc/schedule_sheet.h"
#include "files/csv.h"
#include "files/outcome.h"

#include <QPersistentModelIndex>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QLineEdit;
class QPrinter;
class QSortFilterProxyModel;
class QStatusBar;
class QTableView;
class QToolButton;
class QUndoStack;
class FlatsTableModel;
class ScheduleTableModel;
class ScheduleView;

// The window "Zestawienie przewodów": the building above, one row per duct in
// the table, the summary below. Every change computes the results again at
// once and is one step of the undo stack. The table is edited as a
// spreadsheet: copy and paste of tab-separated cells, fill down, several rows
// removed or duplicated at once; a click on a header sorts the view (the rows
// keep their own order in the schedule). Printing, the CSV export and the file
// commands are its buttons.
class ScheduleWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleWindow(QWidget* parent = nullptr);
    // The building fields are let go first: a field that loses the focus
    // while the window is taken down must not reach the window any more.
    ~ScheduleWindow() override;
    ScheduleWindow(const ScheduleWindow&) = delete;
    ScheduleWindow& operator=(const ScheduleWindow&) = delete;

    const Schedule& CurrentSchedule() const;
    // A new content (a file opened, a new calculation): the undo stack is
    // cleared and Edited is not emitted.
    void SetSchedule(const Schedule& schedule);
    ScheduleTableModel& Model() const { return *model_; }
    // The view of the table beside the frozen label and verdict.
    QTableView& Table() const;
    // The view of the label and the verdict, which stays when the table
    // scrolls sideways.
    QTableView& FrozenTable() const;
    QSortFilterProxyModel& Proxy() const { return *proxy_; }
    QUndoStack& UndoStack() const;
    // The table of flats below the ducts.
    FlatsTableModel& Flats() const { return *flats_; }
    QTableView& FlatsTable() const { return *flatsTable_; }
    // The summary below the table, as shown, and its dangers (in red).
    QString SummaryText() const;
    QString DangerText() const;

    // "Dodaj pion": the selected duct (or a new one) on every storey 1..N,
    // each in the flat named after its storey ("M<k>"), added where missing.
    void AddRiser();
    Outcome ExportCsv(const QString& path, CsvForm form) const;
    // The workbook of the schedule (report/schedule_export.h) as an XLSX file.
    Outcome ExportXlsx(const QString& path) const;
    Outcome Print(QPrinter& printer) const;
    // "Karta doboru…": the selection sheet of the duct of `row` (the
    // schedule's order) into a PDF file; "Karty doboru wszystkich
    // przewodów…": one page per duct after their index page.
    Outcome SaveSheet(int row, const QString& path, const QString& project,
                      const QString& duct) const;
    Outcome SaveAllSheets(const QString& path, const QString& project) const;

    // The weather of the condition "rok" (nullptr: none; the condition can
    // then not be chosen, and the rows of a schedule kept on it say so) and
    // the terrains of the station and the building (0..4); the ventilators
    // stand at z = N x h + 1 m. Every row is computed again.
    void SetYearWeather(std::shared_ptr<const struct LoadedWeather> weather, int stationTerrain,
                        int buildingTerrain);

    // The editing commands of the table, on its selection.
    void CopyCells();
    void PasteCells();
    void FillDown();
    void RemoveSelectedRows();
    void DuplicateSelectedRows();

signals:
    // Every change the user makes: a cell, a building field, a row added or
    // removed, paste, fill, undo, redo.
    void Edited();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTable(class QVBoxLayout* layout);
    ScheduleView* MakeView(const char* name);
    void BuildSummary(class QVBoxLayout* layout);
    void BuildBuildingGroup(class QGridLayout* grid);
    void PlaceYearFields(class QGridLayout* grid);
    class QHBoxLayout* BuildButtons();
    class QGroupBox* BuildFlatsGroup();
    void BuildActions();
    QAction* TableAction(const QString& text, const QKeySequence& key, const QString& tip,
                         void (ScheduleWindow::*slot)());
    void ShowBuilding();
    void ShowYearChoice();
    void ReadBuilding(int field);
    void ShowSummary();
    void FitColumns();
    void CommitTyped(const QPersistentModelIndex& index, const QString& text);
    void WriteCells(const std::vector<int>& targets, const std::vector<struct CellWrite>& writes,
                    const QString& what);
    std::vector<int> SelectedSourceRows() const;
    void ExportCsvToChosenFile();
    void ExportXlsxToChosenFile();
    void PrintOnChosenPrinter();
    void SaveSheetToChosenFile();
    void SaveAllSheetsToChosenFile();
    void TriggerMain(const char* action);

    ScheduleTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    ScheduleView* table_ = nullptr;
    ScheduleView* frozen_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    QLabel* danger_ = nullptr;
    FlatsTableModel* flats_ = nullptr;
    QTableView* flatsTable_ = nullptr;
    QToolButton* summaryToggle_ = nullptr;
    QCheckBox* failingOnly_ = nullptr;
    QLabel* buildingProblem_ = nullptr;
    QStatusBar* status_ = nullptr;
    QButtonGroup* air_ = nullptr;
    std::array<QLineEdit*, kBuildingFieldCount> fields_{};
    QComboBox* condition_ = nullptr;
    QCheckBox* oneModel_ = nullptr;
    bool showing_ = false;
    int fieldSerial_ = 0;
};
