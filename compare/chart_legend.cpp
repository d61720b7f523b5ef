// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/chart_legend.h"

#include <QAbstractTextDocumentLayout>
#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTextDocument>

#include <cmath>

namespace {

// The sample of a line: heavy box-drawing strokes that keep the line's style.
QString LineSample(const QPen& pen)
{
    switch (pen.style()) {
    case Qt::DashLine:
        return QStringLiteral("╍╍╍");
    case Qt::DotLine:
        return QStringLiteral("┉┉┉");
    case Qt::DashDotLine:
        return QStringLiteral("━\u00a0·\u00a0━");
    default:
        return QStringLiteral("━━━");
    }
}

QString Coloured(const QString& text, const QColor& colour)
{
    return "<span style=\"color:" + colour.name() + "; font-weight:bold\">" + text + "</span>";
}

// A legend's text laid out in a document of a width.
void Prepare(QTextDocument& document, const QString& html, const QFont& font, int width)
{
    document.setDefaultFont(font);
    document.setDocumentMargin(2);
    document.setHtml(html);
    document.setTextWidth(width);
}

} // namespace

void SetInLegend(QAbstractSeries& series, bool shown)
{
    series.setProperty("inLegend", shown);
}

std::vector<LegendEntry> LegendEntries(const QChart& chart)
{
    std::vector<LegendEntry> entries;
    for (QAbstractSeries* series : chart.series()) {
        const QVariant shown = series->property("inLegend");
        if (shown.isValid() && !shown.toBool())
            continue;
        LegendEntry entry{series->name(), {}, {}, false};
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            entry.point = true;
            entry.fill = scatter->color();
            entry.pen = QPen(scatter->borderColor());
        } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
            entry.pen = line->pen();
        }
        entries.push_back(entry);
    }
    return entries;
}

QString LegendHtml(const std::vector<LegendEntry>& entries)
{
    QStringList parts;
    for (const LegendEntry& entry : entries) {
        // A white point is drawn as a ring in its border's colour.
        const QString sample = !entry.point ? Coloured(LineSample(entry.pen), entry.pen.color())
                               : entry.fill == QColor(Qt::white)
                                   ? Coloured(QStringLiteral("○"), entry.pen.color())
                                   : Coloured(QStringLiteral("●"), entry.fill);
        // An entry breaks only between entries, never inside.
        parts << sample + "&nbsp;" + entry.name.toHtmlEscaped().replace(' ', "&nbsp;");
    }
    return parts.join(QStringLiteral("&nbsp;&nbsp;&nbsp; "));
}

int LegendHeight(const QString& html, const QFont& font, int width)
{
    QTextDocument document;
    Prepare(document, html, font, width);
    return static_cast<int>(std::ceil(document.size().height()));
}

void DrawLegend(QPainter& painter, const QRect& box, const QString& html, const QFont& font)
{
    QTextDocument document;
    Prepare(document, html, font, box.width());
    painter.save();
    painter.translate(box.topLeft());
    document.drawContents(&painter, QRectF(0, 0, box.width(), box.height()));
    painter.restore();
}
