// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print_document.h"

#include "files/print_file.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

bool PrintsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

PrintFileGuard::PrintFileGuard(QPrinter& printer)
    : printer_(printer)
{
}

PrintFileGuard::~PrintFileGuard() = default;

Outcome PrintFileGuard::Begin()
{
    if (!PrintsToFile(printer_))
        return {};
    fileName_ = printer_.outputFileName();
    if (fileName_.isEmpty())
        return FailureOf(QStringLiteral("Nie wybrano pliku, do którego ma być zapisany wydruk."));
    buffer_.setData(QByteArray());
    if (!buffer_.open(QIODevice::WriteOnly))
        return FailureOf(
            QStringLiteral("Nie można przygotować wydruku do pliku „%1”.").arg(fileName_));
    pdf_ = std::make_unique<QPdfWriter>(&buffer_);
    pdf_->setPdfVersion(printer_.pdfVersion());
    pdf_->setResolution(printer_.resolution());
    pdf_->setPageLayout(printer_.pageLayout());
    pdf_->setTitle(printer_.docName());
    pdf_->setCreator(printer_.creator());
    return {};
}

QPagedPaintDevice& PrintFileGuard::Device()
{
    if (pdf_)
        return *pdf_;
    return printer_;
}

Outcome PrintFileGuard::Commit()
{
    if (!pdf_)
        return {};
    buffer_.close();
    return ReplacePrintFile(fileName_, buffer_.data());
}

Outcome PrintDocument(QPrinter& printer,
                      const std::function<Outcome(QPainter&, QPagedPaintDevice&)>& draw)
{
    PrintFileGuard file(printer);
    if (Outcome begun = file.Begin(); !begun)
        return begun;
    QPainter painter;
    if (!painter.begin(&file.Device())) {
        if (!file.FileName().isEmpty())
            return FailureOf("Nie można zapisać wydruku do pliku „" + file.FileName() + "”.");
        return FailureOf("Nie można rozpocząć wydruku na drukarce „" + printer.printerName() +
                         "”.");
    }
    if (Outcome drawn = draw(painter, file.Device()); !drawn)
        return drawn;
    if (!painter.end())
        return FailureOf(QStringLiteral("Wydruk nie został ukończony."));
    return file.Commit();
}

QRect PrintArea(const QPagedPaintDevice& device)
{
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiY();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi); // the painter's origin is its corner
    const int least = static_cast<int>(std::ceil(kLeastPrintMargin / 25.4 * dpi));
    const QRect inner = full.adjusted(least, least, -least, -least);
    return inner.intersected(paint).translated(-paint.topLeft());
}
