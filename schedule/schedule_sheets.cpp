// SPDX-License-Identifier: GPL-3.0-or-later
// The selection sheets of the schedule's ducts.
#include "compare/sheet_dialog.h"
#include "compare/sheet_pdf.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"
#include "ui/show_message.h"

Outcome ScheduleWindow::SaveSheet(int row, const QString& path, const QString& project,
                                  const QString& duct) const
{
    const Schedule& schedule = CurrentSchedule();
    if (row < 0 || static_cast<std::size_t>(row) >= schedule.rows.size())
        return FailureOf(QStringLiteral("Zaznacz w tabeli przewód, którego kartę doboru zapisać."));
    SheetCase sheet =
        ScheduleSheetCase(schedule, model_->Computed(), static_cast<std::size_t>(row));
    sheet.project = project.toStdString();
    sheet.duct = duct.toStdString();
    return WriteSelectionSheets(path, {sheet});
}

Outcome ScheduleWindow::SaveAllSheets(const QString& path, const QString& project) const
{
    const Schedule& schedule = CurrentSchedule();
    if (schedule.rows.empty())
        return FailureOf(QStringLiteral("Zestawienie nie ma przewodów, nie ma z czego sporządzić "
                                        "kart doboru."));
    std::vector<SheetCase> cases;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        cases.push_back(ScheduleSheetCase(schedule, model_->Computed(), i));
        cases.back().project = project.toStdString();
    }
    SheetIndexPage index;
    index.title = SheetIndexTitle();
    index.heading = {"Program doboru wywietrzników KORVANT, wersja " + SheetVersion(),
                     "Data: " + SheetDate(), "Projekt: " + project.toStdString()};
    index.table = SheetIndex(schedule, model_->Computed());
    return WriteSelectionSheets(path, cases, index);
}

void ScheduleWindow::SaveSheetToChosenFile()
{
    const std::vector<int> rows = SelectedSourceRows();
    if (rows.empty()) {
        ShowOutcome(this, SaveSheet(-1, QString(), QString(), QString()));
        return;
    }
    const int row = rows.front();
    const QString label = QString::fromStdString(CurrentSchedule().rows[row].label);
    if (const std::optional<SheetChoice> choice =
            AskSheet(this, label, true, QStringLiteral("karta_doboru.pdf")))
        ShowOutcome(this, SaveSheet(row, choice->path, choice->project, choice->duct));
}

void ScheduleWindow::SaveAllSheetsToChosenFile()
{
    if (CurrentSchedule().rows.empty()) {
        ShowOutcome(this, SaveAllSheets(QString(), QString()));
        return;
    }
    if (const std::optional<SheetChoice> choice =
            AskSheet(this, QString(), false, QStringLiteral("karty_doboru.pdf")))
        ShowOutcome(this, SaveAllSheets(choice->path, choice->project));
}
