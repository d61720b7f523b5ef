// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printing.h"

#include "report/report_lines.h"
#include "ui/program_font.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

QString Quoted(const QString& name)
{
    return QStringLiteral("„%1”").arg(name);
}

// `fileName`: the file the user chose, empty on a printer.
Outcome BeginFailure(const QPrinter& printer, const QString& fileName)
{
    if (!fileName.isEmpty())
        return FailureOf(
            QStringLiteral("Nie można zapisać wydruku do pliku %1.").arg(Quoted(fileName)));
    return FailureOf(QStringLiteral("Nie można rozpocząć wydruku na drukarce %1.")
                         .arg(Quoted(printer.printerName())));
}

Outcome EndFailure(const QPrinter& printer, const QString& fileName)
{
    if (!fileName.isEmpty())
        return FailureOf(
            QStringLiteral("Wydruk nie został zapisany do pliku %1.").arg(Quoted(fileName)));
    return FailureOf(
        QStringLiteral("Drukarka %1 nie przyjęła wydruku.").arg(Quoted(printer.printerName())));
}

} // namespace

Outcome PrintReport(PrintCanvas& printer, const CalcState& state)
{
    printer.SetFont(ProgramFont(12));
    if (!state.ResultsPrintable)
        return {};
    if (Outcome begun = printer.BeginDoc(); !begun)
        return begun;
    DrawReport(printer, BuildReport(state, ReportVariant::Printer), kPrinterReportLayout);
    return printer.EndDoc();
}

void ConfigurePrinter(QPrinter& printer)
{
    printer.setResolution(kPrinterResolution);
    printer.setFullPage(false);
}

PrinterCanvas::PrinterCanvas(QPrinter& printer)
    : printer_(printer)
    , file_(printer)
{
}

PrinterCanvas::~PrinterCanvas()
{
    // An unfinished document in memory is dropped with the guard.
    if (!painter_.isActive())
        return;
    if (!file_.ToFile())
        printer_.abort();
    painter_.end();
}

void PrinterCanvas::SetFont(const QFont& font)
{
    font_ = font;
    if (painter_.isActive())
        painter_.setFont(font_);
}

Outcome PrinterCanvas::BeginDoc()
{
    if (Outcome prepared = file_.Begin(); !prepared)
        return prepared;
    if (!painter_.begin(&file_.Device()))
        return BeginFailure(printer_, file_.FileName());
    painter_.setFont(font_);
    return {};
}

void PrinterCanvas::DrawText(int x, int y, const QString& text)
{
    PainterCanvas(painter_).DrawText(x, y, text);
}

Outcome PrinterCanvas::EndDoc()
{
    if (!painter_.end() || (!file_.ToFile() && printer_.printerState() == QPrinter::Error))
        return EndFailure(printer_, file_.FileName());
    return file_.Commit();
}

void ShowPrinterSetup(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintSetupDialog"));
    dialog.setWindowTitle(QStringLiteral("Ustawienia drukarki"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}
