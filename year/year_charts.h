// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"
#include "weather/year_run.h"

#include <QSize>
#include <QWidget>

class QChart;
class QChartView;
class QLabel;
class QPainter;
class QRectF;

// The charts of the window "Praca w ciągu roku" for one model: the duration
// curve (Qh of every hour of the period with a result, the largest first,
// with the need as a dash-dotted line) and the share of the hours meeting the
// need month by month as bars. Both need the hours of a calendar: for a wind
// distribution a note says so in their place.
class YearCharts : public QWidget {
    Q_OBJECT
public:
    // The least size of a saved picture of both charts.
    static constexpr QSize kPngSize{1200, 1000};

    explicit YearCharts(QWidget* parent = nullptr);

    // Draws the outcome's charts (a file) or the note (a distribution).
    void Show(const YearOutcome& outcome, double need);
    // Empties both charts.
    void Clear();

    QChartView* DurationView() const { return durationView_; }
    QChartView* MonthsView() const { return monthsView_; }
    // The note shown for a distribution; hidden for a file.
    QLabel* Note() const { return note_; }
    // Whether the charts hold a file's hours.
    bool HasDrawing() const { return drawn_; }

    // Both charts one above the other on the painter, within `area`.
    void Paint(QPainter& painter, const QRectF& area) const;
    // Both charts as a PNG picture of at least kPngSize, written as every
    // file is (ReplaceFile): never a half-written file.
    Outcome SavePng(const QString& path) const;

private:
    QChartView* durationView_ = nullptr;
    QChartView* monthsView_ = nullptr;
    QLabel* note_ = nullptr;
    bool drawn_ = false;
};
