#pragma once

#include "calc/schedule.h"
#include "files/outcome.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QTableView;
class ScheduleTableModel;
class FlatsTableModel;

// The window "Zestawienie przewodów": the building above, one row per duct in
// the table, the summary below. Every change computes the results again at
// once. Printing, the CSV export and the file commands are its buttons.
class ScheduleWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleWindow(QWidget* parent = nullptr);

    const Schedule& CurrentSchedule() const;
    void SetSchedule(const Schedule& schedule);
    ScheduleTableModel& Model() const { return *model_; }
    QTableView& Table() const { return *table_; }
    FlatsTableModel& Flats() const { return *flats_; }
    QTableView& FlatsTable() const { return *flatsTable_; }
    // The summary below the table, as shown, and its dangers (in red).
    QString SummaryText() const;
    QString DangerText() const;

    // "Dodaj pion": the selected duct (or a new one) on every storey 1..N,
    // each in the flat named after its storey ("M<k>"), added where missing.
    void AddRiser();
    Outcome ExportCsv(const QString& path, bool polish) const;
    Outcome Print(QPrinter& printer) const;

private:
    void BuildBuildingGroup(class QGridLayout* grid);
    class QGroupBox* BuildFlatsGroup();
    class QHBoxLayout* BuildButtons();
    void ShowBuilding(const ScheduleBuilding& building);
    void ReadBuilding();
    void ShowSummary();
    void FitColumns();
    void ExportCsvClick();
    void PrintClick();
    void TriggerMain(const char* action);

    ScheduleTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* danger_ = nullptr;
    FlatsTableModel* flats_ = nullptr;
    QTableView* flatsTable_ = nullptr;
    QLabel* buildingProblem_ = nullptr;
    QButtonGroup* air_ = nullptr;
    QLineEdit* density_ = nullptr;
    QLineEdit* temperature_ = nullptr;
    QLineEdit* pressure_ = nullptr;
    QLineEdit* humidity_ = nullptr;
    QLineEdit* wind_ = nullptr;
    QLineEdit* storeys_ = nullptr;
    QLineEdit* storeyHeight_ = nullptr;
    QLineEdit* inside_ = nullptr;
    QLineEdit* outside_ = nullptr;
    QComboBox* condition_ = nullptr;
    bool showing_ = false;
};
