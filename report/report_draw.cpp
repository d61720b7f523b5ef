// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_draw.h"

#include <QFontMetrics>
#include <QPainter>

PainterCanvas::PainterCanvas(QPainter& painter)
    : painter_(painter)
{
}

void PainterCanvas::DrawText(int x, int y, const QString& text)
{
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
}

void RecordingCanvas::DrawText(int x, int y, const QString& text)
{
    texts_.push_back(DrawnText{x, y, text});
}

void DrawReport(TextCanvas& canvas, const std::vector<ReportLine>& lines, int x, int y0,
                int rowStep)
{
    for (const ReportLine& line : lines)
        canvas.DrawText(x, y0 + rowStep * line.row, QString::fromStdString(line.text));
}

void DrawReport(TextCanvas& canvas, const std::vector<ReportLine>& lines,
                const ReportLayout& layout)
{
    DrawReport(canvas, lines, layout.x, layout.y0, layout.rowStep);
}
