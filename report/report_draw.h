// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/report_lines.h"

#include <QString>

#include <vector>

class QPainter;

// Where the lines of a report stand on a target: every line starts at x, and
// the line on row r stands at y0 + rowStep * r, in the target's units.
struct ReportLayout {
    int x = 0;
    int y0 = 0;
    int rowStep = 0;
};

// The report on the main window, in pixels from the top of its client area.
inline constexpr ReportLayout kScreenReportLayout{20, 50, 20};
// The report on paper, in device units from the top-left of the printable area.
inline constexpr ReportLayout kPrinterReportLayout{200, 200, 120};

// Something a report can be drawn on: one operation, a text whose TOP-LEFT
// corner stands at (x, y), in the target's units and current font.
class TextCanvas {
public:
    virtual ~TextCanvas() = default;
    virtual void DrawText(int x, int y, const QString& text) = 0;
};

// Draws on a QPainter in the painter's current font and pen. QPainter places
// the baseline at y, so the font's ascent is added to put the top at y.
class PainterCanvas final : public TextCanvas {
public:
    explicit PainterCanvas(QPainter& painter);
    void DrawText(int x, int y, const QString& text) override;

private:
    QPainter& painter_;
};

// One text as it was asked to be drawn.
struct DrawnText {
    int x = 0;
    int y = 0;
    QString text;
    bool operator==(const DrawnText&) const = default;
};

// Keeps every text asked of it, in order, instead of drawing.
class RecordingCanvas final : public TextCanvas {
public:
    void DrawText(int x, int y, const QString& text) override;
    const std::vector<DrawnText>& Texts() const { return texts_; }
    void Clear() { texts_.clear(); }

private:
    std::vector<DrawnText> texts_;
};

// Draws each line with its top-left corner at (x, y0 + rowStep * row).
void DrawReport(TextCanvas& canvas, const std::vector<ReportLine>& lines, int x, int y0,
                int rowStep);
void DrawReport(TextCanvas& canvas, const std::vector<ReportLine>& lines,
                const ReportLayout& layout);
