// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

// The one painter of a printout with a table on as many pages as it takes
// (the comparison, the schedule): the lines above the table (its title and
// conditions), the table with its header repeated above its first row on
// every page, the lines below it, and "strona 2 z 16" at the foot of every
// page. What goes on which page is decided first (report/page_layout).

// One cell of a row: its lines, from the left or from the right.
struct PrintCell {
    std::vector<QString> lines;
    bool right = false;
};

// One piece of the printout, top to bottom: a line of text (empty: a gap) or
// a row of the table (its cells, one per column).
struct PrintItem {
    double height = 0.0; // what the pages count; the next item begins its whole part lower
    QFont font;
    QString text;
    int baseline = 0; // the text's, below the item's top
    std::vector<PrintCell> cells;
    QColor fill;               // the row's background; none when invalid
    bool keepWithNext = false; // a heading: never the last item on its page
};

// A line of text as tall as `height`, its baseline `baseline` below its top.
PrintItem TextLine(double height, const QFont& font, const QString& text, int baseline,
                   bool keepWithNext = false);

// How the cells of the table are drawn.
struct PrintTableStyle {
    std::vector<int> widths; // of the columns, left to right
    int padding = 0;         // inside a cell, on every side
    // Each cell's lines from its top: the first line's baseline `ascent`
    // below the padding, the next ones `lineStep` lower. Or, `centred`, one
    // line centred in the row's height.
    int ascent = 0;
    int lineStep = 0;
    bool centred = false;
};

struct PagedPrintout {
    std::vector<PrintItem> items;
    PrintItem header; // of the table
    PrintTableStyle table;
    double scale = 1.0; // below 1: everything drawn smaller, so that the table fits
    QFont footFont;
    int footLine = 0; // the page keeps two of these free for its number
};

// The width of a table: its columns'.
int TableWidth(const PrintTableStyle& table);

// The widths of columns sharing `width` by their weights (rounded down).
std::vector<int> SharedWidths(int width, const std::vector<int>& weights);

// Paints the printout on the device's pages, inside its PrintArea; fails only
// when a new page cannot be begun.
Outcome PaintPagedPrintout(QPainter& painter, QPagedPaintDevice& device,
                           const PagedPrintout& printout);
