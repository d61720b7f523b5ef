// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_print.h"

#include "report/page_layout.h"
#include "report/schedule_table.h"
#include "ui/print_document.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <cmath>
#include <numeric>

namespace {

// The share of the width each column gets.
constexpr std::array<int, kScheduleColumnCount> kWeights = {8, 9, 8, 12, 7, 10, 8, 10, 10,
                                                            5, 8, 6, 6,  8, 6,  7, 14};

static_assert(kWeights[kScheduleColumnCount - 1] > 0, "a weight for every column");

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// One piece of the printout: a line of text, or a row of the table with each
// cell's lines.
struct Item {
    QString text;
    bool bold = false;
    std::vector<std::vector<QString>> cells; // a row when not empty
    bool header = false;
    int height = 0;
};

// The measures of the printout on one device, and the drawing of its items.
class Sheet {
public:
    // The share of the year is printed only on the condition "rok".
    Sheet(QPainter& painter, const QPagedPaintDevice& device, bool year)
        : painter_(painter)
        , area_(PrintArea(device))
        , body_(QStringLiteral("DejaVu Sans"), 7)
        , bold_(body_)
        , metrics_(body_, painter.device())
    {
        bold_.setBold(true);
        std::array<int, kScheduleColumnCount> weights = kWeights;
        if (!year)
            weights[static_cast<std::size_t>(ScheduleColumn::YearShare)] = 0;
        const int total = std::accumulate(weights.begin(), weights.end(), 0);
        int left = 0;
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            x_[c] = left;
            width_[c] = area_.width() * weights[c] / total;
            left += width_[c];
        }
        pad_ = std::max(1, device.logicalDpiX() / 50);
        line_ = static_cast<int>(std::ceil(metrics_.lineSpacing()));
    }

    // The text as lines as wide as the page (bold ones measured bold).
    void AddText(std::vector<Item>& items, std::vector<PrintBlock>& blocks, const std::string& text,
                 bool bold = false, bool keepWithNext = false) const
    {
        const QFontMetricsF metrics(bold ? bold_ : body_, painter_.device());
        for (const std::string& line : WrapText(text, area_.width(), Measure(metrics))) {
            items.push_back({Q(line), bold, {}, false, line_});
            blocks.push_back({static_cast<double>(line_), false, keepWithNext});
            keepWithNext = false;
        }
    }
    void AddGap(std::vector<Item>& items, std::vector<PrintBlock>& blocks) const
    {
        const int gap = line_ / 2; // whole device pixels, as the painter places them
        items.push_back({QString(), false, {}, false, gap});
        blocks.push_back({static_cast<double>(gap), false, false});
    }
    // A row, each cell wrapped to its column; its height the tallest cell's.
    Item Row(const std::vector<std::string>& texts, bool header) const
    {
        Item item;
        item.header = header;
        std::size_t lines = 1;
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            std::vector<QString> cell;
            if (width_[c] == 0) {
                item.cells.push_back(std::move(cell));
                continue;
            }
            for (const std::string& line : WrapText(texts[static_cast<std::size_t>(c)],
                                                    width_[c] - 2 * pad_, Measure(metrics_)))
                cell.push_back(Q(line));
            lines = std::max(lines, cell.size());
            item.cells.push_back(std::move(cell));
        }
        item.height = static_cast<int>(lines) * line_ + 2 * pad_;
        return item;
    }

    // Draws an item with its top at y; returns the y below it.
    int Draw(const Item& item, int y) const
    {
        if (item.cells.empty()) {
            painter_.setFont(item.bold ? bold_ : body_);
            painter_.drawText(area_.left(), area_.top() + y + static_cast<int>(metrics_.ascent()),
                              item.text);
            return y + item.height;
        }
        painter_.setFont(body_);
        const int height = item.height;
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            if (width_[c] == 0)
                continue;
            const QRect box(area_.left() + x_[c], area_.top() + y, width_[c], height);
            if (item.header)
                painter_.fillRect(box, QColor(0xE8, 0xE8, 0xE8));
            painter_.drawRect(box);
            int baseline = box.top() + pad_ + static_cast<int>(metrics_.ascent());
            for (const QString& line : item.cells[static_cast<std::size_t>(c)]) {
                painter_.drawText(box.left() + pad_, baseline, line);
                baseline += line_;
            }
        }
        return y + height;
    }
    // "strona 2 z 16", centred at the foot of the area.
    void Foot(std::size_t page, std::size_t count) const
    {
        painter_.setFont(body_);
        const QRect foot(area_.left(), area_.bottom() - line_, area_.width(), line_);
        painter_.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, Q(PageNumberText(page, count)));
    }
    // The height the pages' content may take: the area less the foot.
    double ContentHeight() const { return area_.height() - 2.0 * line_; }

