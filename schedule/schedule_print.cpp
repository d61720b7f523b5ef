#include "schedule/schedule_print.h"

#include "report/schedule_table.h"
#include "ui/print_guard.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <numeric>

namespace {

// The share of the width each column gets.
constexpr std::array<int, kScheduleColumnCount> kWeights = {8, 6, 5, 13, 6, 8, 8, 11, 11,
                                                            5, 7, 6, 6,  9, 6, 7, 15};

static_assert(kWeights[kScheduleColumnCount - 1] > 0, "a weight for every column");

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

class Page {
public:
    // The share of the year is printed only on the condition "rok".
    Page(QPainter& painter, QPagedPaintDevice& printer, bool year)
        : painter_(painter)
        , printer_(printer)
    {
        area_ = printer.pageLayout().paintRectPixels(printer.logicalDpiX());
        area_.moveTo(0, 0);
        int left = 0;
        std::array<int, kScheduleColumnCount> weights = kWeights;
        if (!year)
            weights[static_cast<std::size_t>(ScheduleColumn::YearShare)] = 0;
        const int total = std::accumulate(weights.begin(), weights.end(), 0);
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            x_[c] = left;
            left += area_.width() * weights[c] / total;
            width_[c] = area_.width() * weights[c] / total;
        }
        pad_ = printer.logicalDpiX() / 50;
    }

    // The height that a row of cells takes.
    int Height(const std::vector<QString>& cells) const
    {
        int height = 0;
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            if (width_[c] > 0)
                height = std::max(
                    height, painter_.boundingRect(Cell(c, 0, 10000), Flags(), cells[c]).height());
        }
        return height + 2 * pad_;
    }

    void Row(const std::vector<QString>& cells, int height, bool header)
    {
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            if (width_[c] == 0)
                continue;
            const QRect box(x_[c], y_, width_[c], height);
            if (header)
                painter_.fillRect(box, QColor(0xE8, 0xE8, 0xE8));
            painter_.drawRect(box);
            painter_.drawText(Cell(c, y_ + pad_, height - 2 * pad_), Flags(), cells[c]);
        }
        y_ += height;
    }

    void Line(const QString& text, bool bold = false)
    {
        QFont font = painter_.font();
        font.setBold(bold);
        painter_.setFont(font);
        const QRect box =
            painter_.boundingRect(QRect(0, y_, area_.width(), 10000), Qt::TextWordWrap, text);
        painter_.drawText(box, Qt::TextWordWrap, text);
        y_ += box.height();
        font.setBold(false);
        painter_.setFont(font);
    }

    bool Fits(int height) const { return y_ + height <= area_.height(); }
    bool NewPage()
    {
        y_ = 0;
        return printer_.newPage();
    }
    void Skip(int height) { y_ += height; }
    int LineHeight() const { return painter_.fontMetrics().height(); }

private:
    QRect Cell(int c, int y, int height) const
    {
        return QRect(x_[c] + pad_, y, width_[c] - 2 * pad_, height);
    }
    static int Flags() { return Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop; }

    QPainter& painter_;
    QPagedPaintDevice& printer_;
    QRect area_;
    std::array<int, kScheduleColumnCount> x_{};
    std::array<int, kScheduleColumnCount> width_{};
    int y_ = 0;
    int pad_ = 0;
};

Outcome Draw(QPainter& painter, QPagedPaintDevice& printer, const Schedule& schedule,
             const ScheduleResult& result)
{
    QFont font(QStringLiteral("DejaVu Sans"), 7);
    painter.setFont(font);
    Page page(painter, printer, schedule.building.condition == ScheduleCondition::Year);
    page.Line(QStringLiteral("Zestawienie przewodów wentylacji wywiewnej"), true);
    for (const std::string& line : ScheduleConditionLines(schedule.building))
        page.Line(Q(line));
    page.Skip(page.LineHeight() / 2);
    std::vector<QString> header;
    header.reserve(kScheduleColumnCount);
    for (int c = 0; c < kScheduleColumnCount; ++c)
        header.push_back(Q(ScheduleHeader(static_cast<ScheduleColumn>(c))));
    const int headerHeight = page.Height(header);
    page.Row(header, headerHeight, true);
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        std::vector<QString> cells;
        cells.reserve(kScheduleColumnCount);
        for (int c = 0; c < kScheduleColumnCount; ++c)
            cells.push_back(
                Q(ScheduleCell(schedule.rows[i], result.rows[i], static_cast<ScheduleColumn>(c))));
        const int height = page.Height(cells);
        if (!page.Fits(height)) {
            if (!page.NewPage())
                return FailureOf(QStringLiteral("Nie można rozpocząć nowej strony wydruku."));
            page.Row(header, headerHeight, true);
        }
        page.Row(cells, height, false);
    }
    page.Skip(page.LineHeight() / 2);
    for (const std::string& line : SummaryLines(schedule, result)) {
        if (!page.Fits(3 * page.LineHeight()) && !page.NewPage())
            return FailureOf(QStringLiteral("Nie można rozpocząć nowej strony wydruku."));
        page.Line(Q(line));
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
