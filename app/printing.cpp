#include "printing.h"

#include "program_font.h"
#include "report_lines.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace {

bool PrintsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

QString Quoted(const QString& name)
{
    return QStringLiteral("„%1”").arg(name);
}

[[noreturn]] void RaiseBeginFailure(const QPrinter& printer)
{
    QString message;
    if (PrintsToFile(printer)) {
        if (printer.outputFileName().isEmpty())
            message = QStringLiteral("Nie wybrano pliku, do którego ma być zapisany wydruk.");
        else
            message = QStringLiteral("Nie można zapisać wydruku do pliku %1.")
                          .arg(Quoted(printer.outputFileName()));
    } else {
        message = QStringLiteral("Nie można rozpocząć wydruku na drukarce %1.")
                      .arg(Quoted(printer.printerName()));
    }
    throw PrintError(message.toStdString());
}

[[noreturn]] void RaiseEndFailure(const QPrinter& printer)
{
    QString message;
    if (PrintsToFile(printer))
        message = QStringLiteral("Wydruk nie został zapisany do pliku %1.")
                      .arg(Quoted(printer.outputFileName()));
    else
        message =
            QStringLiteral("Drukarka %1 nie przyjęła wydruku.").arg(Quoted(printer.printerName()));
    throw PrintError(message.toStdString());
}

} // namespace

void PrintReport(PrintCanvas& printer, const CalcState& state)
{
    printer.SetFont(ProgramFont(12));
    if (state.ResultsPrintable != 1)
        return;
    printer.BeginDoc();
    DrawReport(printer, BuildReport(state, ReportVariant::Printer), kPrinterReportLayout);
    printer.EndDoc();
}

void ConfigurePrinter(QPrinter& printer)
{
    printer.setResolution(kPrinterResolution);
    printer.setFullPage(false);
}

PrinterCanvas::PrinterCanvas(QPrinter& printer)
    : printer_(printer)
{
}

PrinterCanvas::~PrinterCanvas()
{
    if (!painter_.isActive())
        return;
    const bool toFile = PrintsToFile(printer_);
    printer_.abort();
    painter_.end();
    if (toFile && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}

void PrinterCanvas::SetFont(const QFont& font)
{
    font_ = font;
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PrinterCanvas::BeginDoc()
{
    if (!painter_.begin(&printer_))
        RaiseBeginFailure(printer_);
    painter_.setFont(font_);
}

void PrinterCanvas::DrawText(int x, int y, const QString& text)
{
    PainterCanvas(painter_).DrawText(x, y, text);
}

void PrinterCanvas::EndDoc()
{
    bool done = painter_.end() && printer_.printerState() != QPrinter::Error;
    if (PrintsToFile(printer_)) {
        const QFileInfo file(printer_.outputFileName());
        done = done && file.isFile() && file.size() > 0;
        if (!done)
            QFile::remove(printer_.outputFileName()); // never leave a half-written file
    }
    if (!done)
        RaiseEndFailure(printer_);
}
