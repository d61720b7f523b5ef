// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QBuffer>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

// True when the printer writes into a file rather than to a printer.
bool PrintsToFile(const QPrinter& printer);

// Where a print is painted. On a printer, the printer itself. A print into a
// file is painted into a PDF document in memory, with the printer's page,
// margins and resolution, and only a complete document then replaces the file
// (ReplacePrintFile): a full disk or a size limit never leaves a broken PDF in
// place of a good one, and a FIFO or device of that name is never opened.
class PrintFileGuard {
public:
    explicit PrintFileGuard(QPrinter& printer);
    ~PrintFileGuard();
    PrintFileGuard(const PrintFileGuard&) = delete;
    PrintFileGuard& operator=(const PrintFileGuard&) = delete;

    // Before the document is begun: chooses the device.
    Outcome Begin();
    // What the painter paints on, from Begin on.
    QPagedPaintDevice& Device();
    // True when the print goes into a file (after Begin).
    bool ToFile() const { return pdf_ != nullptr; }
    // After the painter has ended: the document replaces the file.
    Outcome Commit();
    // The file the user chose; empty on a printer.
    const QString& FileName() const { return fileName_; }

private:
    QPrinter& printer_;
    QString fileName_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> pdf_;
};

// Prints one document through a PrintFileGuard: begins it, lets `draw` paint
// its pages on the guard's device, ends it and commits it. The first step that
// fails is told in Polish.
Outcome PrintDocument(QPrinter& printer,
                      const std::function<Outcome(QPainter&, QPagedPaintDevice&)>& draw);

// The least margin of a printout on every side [mm].
inline constexpr double kLeastPrintMargin = 10.0;

// Where a page's content goes, in the painter's coordinates on `device`: the
// page inside the device's margins, but never nearer to the paper's edge than
// kLeastPrintMargin, whatever margins or full-page mode the printer has.
QRect PrintArea(const QPagedPaintDevice& device);
