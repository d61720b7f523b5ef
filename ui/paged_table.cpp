// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paged_table.h"

#include "report/page_layout.h"
#include "ui/print_document.h"
#include "ui/text.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <numeric>

namespace {

// Draws a row with its top at y, in the row's font.
void DrawRow(QPainter& painter, const PrintTableStyle& table, const PrintItem& row, int y)
{
    painter.setFont(row.font);
    const int pad = table.padding;
    int x = 0;
    for (std::size_t c = 0; c < row.cells.size() && c < table.widths.size(); ++c) {
        const PrintCell& cell = row.cells[c];
        const QRect box(x, y, table.widths[c], static_cast<int>(row.height));
        if (row.fill.isValid())
            painter.fillRect(box, row.fill);
        painter.drawRect(box);
        if (table.centred) {
            painter.drawText(box.adjusted(pad, 0, -pad, 0),
                             Qt::AlignVCenter | (cell.right ? Qt::AlignRight : Qt::AlignLeft),
                             cell.lines.empty() ? QString() : cell.lines.front());
        } else {
            int baseline = box.top() + pad + table.ascent;
            for (const QString& line : cell.lines) {
                const int left =
                    cell.right ? box.left() + box.width() - pad -
                                     static_cast<int>(painter.fontMetrics().horizontalAdvance(line))
                               : box.left() + pad;
                painter.drawText(left, baseline, line);
                baseline += table.lineStep;
            }
        }
        x += table.widths[c];
    }
}

// Draws an item with its top at y; returns the y of the next one.
int DrawItem(QPainter& painter, const PrintTableStyle& table, const PrintItem& item, int y)
{
    if (!item.cells.empty()) {
        DrawRow(painter, table, item, y);
    } else if (!item.text.isEmpty()) {
        painter.setFont(item.font);
        painter.drawText(0, y + item.baseline, item.text);
    }
    return y + static_cast<int>(item.height);
}

} // namespace

PrintItem TextLine(double height, const QFont& font, const QString& text, int baseline,
                   bool keepWithNext)
{
    PrintItem line;
    line.height = height;
    line.font = font;
    line.text = text;
    line.baseline = baseline;
    line.keepWithNext = keepWithNext;
    return line;
}

int TableWidth(const PrintTableStyle& table)
{
    return std::accumulate(table.widths.begin(), table.widths.end(), 0);
}

std::vector<int> SharedWidths(int width, const std::vector<int>& weights)
{
    const int total = std::accumulate(weights.begin(), weights.end(), 0);
    std::vector<int> widths;
    widths.reserve(weights.size());
    for (int weight : weights)
        widths.push_back(total > 0 ? width * weight / total : 0);
    return widths;
}

Outcome PaintPagedPrintout(QPainter& painter, QPagedPaintDevice& device,
                           const PagedPrintout& printout)
{
    const QRect area = PrintArea(device);
    const double width = area.width() / printout.scale;
    const double height = area.height() / printout.scale;
    std::vector<PrintBlock> blocks;
    blocks.reserve(printout.items.size());
    for (const PrintItem& item : printout.items)
        blocks.push_back({item.height, !item.cells.empty(), item.keepWithNext});
    const std::vector<PrintPage> pages =
        Paginate(blocks, height - 2.0 * printout.footLine, printout.header.height);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage())
            return FailureOf("Nie można rozpocząć nowej strony wydruku.");
        painter.resetTransform();
        painter.translate(area.topLeft());
        painter.scale(printout.scale, printout.scale);
        int y = 0;
        for (std::size_t i = pages[p].first; i < pages[p].last; ++i) {
            if (HeaderAbove(blocks, pages[p], i))
                y = DrawItem(painter, printout.table, printout.header, y);
            y = DrawItem(painter, printout.table, printout.items[i], y);
        }
        painter.setFont(printout.footFont);
        painter.drawText(QRectF(0, 0, width, height), Qt::AlignHCenter | Qt::AlignBottom,
                         Text(PageNumberText(p + 1, pages.size())));
    }
    return {};
}
