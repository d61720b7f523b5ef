#pragma once

#include "files/outcome.h"
#include "files/safe_file.h"

#include <QString>

#include <optional>

class QPrinter;

// True when the printer writes into a file rather than to a printer.
bool PrintsToFile(const QPrinter& printer);

// A print into a file goes into a temporary beside the file, which replaces it
// only when the document is complete (FileReplacement): a FIFO or device of
// that name is never opened, and a failed print leaves the old file as it was.
// A print on a printer passes through untouched. The printer gets its own file
// name back when the guard goes; create it before the painter that prints.
class PrintFileGuard {
public:
    explicit PrintFileGuard(QPrinter& printer);
    ~PrintFileGuard();
    PrintFileGuard(const PrintFileGuard&) = delete;
    PrintFileGuard& operator=(const PrintFileGuard&) = delete;

    // Before the document is begun: the printer now writes the temporary.
    Outcome Begin();
    // After the document has ended: the temporary replaces the file.
    Outcome Commit();
    // The file the user chose; empty on a printer.
    const QString& FileName() const { return fileName_; }

private:
    void GiveNameBack();

    QPrinter& printer_;
    QString fileName_;
    std::optional<FileReplacement> replacement_;
    bool redirected_ = false;
};
