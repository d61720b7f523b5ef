// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/print_file.h"

#include "files/safe_file.h"

namespace {

// Where the last cross-reference section begins, as "startxref" near the end
// gives it; -1 when it does not say.
qsizetype CrossReferenceOffset(const QByteArray& pdf, qsizetype startxref)
{
    qsizetype at = startxref + qsizetype(sizeof "startxref") - 1;
    while (at < pdf.size() && (pdf[at] == '\r' || pdf[at] == '\n' || pdf[at] == ' '))
        ++at;
    qsizetype offset = 0;
    qsizetype digits = 0;
    for (; at < pdf.size() && pdf[at] >= '0' && pdf[at] <= '9' && digits < 12; ++at, ++digits)
        offset = offset * 10 + (pdf[at] - '0');
    return digits > 0 ? offset : -1;
}

} // namespace

bool PdfComplete(const QByteArray& pdf)
{
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return false;
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    const qsizetype xref = CrossReferenceOffset(pdf, startxref);
    if (xref <= 0 || xref >= startxref)
        return false;
    // A cross-reference table, then the trailer dictionary, then startxref.
    const qsizetype trailer = pdf.lastIndexOf("trailer", startxref);
    return pdf.mid(xref, 4) == "xref" && trailer > xref && pdf.indexOf("<<", trailer) < startxref;
}

Outcome ReplacePrintFile(const QString& path, const QByteArray& pdf)
{
    if (!PdfComplete(pdf))
        return FailureOf(
            QStringLiteral("Wydruk nie został zapisany do pliku „%1”: dokument PDF nie został "
                           "ukończony. Poprzedni plik pozostał bez zmian.")
                .arg(path));
    return ReplaceFile(path, pdf);
}
