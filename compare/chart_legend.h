// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPen>
#include <QString>

#include <vector>

class QChart;
class QPainter;
class QRect;

// The legend of a comparison chart, drawn outside the chart as wrapped text
// so that no name is ever cut: the window shows it in a word-wrapped label
// under the chart, a saved picture draws the same text under the chart.

// One entry: a line (solid, dashed or dotted) or a point, and its name.
struct LegendEntry {
    QString name;
    QPen pen;    // the line's pen, or the point's border
    QColor fill; // a point's fill; invalid for a line
    bool point = false;
};

class QAbstractSeries;

// Whether a series has an entry in the legend; every series has one unless
// left out here.
void SetInLegend(QAbstractSeries& series, bool shown);

// The entries of the chart's series that are in the legend, in their order.
std::vector<LegendEntry> LegendEntries(const QChart& chart);

// The entries as rich text: each a sample of its line or point in its colour
// and its name, the entries separated by spaces where the text may wrap.
QString LegendHtml(const std::vector<LegendEntry>& entries);

// The height [px] that the rich text of a legend takes at a width, in a font.
int LegendHeight(const QString& html, const QFont& font, int width);

// Draws the rich text of a legend into `box`, wrapped to its width.
void DrawLegend(QPainter& painter, const QRect& box, const QString& html, const QFont& font);
