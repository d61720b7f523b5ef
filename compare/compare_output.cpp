#include "compare/compare_output.h"

#include "files/safe_file.h"
#include "report/report_lines.h"
#include "ui/print_guard.h"
#include "ui/program_font.h"
#include "ui/text.h"

#include <QFontMetrics>
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

// Draws the title, the input lines and the conditions at the top of the
// first page, wrapped to `width`; returns the height they take, with a blank
// line below.
int DrawHeading(QPainter& painter, const QFont& title, const QFont& body, int width,
                const CalcState& state, const ComparisonConditions& conditions)
{
    int y = 0;
    painter.setFont(title);
    const QFontMetrics titleMetrics(title, painter.device());
    const QFontMetrics metrics(body, painter.device());
    painter.drawText(0, y + titleMetrics.ascent(), "Porównanie wywietrzników");
    y += titleMetrics.lineSpacing() + metrics.lineSpacing() / 2;
    painter.setFont(body);
    std::vector<QString> lines = InputLines(state);
    lines.emplace_back(" ");
    lines.emplace_back("Warunki porównania:");
    for (const std::string& line : ConditionLines(conditions))
        lines.push_back("   " + Text(line));
    for (const QString& line : lines) {
        const QRect box(0, y, width, 100 * metrics.lineSpacing());
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        painter.drawText(box, flags, line);
        y += metrics.boundingRect(box, flags, line).height();
    }
    return y + metrics.lineSpacing();
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

// Draws the comparison on the painter's pages.
Outcome DrawComparison(QPainter& painter, QPagedPaintDevice& printer, const CalcState& state,
                       const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                       const ComparisonConditions& conditions, int currentModel)
{
    const QRect page = painter.viewport();
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
    int pageWidth = page.width();
    int pageHeight = page.height();
    if (table.Width() > page.width()) {
        const double factor = static_cast<double>(page.width()) / table.Width();
        painter.scale(factor, factor);
        pageWidth = table.Width();
        pageHeight = static_cast<int>(page.height() / factor);
    }
    table.y = DrawHeading(painter, title, table.body, pageWidth, state, conditions);
    table.Row(HeaderCells(), false, true);
    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        if (table.y + table.rowHeight > pageHeight) {
            if (!printer.newPage())
                return FailureOf("Nie można rozpocząć nowej strony wydruku.");
            table.y = 0;
            table.Row(HeaderCells(), false, true);
        }
        const ComparisonRow& row = rows[position];
        std::array<QString, kTableColumnCount> cells;
        for (int column = 0; column < kTableColumnCount; ++column)
            cells[column] = Text(ComparisonShownCell(row, column));
        table.Row(cells, row.number == currentModel, false, row.suggested);
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
