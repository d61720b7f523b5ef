// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_window.h"

#include "compare/compare_output.h"
#include "compare/compare_table_model.h"
#include "compare/comparison_workbook.h"
#include "files/csv.h"
#include "files/xlsx_file.h"
#include "ui/show_message.h"
#include "ui/text.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

// The files of the comparison window: CSV, XLSX, the printout and the charts.

namespace {

// A path from a save dialog with the suffix added when none was typed.
QString WithSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + suffix;
}

} // namespace

Outcome CompareWindow::ExportCsv(const QString& path, CsvForm form) const
{
    if (!hasData_)
        return FailureOf(kNoDataMessage);
    return WriteComparisonCsv(path, model_->Rows(), model_->Order(), conditions_, form);
}

Outcome CompareWindow::ExportXlsx(const QString& path) const
{
    if (!hasData_)
        return FailureOf(kNoDataMessage);
    if (path.isEmpty())
        return FailureOf("Nie podano nazwy pliku XLSX.");
    return WriteXlsxFile(path, ComparisonWorkbook(model_->Rows(), model_->Order(), conditions_));
}

Outcome CompareWindow::PrintTable(QPrinter& printer) const
{
    if (!hasData_)
        return FailureOf(kNoDataMessage);
    return PrintComparisonTable(printer, state_, model_->Rows(), model_->Order(), conditions_,
                                model_->CurrentModel());
}

Outcome CompareWindow::SaveChart(CompareCharts::Chart chart, const QString& path) const
{
    return charts_->SavePng(chart, path);
}

void CompareWindow::ExportCsvToChosenFile()
{
    const QString polish = Text(CsvFilter(CsvForm::Polish));
    const QString plain = Text(CsvFilter(CsvForm::Plain));
    QString filter = polish;
    const QString path =
        WithSuffix(QFileDialog::getSaveFileName(this, "Eksportuj tabelę do pliku CSV",
                                                "porownanie_wywietrznikow.csv",
                                                polish + ";;" + plain, &filter),
                   "csv");
    if (!path.isEmpty())
        ShowOutcome(this, ExportCsv(path, filter == plain ? CsvForm::Plain : CsvForm::Polish));
}

void CompareWindow::ExportXlsxToChosenFile()
{
    const QString path = WithSuffix(
        QFileDialog::getSaveFileName(this, "Eksportuj tabelę do skoroszytu XLSX",
                                     "porownanie_wywietrznikow.xlsx", "Skoroszyt XLSX (*.xlsx)"),
        "xlsx");
    if (!path.isEmpty())
        ShowOutcome(this, ExportXlsx(path));
}

void CompareWindow::PrintOnChosenPrinter()
{
    // The dialog proposes the last file chosen in this run, at first a name
    // in the working directory.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(printFile_);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Drukuj tabelę porównania");
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printer.outputFileName().isEmpty())
        printFile_ = printer.outputFileName();
    ShowOutcome(this, PrintTable(printer));
}

void CompareWindow::SaveChartToChosenFile(CompareCharts::Chart chart)
{
    const bool operating = chart == CompareCharts::Chart::OperatingPoint;
    const QString path = WithSuffix(
        QFileDialog::getSaveFileName(this, "Zapisz wykres jako obraz PNG",
                                     operating ? "punkt_pracy.png" : "wydajnosc_a_wiatr.png",
                                     "Obrazy PNG (*.png);;Wszystkie pliki (*)"),
        "png");
    if (!path.isEmpty())
        ShowOutcome(this, SaveChart(chart, path));
}
