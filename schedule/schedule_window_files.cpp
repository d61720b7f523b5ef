// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule window's files: the CSVs, the workbook and the printout.
#include "schedule/schedule_window.h"

#include "files/safe_file.h"
#include "files/xlsx_file.h"
#include "report/schedule_export.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_print.h"
#include "ui/show_message.h"
#include "ui/text.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

Outcome ScheduleWindow::ExportCsv(const QString& path, CsvForm form) const
{
    const std::string csv = ScheduleCsv(CurrentSchedule(), model_->Computed(), form);
    return ReplaceFile(path, QByteArray::fromStdString(csv));
}

Outcome ScheduleWindow::ExportXlsx(const QString& path) const
{
    return WriteXlsxFile(path, ScheduleWorkbook(CurrentSchedule(), model_->Computed()));
}

Outcome ScheduleWindow::Print(QPrinter& printer) const
{
    return PrintSchedule(printer, CurrentSchedule(), model_->Computed());
}

void ScheduleWindow::ExportCsvToChosenFile()
{
    const QString polish = Text(CsvFilter(CsvForm::Polish));
    const QString plain = Text(CsvFilter(CsvForm::Plain));
    QString filter = polish;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Eksportuj zestawienie do CSV"),
        QStringLiteral("zestawienie_przewodow.csv"), polish + ";;" + plain, &filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    ShowOutcome(this, ExportCsv(path, filter == plain ? CsvForm::Plain : CsvForm::Polish));
}

void ScheduleWindow::ExportXlsxToChosenFile()
{
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Eksportuj zestawienie do XLSX"),
        QStringLiteral("zestawienie_przewodow.xlsx"), QStringLiteral("Skoroszyt Excel (*.xlsx)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    ShowOutcome(this, ExportXlsx(path));
}

void ScheduleWindow::PrintOnChosenPrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drukuj zestawienie przewodów"));
    if (dialog.exec() == QDialog::Accepted)
        ShowOutcome(this, Print(printer));
}
