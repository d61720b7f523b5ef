// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/sheet_pdf.h"

#include "compare/compare_charts.h"
#include "dialogs/ventilator_picture.h"
#include "files/print_file.h"
#include "generated/version.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

// The document is laid out at 96 dots per inch, the charts' own scale, so
// that their texts keep their sizes; it is vector graphics all the same.
constexpr int kDpi = 96;
constexpr double kMarginMm = 12.0;
// The charts are laid out this much larger than their place and drawn smaller.
constexpr double kChartScale = 0.8;

int Mm(double mm)
{
    return static_cast<int>(std::lround(mm * kDpi / 25.4));
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QFont SheetFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Texts placed down a page, wrapped to their width.
class PageWriter {
public:
    PageWriter(QPainter& painter, QRect area)
        : painter_(painter)
        , area_(area)
        , y_(area.top())
    {
    }
    int Y() const { return y_; }
    void SetY(int y) { y_ = y; }
    void Skip(int height) { y_ += height; }
    const QRect& Area() const { return area_; }

    // The height of a text wrapped to `width`.
    int Height(const QString& text, const QFont& font, int width) const
    {
        const QFontMetrics metrics(font, painter_.device());
        return metrics
            .boundingRect(QRect(0, 0, width, 100000), Qt::AlignLeft | Qt::TextWordWrap, text)
            .height();
    }
    // Draws a text wrapped to `width` from `x` and goes on under it.
    void Line(const QString& text, const QFont& font, int x = -1, int width = -1)
    {
        x = x < 0 ? area_.left() : x;
        width = width < 0 ? area_.right() - x : width;
        painter_.setFont(font);
        const int height = Height(text, font, width);
        painter_.drawText(QRect(x, y_, width, height), Qt::AlignLeft | Qt::TextWordWrap, text);
        y_ += height;
    }
    void Lines(const std::vector<std::string>& lines, const QFont& font, int x = -1, int width = -1)
    {
        for (const std::string& line : lines)
            Line(Q(line), font, x, width);
    }
    int LinesHeight(const std::vector<std::string>& lines, const QFont& font, int width) const
    {
        int height = 0;
        for (const std::string& line : lines)
            height += Height(Q(line), font, width);
        return height;
    }

private:
    QPainter& painter_;
    QRect area_;
    int y_ = 0;
};

// A table: the first column wide, the others equal; a row's reason spans them.
void DrawTable(QPainter& painter, PageWriter& page, const SheetTable& table, double firstShare)
{
    const QFont body = SheetFont(8.5);
    const QFont bold = SheetFont(8.5, true);
    const int width = page.Area().width();
    const int columns = static_cast<int>(table.header.size());
    if (columns == 0)
        return;
    const int first = columns > 1 ? static_cast<int>(width * firstShare) : width;
    const int other = columns > 1 ? (width - first) / (columns - 1) : 0;
    const int pad = Mm(1.2);
    auto row = [&](const std::vector<std::string>& cells, bool header) {
        const QFont& font = header ? bold : body;
        const bool spans = !header && cells.size() > 2 &&
                           std::all_of(cells.begin() + 2, cells.end(),
                                       [](const std::string& cell) { return cell.empty(); });
        std::vector<QRect> boxes;
        int x = page.Area().left();
        for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c) {
            const int w = c == 0 ? first : (spans && c == 1 ? width - first : other);
            boxes.emplace_back(x, 0, w, 0);
            x += w;
            if (spans && c == 1)
                break;
        }
        int height = 0;
        for (std::size_t c = 0; c < boxes.size(); ++c)
            height = std::max(height, page.Height(Q(cells[c]), font, boxes[c].width() - 2 * pad));
        height += 2 * pad;
        painter.setFont(font);
        for (std::size_t c = 0; c < boxes.size(); ++c) {
            const QRect cell(boxes[c].left(), page.Y(), boxes[c].width(), height);
            if (header)
                painter.fillRect(cell, QColor(225, 225, 225));
            painter.drawRect(cell);
            // Numbers to the right, words to the left.
            const bool right = c > 0 && !header && !spans && !cells[c].empty() &&
                               cells[c][0] >= '0' && cells[c][0] <= '9';
            painter.drawText(cell.adjusted(pad, pad, -pad, -pad),
                             Qt::AlignVCenter | Qt::TextWordWrap |
                                 (right ? Qt::AlignRight : Qt::AlignLeft),
                             Q(cells[c]));
        }
        page.Skip(height);
    };
    row(table.header, true);
    for (const std::vector<std::string>& cells : table.rows)
        row(cells, false);
}

void DrawPageNumber(QPainter& painter, const QRect& area, int page, int pages)
{
    painter.setFont(SheetFont(7.5));
    painter.drawText(QRect(area.left(), area.bottom() - Mm(4), area.width(), Mm(4)),
                     Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("strona %1 z %2").arg(page).arg(pages));
}

// The two charts side by side at the top of `box`, each with its title.
void DrawCharts(QPainter& painter, CompareCharts& charts, const QRect& box)
{
    const int gap = Mm(4);
    const int width = (box.width() - gap) / 2;
    const QSize size(static_cast<int>(width / kChartScale),
                     static_cast<int>(box.height() / kChartScale));
    int x = box.left();
    for (CompareCharts::Chart chart :
         {CompareCharts::Chart::OperatingPoint, CompareCharts::Chart::Wind}) {
        painter.save();
        painter.translate(x, box.top());
        painter.scale(kChartScale, kChartScale);
        charts.PaintChart(chart, painter, size, SheetFont(8));
        painter.restore();
        x += width + gap;
    }
}

