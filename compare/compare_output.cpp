// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_output.h"

#include "files/safe_file.h"
#include "report/page_layout.h"
#include "report/report_lines.h"
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

// The table of the printout: its fonts, columns and the place of the next row.
struct TablePainter {
    QPainter& painter;
    QFont body;
    QFont bold;
    std::vector<int> columns;
    std::array<int, kTableColumnCount> widths{};
    int padding = 0;
    int rowHeight = 0;
    int y = 0;

    int Width() const
    {
        int width = 0;
        for (int column : columns)
            width += widths[column];
        return width;
    }

    // A row; the header grey, the suggested model's row green as in the window.
    void Row(const std::array<QString, kTableColumnCount>& cells, bool strong, bool header,
             bool suggested = false)
    {
        painter.setFont(strong || header ? bold : body);
        int x = 0;
        for (int column : columns) {
            const QRect cell(x, y, widths[column], rowHeight);
            if (header || suggested)
                painter.fillRect(cell, header ? QColor(225, 225, 225) : QColor(150, 215, 150));
            painter.drawRect(cell);
            const bool left =
                column == kColumnName || header || cells[column] == Text(kNoOperatingPointText);
            painter.drawText(cell.adjusted(padding, 0, -padding, 0),
                             Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignRight),
                             cells[column]);
            x += widths[column];
        }
        y += rowHeight;
    }
};

std::array<QString, kTableColumnCount> HeaderCells()
{
    std::array<QString, kTableColumnCount> header;
    for (int column = 0; column < kTableColumnCount; ++column)
        header[column] = Text(ComparisonHeader(column));
    return header;
}

// The blocks of the printout: the title, the heading lines, the rows in the
// order given (positions outside the rows left out).
std::vector<PrintBlock> ComparisonBlocks(double titleHeight, double lineHeight,
                                         std::size_t headingLines, double rowHeight,
                                         std::size_t rows)
{
    std::vector<PrintBlock> blocks;
    blocks.push_back({titleHeight, false, false});
    for (std::size_t i = 0; i < headingLines; ++i)
        blocks.push_back({lineHeight, false, false});
    for (std::size_t i = 0; i < rows; ++i)
        blocks.push_back({rowHeight, true, false});
    return blocks;
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

// Draws the comparison on the painter's pages, each numbered at its foot.
Outcome DrawComparison(QPainter& painter, QPagedPaintDevice& printer, const CalcState& state,
                       const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                       const ComparisonConditions& conditions, int currentModel)
{
    const QRect area = PrintArea(printer);
    TablePainter table{painter, ProgramFont(10), ProgramFont(10),
                       ComparisonColumns(conditions.neededFlowPerHour > 0.0, HasYearShares(rows))};
    table.bold.setBold(true);
    QFont title = ProgramFont(14);
    title.setBold(true);
    const QFontMetrics metrics(table.body, painter.device());
    table.padding = metrics.averageCharWidth();
    table.rowHeight = metrics.lineSpacing() + table.padding;
    table.widths =
        ColumnWidths(QFontMetrics(table.bold, painter.device()), rows, order, table.padding);
    // A table wider than the page is drawn smaller, so that every column fits.
    const double factor = std::min(1.0, static_cast<double>(area.width()) / table.Width());
    const double width = area.width() / factor;
    const double height = area.height() / factor - 2.0 * metrics.lineSpacing();
    const std::vector<int> shown = ShownRows(rows, order);
    const std::vector<QString> heading =
        HeadingLines(QFontMetricsF(table.body, painter.device()), width, state, conditions);
    const QFontMetrics titleMetrics(title, painter.device());
    const std::vector<PrintBlock> blocks =
        ComparisonBlocks(titleMetrics.lineSpacing() + metrics.lineSpacing() / 2.0,
                         metrics.lineSpacing(), heading.size(), table.rowHeight, shown.size());
    const std::vector<PrintPage> pages = Paginate(blocks, height, table.rowHeight);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage())
            return FailureOf("Nie można rozpocząć nowej strony wydruku.");
        painter.resetTransform();
        painter.translate(area.topLeft());
        painter.scale(factor, factor);
        table.y = 0;
        for (std::size_t i = pages[p].first; i < pages[p].last; ++i) {
            if (HeaderAbove(blocks, pages[p], i))
                table.Row(HeaderCells(), false, true);
            if (i == 0) {
                painter.setFont(title);
                painter.drawText(0, titleMetrics.ascent(), "Porównanie wywietrzników");
            } else if (i <= heading.size()) {
                painter.setFont(table.body);
                painter.drawText(0, table.y + metrics.ascent(), heading[i - 1]);
            } else {
                const ComparisonRow& row = rows[shown[i - 1 - heading.size()]];
                std::array<QString, kTableColumnCount> cells;
                for (int column = 0; column < kTableColumnCount; ++column)
                    cells[column] = Text(ComparisonShownCell(row, column));
                table.Row(cells, row.number == currentModel, false, row.suggested);
                continue;
            }
            table.y += static_cast<int>(blocks[i].height);
        }
        painter.setFont(table.body);
        painter.drawText(QRectF(0, 0, width, area.height() / factor),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         Text(PageNumberText(p + 1, pages.size())));
    }
    return {};
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
        return DrawComparison(painter, device, state, rows, order, conditions, currentModel);
    });
}
