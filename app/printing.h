#pragma once

#include "calc_state.h"
#include "report_draw.h"

#include <QFont>
#include <QPainter>

#include <stdexcept>

class QPrinter;

// The printer's device units on every printer and in a PDF file: the report's
// fixed positions are meant for 600 units per inch.
inline constexpr int kPrinterResolution = 600;

// A printer as printing uses it: a canvas with a font, on which one document
// of one page is begun, drawn and ended.
class PrintCanvas : public TextCanvas {
public:
    virtual void SetFont(const QFont& font) = 0;
    // Both raise PrintError when the printer refuses.
    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
};

// A printer or a print file that cannot take the document; the message is
// Polish, for the user.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints the report of the state once the print dialog has been confirmed:
// the font "MS Sans Serif" 12 on the canvas, then, only when ResultsPrintable
// is 1, one document with the printer variant of the report at
// (200, 200 + 120 * row) in device units.
void PrintReport(PrintCanvas& printer, const CalcState& state);

// Sets the printer to the program's device units, with the origin at the
// top-left corner of the printable area.
void ConfigurePrinter(QPrinter& printer);

// The process-wide printer as a print canvas. A document left unfinished
// (an error while drawing) is abandoned when the canvas goes, and a print file
// of it is removed, so no half-written file stays behind.
class PrinterCanvas final : public PrintCanvas {
public:
    explicit PrinterCanvas(QPrinter& printer);
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas&) = delete;
    PrinterCanvas& operator=(const PrinterCanvas&) = delete;

    void SetFont(const QFont& font) override;
    void BeginDoc() override;
    void DrawText(int x, int y, const QString& text) override;
    void EndDoc() override;

private:
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
};
