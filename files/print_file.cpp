#include "files/print_file.h"

#include <QFileInfo>
#include <QPrinter>

bool PrintsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

PrintFileGuard::PrintFileGuard(QPrinter& printer)
    : printer_(printer)
{
}

PrintFileGuard::~PrintFileGuard()
{
    GiveNameBack();
}

void PrintFileGuard::GiveNameBack()
{
    if (redirected_ && !printer_.paintingActive())
        printer_.setOutputFileName(fileName_);
    redirected_ = false;
}

Outcome PrintFileGuard::Begin()
{
    if (!PrintsToFile(printer_))
        return {};
    fileName_ = printer_.outputFileName();
    if (fileName_.isEmpty())
        return Outcome::Failure(
            QStringLiteral("Nie wybrano pliku, do którego ma być zapisany wydruk."));
    replacement_.emplace(fileName_);
    if (Outcome begun = replacement_->Begin(); !begun)
        return begun;
    printer_.setOutputFileName(replacement_->TemporaryPath());
    redirected_ = true;
    return {};
}

Outcome PrintFileGuard::Commit()
{
    if (!replacement_)
        return {};
    const QString temporary = replacement_->TemporaryPath();
    GiveNameBack();
    if (QFileInfo(temporary).size() <= 0)
        return Outcome::Failure(
            QStringLiteral("Wydruk nie został zapisany do pliku „%1”.").arg(fileName_));
    return replacement_->Commit();
}