private:
    static TextWidth Measure(const QFontMetricsF& metrics)
    {
        return [metrics](std::string_view text) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        };
    }

    QPainter& painter_;
    QRect area_;
    QFont body_;
    QFont bold_;
    QFontMetricsF metrics_;
    std::array<int, kScheduleColumnCount> x_{};
    std::array<int, kScheduleColumnCount> width_{};
    int pad_ = 0;
    int line_ = 0;
};

// The printout's items top to bottom: the title and the conditions, the
// table's rows, the summary under its heading.
void Compose(const Sheet& sheet, const Schedule& schedule, const ScheduleResult& result,
             std::vector<Item>& items, std::vector<PrintBlock>& blocks)
{
    sheet.AddText(items, blocks, "Zestawienie przewodów wentylacji wywiewnej", true);
    for (const std::string& line : ScheduleConditionLines(schedule.building))
        sheet.AddText(items, blocks, line);
    sheet.AddGap(items, blocks);
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        std::vector<std::string> cells;
        cells.reserve(kScheduleColumnCount);
        for (int c = 0; c < kScheduleColumnCount; ++c)
            cells.push_back(
                ScheduleCell(schedule.rows[i], result.rows[i], static_cast<ScheduleColumn>(c)));
        items.push_back(sheet.Row(cells, false));
        blocks.push_back({static_cast<double>(items.back().height), true, false});
    }
    sheet.AddGap(items, blocks);
    sheet.AddText(items, blocks, "Podsumowanie", true, true);
    for (const std::string& line : SummaryLines(schedule, result))
        sheet.AddText(items, blocks, line);
}

Outcome Draw(QPainter& painter, QPagedPaintDevice& printer, const Schedule& schedule,
             const ScheduleResult& result)
{
    const Sheet sheet(painter, printer, schedule.building.condition == ScheduleCondition::Year);
    std::vector<std::string> headerTexts;
    headerTexts.reserve(kScheduleColumnCount);
    for (int c = 0; c < kScheduleColumnCount; ++c)
        headerTexts.push_back(ScheduleHeader(static_cast<ScheduleColumn>(c)));
    const Item header = sheet.Row(headerTexts, true);
    std::vector<Item> items;
    std::vector<PrintBlock> blocks;
    Compose(sheet, schedule, result, items, blocks);
    const std::vector<PrintPage> pages = Paginate(blocks, sheet.ContentHeight(), header.height);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage())
            return FailureOf(QStringLiteral("Nie można rozpocząć nowej strony wydruku."));
        int y = 0;
        for (std::size_t i = pages[p].first; i < pages[p].last; ++i) {
            if (HeaderAbove(blocks, pages[p], i))
                y = sheet.Draw(header, y);
            y = sheet.Draw(items[i], y);
        }
        sheet.Foot(p + 1, pages.size());
    }
    return {};
}

} // namespace

Outcome PrintSchedule(QPrinter& printer, const Schedule& schedule, const ScheduleResult& result)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return PrintDocument(printer, [&](QPainter& painter, QPagedPaintDevice& device) {
        return Draw(painter, device, schedule, result);
    });
}