struct SheetFonts {
    QFont title = SheetFont(15, true);
    QFont section = SheetFont(10, true);
    QFont body = SheetFont(8.5);
    QFont small = SheetFont(7.5);
    QFont strong = SheetFont(11, true);
};

// The picture of the model's family in the top right corner; its bottom.
int DrawPicture(QPainter& painter, const QRect& area, int model)
{
    const QImage picture = VentilatorPicture(model);
    if (picture.isNull())
        return area.top();
    const QSize box(Mm(40), Mm(40));
    const QSize size = picture.size().scaled(box, Qt::KeepAspectRatio);
    const QRect place(area.right() - size.width(), area.top(), size.width(), size.height());
    painter.drawImage(place, picture);
    painter.drawRect(place);
    return place.bottom();
}

void DrawSheet(QPainter& painter, const QRect& area, const SelectionSheet& sheet,
               CompareCharts& charts)
{
    const SheetFonts f;
    PageWriter page(painter, area);
    const int pictureBottom = DrawPicture(painter, area, sheet.model);
    const int left = area.width() - (sheet.model != 0 ? Mm(45) : 0);
    page.Line(Q(sheet.title), f.title, area.left(), left);
    page.Skip(Mm(2));
    page.Lines(sheet.heading, f.body, area.left(), left);
    page.Skip(Mm(2));
    page.Line(Q(sheet.ventilator), f.strong, area.left(), left);
    page.Skip(Mm(2));
    page.Line(QStringLiteral("Dane do obliczeń"), f.section, area.left(), left);
    page.Lines(sheet.inputs, f.body, area.left() + Mm(3), left - Mm(3));
    page.SetY(std::max(page.Y(), pictureBottom) + Mm(3));

    if (!sheet.results.rows.empty()) {
        page.Line(QStringLiteral("Wyniki"), f.section);
        DrawTable(painter, page, sheet.results, 0.40);
        page.Skip(Mm(1));
        page.Lines(sheet.notes, f.small);
    }
    // What stays under the charts: the assumptions, the verdict, the page number.
    const int width = area.width();
    const int below = Mm(3) + page.Height(QStringLiteral("Założenia"), f.section, width) +
                      page.LinesHeight(sheet.assumptions, f.small, width - Mm(3)) + Mm(2) +
                      page.Height(QStringLiteral("Ocena"), f.section, width) +
                      page.LinesHeight(sheet.verdict, f.body, width - Mm(3)) + Mm(6);
    if (sheet.model != 0 && !sheet.results.rows.empty()) {
        page.Skip(Mm(2));
        page.Line(Q(sheet.chartsTitle), f.section);
        const int height = std::clamp(area.bottom() - page.Y() - below, Mm(45), Mm(95));
        DrawCharts(painter, charts, QRect(area.left(), page.Y(), width, height));
        page.Skip(height);
    }
    page.Skip(Mm(3));
    page.Line(QStringLiteral("Założenia"), f.section);
    page.Lines(sheet.assumptions, f.small, area.left() + Mm(3), width - Mm(3));
    page.Skip(Mm(2));
    page.Line(QStringLiteral("Ocena"), f.section);
    page.Lines(sheet.verdict, f.body, area.left() + Mm(3), width - Mm(3));
}

void DrawIndex(QPainter& painter, const QRect& area, const SheetIndexPage& index)
{
    const SheetFonts f;
    PageWriter page(painter, area);
    page.Line(Q(index.title), f.title);
    page.Skip(Mm(2));
    page.Lines(index.heading, f.body);
    page.Skip(Mm(4));
    DrawTable(painter, page, index.table, 0.30);
}

} // namespace

std::string SheetDate()
{
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

std::string SheetVersion()
{
    return kProgramVersion;
}

QByteArray SelectionSheetsPdf(const std::vector<SheetCase>& cases,
                              const std::optional<SheetIndexPage>& index)
{
    // The charts are widgets: without the graphical application there is no page.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("Karta doboru wywietrznika"));
    pdf.setCreator(QStringLiteral("Wywietrznik ") + QString::fromLatin1(kProgramVersion));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    const QRect area(0, 0, pdf.width(), pdf.height());
    const int pages = static_cast<int>(cases.size()) + (index ? 1 : 0);
    int number = 0;
    if (index) {
        DrawIndex(painter, area, *index);
        DrawPageNumber(painter, area, ++number, pages);
    }
    CompareCharts charts;
    for (const SheetCase& sheetCase : cases) {
        if (number > 0 && !pdf.newPage())
            return {};
        if (sheetCase.model != 0) {
            charts.SetStack(std::nullopt);
            charts.ShowModel(sheetCase.state, sheetCase.model, {}, sheetCase.need.value_or(0.0));
        }
        SheetCase dated = sheetCase;
        if (dated.date.empty())
            dated.date = SheetDate();
        if (dated.version.empty())
            dated.version = SheetVersion();
        DrawSheet(painter, area, BuildSelectionSheet(dated), charts);
        if (pages > 1)
            DrawPageNumber(painter, area, ++number, pages);
        else
            ++number;
    }
    if (!painter.end())
        return {};
    buffer.close();
    return buffer.data();
}

Outcome WriteSelectionSheets(const QString& path, const std::vector<SheetCase>& cases,
                             const std::optional<SheetIndexPage>& index)
{
    if (path.isEmpty())
        return FailureOf(QStringLiteral("Nie podano nazwy pliku karty doboru."));
    return ReplacePrintFile(path, SelectionSheetsPdf(cases, index));
}
