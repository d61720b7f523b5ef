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
std::array<int, kComparisonColumnCount> ColumnWidths(const QFontMetrics& bold,
                                                     const std::vector<ComparisonRow>& rows,
                                                     const std::vector<int>& order, int padding)
{
    std::array<int, kComparisonColumnCount> widths{};
    for (int column = 0; column < kComparisonColumnCount; ++column) {
        widths[column] = bold.horizontalAdvance(Text(ComparisonHeader(column)));
        for (int position : order) {
            if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
                continue;
            const QString cell = Text(ComparisonCell(rows[position], column));
            widths[column] = std::max(widths[column], bold.horizontalAdvance(cell));
        }
        widths[column] += 2 * padding;
    }
    return widths;
}

// Draws the title and the input lines at the top of the first page; returns
// the height they take, with a blank line below.
int DrawHeading(QPainter& painter, const QFont& title, const QFont& body, const CalcState& state)
{
    int y = 0;
    painter.setFont(title);
    const QFontMetrics titleMetrics(title, painter.device());
    const QFontMetrics metrics(body, painter.device());
    const int lineHeight = metrics.lineSpacing();
    painter.drawText(0, y + titleMetrics.ascent(), "Porównanie wywietrzników");
    y += titleMetrics.lineSpacing() + lineHeight / 2;
    painter.setFont(body);
    for (const QString& line : InputLines(state)) {
        painter.drawText(0, y + metrics.ascent(), line);
        y += lineHeight;
    }
    return y + lineHeight;
}

// Draws the comparison on the painter's pages.
Outcome DrawComparison(QPainter& painter, QPagedPaintDevice& printer, const CalcState& state,
                       const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                       int currentModel)
{
    const QRect page = painter.viewport();
    const QFont body = ProgramFont(10);
    QFont bold = body;
    bold.setBold(true);
    QFont title = ProgramFont(14);
    title.setBold(true);

    const QFontMetrics metrics(body, painter.device());
    const QFontMetrics boldMetrics(bold, painter.device());
    const int lineHeight = metrics.lineSpacing();
    const int padding = metrics.averageCharWidth();
    const int rowHeight = lineHeight + padding;

    const std::array<int, kComparisonColumnCount> widths =
        ColumnWidths(boldMetrics, rows, order, padding);
    bool needSet = false;
    for (const ComparisonRow& row : rows)
        needSet = needSet || row.NeedSet();
    const std::vector<int> columns = ComparisonColumns(needSet);
    // A table wider than the page is drawn smaller, so that every column fits.
    int tableWidth = 0;
    for (int column : columns)
        tableWidth += widths[column];
    int pageHeight = page.height();
    if (tableWidth > page.width() && tableWidth > 0) {
        const double factor = static_cast<double>(page.width()) / tableWidth;
        painter.scale(factor, factor);
        pageHeight = static_cast<int>(page.height() / factor);
    }

    int y = DrawHeading(painter, title, body, state);

    auto drawRow = [&](const std::array<QString, kComparisonColumnCount>& cells, bool strong,
                       bool header) {
        painter.setFont(strong || header ? bold : body);
        int x = 0;
        for (int column : columns) {
            const QRect cell(x, y, widths[column], rowHeight);
            if (header)
                painter.fillRect(cell, QColor(225, 225, 225));
            painter.drawRect(cell);
            const bool left =
                column == kColumnName || header || cells[column] == Text(kNoOperatingPointText);
            painter.drawText(cell.adjusted(padding, 0, -padding, 0),
                             Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignRight),
                             cells[column]);
            x += widths[column];
        }
        y += rowHeight;
    };
    std::array<QString, kComparisonColumnCount> header;
    for (int column = 0; column < kComparisonColumnCount; ++column)
        header[column] = Text(ComparisonHeader(column));
    drawRow(header, false, true);

    for (int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= rows.size())
            continue;
        if (y + rowHeight > pageHeight) {
            if (!printer.newPage())
                return Outcome::Failure("Nie można rozpocząć nowej strony wydruku.");
            y = 0;
            drawRow(header, false, true);
        }
        const ComparisonRow& row = rows[position];
        std::array<QString, kComparisonColumnCount> cells;
        for (int column = 0; column < kComparisonColumnCount; ++column)
            cells[column] = Text(ComparisonCell(row, column));
        drawRow(cells, row.number == currentModel, false);
    }
    return {};
}

} // namespace

Outcome WriteComparisonCsv(const QString& path, const std::vector<ComparisonRow>& rows,
                           const std::vector<int>& order, CsvForm form)
{
    if (path.isEmpty())
        return Outcome::Failure("Nie podano nazwy pliku CSV.");
    const std::string csv = ComparisonCsv(rows, order, form);
    return ReplaceFile(path, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
}

Outcome PrintComparisonTable(QPrinter& printer, const CalcState& state,
                             const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                             int currentModel)
{
    PrintFileGuard file(printer);
    if (Outcome begun = file.Begin(); !begun)
        return begun;
    QPainter painter;
    if (!painter.begin(&file.Device())) {
        if (!file.FileName().isEmpty())
            return Outcome::Failure("Nie można zapisać wydruku do pliku „" + file.FileName() +
                                    "”.");
        return Outcome::Failure("Nie można rozpocząć wydruku na drukarce „" +
                                printer.printerName() + "”.");
    }
    if (Outcome drawn = DrawComparison(painter, file.Device(), state, rows, order, currentModel);
        !drawn)
        return drawn;
    if (!painter.end())
        return Outcome::Failure("Wydruk nie został ukończony.");
    return file.Commit();
}
