// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_print.h"

#include "report/page_layout.h"
#include "report/schedule_export.h"
#include "report/schedule_table.h"
#include "ui/paged_table.h"
#include "ui/print_document.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <cmath>

namespace {

// The share of the width each column of kScheduleColumns gets.
constexpr std::array<int, kScheduleColumnCount> kWeights = {8, 9, 8, 12, 7, 10, 8, 10, 10,
                                                            5, 8, 6, 6,  8, 6,  7, 14};

static_assert(kWeights[kScheduleColumnCount - 1] > 0, "a weight for every column");

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The measures of the printout on one device, and the making of its items.
class Sheet {
public:
    // The share of the year is printed only on the condition "rok".
    Sheet(const QPagedPaintDevice& device, bool year)
        : device_(&device)
        , width_(PrintArea(device).width())
        , body_(QStringLiteral("DejaVu Sans"), 7)
        , bold_(body_)
        , metrics_(body_, &device)
    {
        bold_.setBold(true);
        std::vector<int> weights;
        for (std::size_t c = 0; c < kScheduleColumns.size(); ++c) {
            if (year || kScheduleColumns[c] != SheetColumn::YearShare) {
                columns_.push_back(kScheduleColumns[c]);
                weights.push_back(kWeights[c]);
            }
        }
        table_.widths = SharedWidths(width_, weights);
        table_.padding = std::max(1, device.logicalDpiX() / 50);
        table_.lineStep = static_cast<int>(std::ceil(metrics_.lineSpacing()));
        table_.ascent = static_cast<int>(metrics_.ascent());
    }

    const PrintTableStyle& Table() const { return table_; }

    // The text as lines as wide as the page (bold ones measured bold).
    void AddText(std::vector<PrintItem>& items, const std::string& text, bool bold = false,
                 bool keepWithNext = false) const
    {
        const QFontMetricsF metrics(bold ? bold_ : body_, device_);
        for (const std::string& line : WrapText(text, width_, Measure(metrics))) {
            items.push_back(TextLine(table_.lineStep, bold ? bold_ : body_, Q(line), table_.ascent,
                                     keepWithNext));
            keepWithNext = false;
        }
    }
    void AddGap(std::vector<PrintItem>& items) const
    {
        const int gap = table_.lineStep / 2; // whole device pixels, as the painter places them
        items.push_back(TextLine(gap, body_, QString(), 0));
    }
    // A row of the printed columns' texts, each wrapped to its column; its
    // height the tallest cell's.
    template <typename CellText> PrintItem Row(const CellText& text) const
    {
        PrintItem item;
        item.font = body_;
        std::size_t lines = 1;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            PrintCell cell;
            for (const std::string& line : WrapText(
                     text(columns_[c]), table_.widths[c] - 2 * table_.padding, Measure(metrics_)))
                cell.lines.push_back(Q(line));
            lines = std::max(lines, cell.lines.size());
            item.cells.push_back(std::move(cell));
        }
        item.height = static_cast<int>(lines) * table_.lineStep + 2 * table_.padding;
        return item;
    }
    const QFont& Body() const { return body_; }

private:
    static TextWidth Measure(const QFontMetricsF& metrics)
    {
        return [metrics](std::string_view text) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        };
    }

    const QPaintDevice* device_;
    int width_;
    QFont body_;
    QFont bold_;
    QFontMetricsF metrics_;
    std::vector<SheetColumn> columns_;
    PrintTableStyle table_;
};

// The printout top to bottom: the title and the conditions, the table's rows
// under the header, the summary under its heading.
PagedPrintout Compose(const QPagedPaintDevice& device, const Schedule& schedule,
                      const ScheduleResult& result)
{
    const Sheet sheet(device, schedule.building.condition == ScheduleCondition::Year);
    PagedPrintout printout;
    printout.table = sheet.Table();
    printout.footFont = sheet.Body();
    printout.footLine = sheet.Table().lineStep;
    printout.header = sheet.Row(ScheduleHeader);
    printout.header.fill = QColor(0xE8, 0xE8, 0xE8);
    std::vector<PrintItem>& items = printout.items;
    const std::vector<std::string> head = ScheduleHeadLines(schedule.building);
    for (std::size_t i = 0; i < head.size(); ++i)
        sheet.AddText(items, head[i], i == 0); // the title bold
    sheet.AddGap(items);
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        items.push_back(sheet.Row([&](SheetColumn column) {
            return ScheduleCell(schedule.rows[i], result.rows[i], column);
        }));
    }
    sheet.AddGap(items);
    sheet.AddText(items, "Podsumowanie", true, true);
    for (const std::string& line : SummaryLines(schedule, result))
        sheet.AddText(items, line);
    return printout;
}

} // namespace

Outcome PrintSchedule(QPrinter& printer, const Schedule& schedule, const ScheduleResult& result)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return PrintDocument(printer, [&](QPainter& painter, QPagedPaintDevice& device) {
        return PaintPagedPrintout(painter, device, Compose(device, schedule, result));
    });
}
