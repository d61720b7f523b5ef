// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_output.h"

#include "files/safe_file.h"
#include "report/page_layout.h"
#include "report/report_lines.h"
#include "ui/paged_table.h"
#include "ui/print_document.h"
#include "ui/program_font.h"
#include "ui/text.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The input lines of the report: from "Dane do obliczeń:" up to the results,
// without the ventilator's name, which the table gives for every model.
std::vector<QString> InputLines(const CalcState& state)
{
    std::vector<QString> lines;
    bool inputs = false;
    for (const ReportLine& line : BuildReport(state, ReportVariant::Screen)) {
        if (line.text == "Dane do obliczeń:")
            inputs = true;
        else if (line.text == "Obliczone wartości:")
            break;
        if (inputs && line.text.rfind("   Nazwa wywietrznika", 0) != 0)
            lines.push_back(Text(line.text));
    }
    return lines;
}

// Column widths: the widest text of each column, in bold to be safe.
std::array<int, kTableColumnCount> ColumnWidths(const QFontMetrics& bold,
                                                const std::vector<ComparisonRow>& rows,
                                                const std::vector<int>& order, int padding)
{
    std::array<int, kTableColumnCount> widths{};
    for (int column = 0; column < kTableColumnCount; ++column) {
        widths[column] = bold.horizontalAdvance(Text(ComparisonHeader(column)));
        for (int position : order) {
            if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
                continue;
            const QString cell = Text(ComparisonShownCell(rows[position], column));
            widths[column] = std::max(widths[column], bold.horizontalAdvance(cell));
        }
        widths[column] += 2 * padding;
    }
    return widths;
}

// The title, the input lines and the conditions at the top of the first
// page: the title's text first, then each line of the others as wide as the
// page allows.
std::vector<QString> HeadingLines(const QFontMetricsF& metrics, double width,
                                  const CalcState& state, const ComparisonConditions& conditions)
{
    std::vector<QString> lines = InputLines(state);
    lines.emplace_back(" ");
    lines.emplace_back("Warunki porównania:");
    for (const std::string& line : ConditionLines(conditions))
        lines.push_back("   " + Text(line));
    const TextWidth measure = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    std::vector<QString> wrapped;
    for (const QString& line : lines) {
        for (const std::string& part : WrapText(line.toStdString(), width, measure))
            wrapped.push_back(Text(part));
    }
    wrapped.emplace_back(" ");
    return wrapped;
}

// A row of the printout's table: the cells of the columns shown; the name,
// the header and "brak punktu pracy" from the left, the numbers from the right.
PrintItem TableRow(const std::array<QString, kTableColumnCount>& cells,
                   const std::vector<int>& columns, const QFont& font, int height, bool header)
{
    PrintItem row;
    row.height = height;
    row.font = font;
    for (int column : columns) {
        const bool left =
            column == kColumnName || header || cells[column] == Text(kNoOperatingPointText);
        row.cells.push_back({{cells[column]}, !left});
    }
    return row;
}

std::array<QString, kTableColumnCount> HeaderCells()
{
    std::array<QString, kTableColumnCount> header;
    for (int column = 0; column < kTableColumnCount; ++column)
        header[column] = Text(ComparisonHeader(column));
    return header;
}

std::array<QString, kTableColumnCount> RowCells(const ComparisonRow& row)
{
    std::array<QString, kTableColumnCount> cells;
    for (int column = 0; column < kTableColumnCount; ++column)
        cells[column] = Text(ComparisonShownCell(row, column));
    return cells;
}

// The positions of `order` that are rows.
std::vector<int> ShownRows(const std::vector<ComparisonRow>& rows, const std::vector<int>& order)
{
    std::vector<int> shown;
    for (int position : order) {
        if (position >= 0 && static_cast<std::size_t>(position) < rows.size())
            shown.push_back(position);
    }
    return shown;
}

// The printout: the title, the heading lines and the rows in the order given
// (positions outside the rows left out); the row of `currentModel` in bold,
// the header grey and the suggested model's row green as in the window. A
// table wider than the page is drawn smaller, so that every column fits.
PagedPrintout ComparisonPrintout(const QPaintDevice* device, int areaWidth, const CalcState& state,
                                 const std::vector<ComparisonRow>& rows,
                                 const std::vector<int>& order,
                                 const ComparisonConditions& conditions, int currentModel)
{
    QFont body = ProgramFont(10);
    QFont bold = body;
    bold.setBold(true);
    QFont title = ProgramFont(14);
    title.setBold(true);
    const QFontMetrics metrics(body, device);
    const QFontMetrics titleMetrics(title, device);
    const int padding = metrics.averageCharWidth();
    const int rowHeight = metrics.lineSpacing() + padding;
    const std::vector<int> columns =
        ComparisonColumns(conditions.neededFlowPerHour > 0.0, HasYearShares(rows));
    const std::array<int, kTableColumnCount> widths =
        ColumnWidths(QFontMetrics(bold, device), rows, order, padding);
    PagedPrintout printout;
    printout.table.padding = padding;
    printout.table.centred = true;
    for (int column : columns)
        printout.table.widths.push_back(widths[column]);
    printout.scale = std::min(1.0, static_cast<double>(areaWidth) / TableWidth(printout.table));
    printout.footFont = body;
    printout.footLine = metrics.lineSpacing();
    printout.header = TableRow(HeaderCells(), columns, bold, rowHeight, true);
    printout.header.fill = QColor(225, 225, 225);
    printout.items.push_back(TextLine(titleMetrics.lineSpacing() + metrics.lineSpacing() / 2.0,
                                      title, "Porównanie wywietrzników", titleMetrics.ascent()));
    for (const QString& line :
         HeadingLines(QFontMetricsF(body, device), areaWidth / printout.scale, state, conditions))
        printout.items.push_back(TextLine(metrics.lineSpacing(), body, line, metrics.ascent()));
    for (int position : ShownRows(rows, order)) {
        const ComparisonRow& row = rows[position];
        PrintItem item = TableRow(RowCells(row), columns, row.number == currentModel ? bold : body,
                                  rowHeight, false);
        if (row.suggested)
            item.fill = QColor(150, 215, 150);
        printout.items.push_back(std::move(item));
    }
    return printout;
}

} // namespace

Outcome WriteComparisonCsv(const QString& path, const std::vector<ComparisonRow>& rows,
                           const std::vector<int>& order, const ComparisonConditions& conditions,
                           CsvForm form)
{
    if (path.isEmpty())
        return FailureOf("Nie podano nazwy pliku CSV.");
    const std::string csv = ComparisonCsv(rows, order, conditions, form);
    return ReplaceFile(path, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
}

Outcome PrintComparisonTable(QPrinter& printer, const CalcState& state,
                             const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                             const ComparisonConditions& conditions, int currentModel)
{
    return PrintDocument(printer, [&](QPainter& painter, QPagedPaintDevice& device) {
        return PaintPagedPrintout(painter, device,
                                  ComparisonPrintout(painter.device(), PrintArea(device).width(),
                                                     state, rows, order, conditions, currentModel));
    });
}
