// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "files/outcome.h"
#include "report/report_draw.h"
#include "ui/print_document.h"

#include <QFont>
#include <QPainter>

class QPrinter;

// The printer's device units on every printer and in a PDF file: the report's
// fixed positions are meant for 600 units per inch.
inline constexpr int kPrinterResolution = 600;

// A printer as printing uses it: a canvas with a font, on which one document
// of one page is begun, drawn and ended.
class PrintCanvas : public TextCanvas {
public:
    virtual void SetFont(const QFont& font) = 0;
    // Both fail with a Polish reason when the printer or the file refuses.
    virtual Outcome BeginDoc() = 0;
    virtual Outcome EndDoc() = 0;
};

// Prints the report of the state once the print dialog has been confirmed:
// the font "MS Sans Serif" 12 on the canvas, then, only when ResultsPrintable
// is 1, one document with the printer variant of the report at
// (200, 200 + 120 * row) in device units. Fails when the document cannot be
// begun or finished.
Outcome PrintReport(PrintCanvas& printer, const CalcState& state);

// Sets the printer to the program's device units, with the origin at the
// top-left corner of the printable area.
void ConfigurePrinter(QPrinter& printer);

// The process-wide printer as a print canvas. A print into a file is painted
// in memory and replaces the file only when complete (PrintFileGuard): a
// document left unfinished is abandoned when the canvas goes, and the file
// stays as it was before.
class PrinterCanvas final : public PrintCanvas {
public:
    explicit PrinterCanvas(QPrinter& printer);
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas&) = delete;
    PrinterCanvas& operator=(const PrinterCanvas&) = delete;

    void SetFont(const QFont& font) override;
    Outcome BeginDoc() override;
    void DrawText(int x, int y, const QString& text) override;
    Outcome EndDoc() override;

private:
    QPrinter& printer_;
    PrintFileGuard file_; // outlives the painter's document
    QPainter painter_;
    QFont font_;
};

// "Ustawienia drukarki": the platform's print dialog in set-up mode (no page
// range, its button "OK") on the process-wide printer. The printer, its
// properties and the page chosen there are what every later print uses; a
// cancel changes nothing.
void ShowPrinterSetup(QPrinter& printer, QWidget* parent);
