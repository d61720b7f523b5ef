// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/comparison.h"
#include "calc/stack_draught.h"
#include "files/outcome.h"

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

class QChart;
class QFont;
class QPainter;
class QLabel;
class QChartView;
class QLineSeries;
class QScatterSeries;

// The two charts of the comparison window for one model on the inputs of the
// state: "Punkt pracy" (the ventilator's available underpressure and the duct
// system's required pressure against the flow, with the operating point) and
// "Wydajność w funkcji prędkości wiatru" (Q against the wind speed from 0 to
// NeedWindLimit of the current wind, the span of the wind-needed search, for
// the chosen model and the ticked ones, each model in its own colour, the
// current wind dotted grey and the need dash-dotted black). The legends are
// drawn under the charts, wrapped, so that no name is cut.
class CompareCharts : public QWidget {
    Q_OBJECT
public:
    enum class Chart { OperatingPoint, Wind };
    Q_ENUM(Chart)

    // The wind speeds of the second chart [m/s]; it ends at NeedWindLimit.
    static constexpr double kWindFrom = 0.0;
    static constexpr double kWindStep = 0.25;
    // The least size of a saved picture.
    static constexpr QSize kPngSize{1200, 800};

    explicit CompareCharts(QWidget* parent = nullptr);

    // Draws both charts for model 1..27 and the wind chart also for the
    // ticked models (the chosen one is drawn once, first). Model 0: the
    // operating-point chart stays empty, the wind chart shows the ticked ones.
    // The wind chart marks the current wind and, when one is set (> 0), the
    // needed flow [m3/h].
    void ShowModel(const CalcState& state, int model, const std::vector<int>& ticked,
                   double neededFlowPerHour = 0.0);
    // Empties both charts.
    void Clear();
    // With conditions, both charts show the wind and the gravity draught
    // together; without, the wind alone. Takes effect at the next ShowModel.
    void SetStack(std::optional<StackConditions> stack) { stack_ = stack; }

    QChartView* View(Chart chart) const;
    // The legend under a chart: every name whole, wrapped to the width.
    QLabel* Legend(Chart chart) const;
    // The colour of a model drawn on the wind chart, kept while it is drawn;
    // invalid for a model not drawn.
    QColor WindColour(int model) const;
    // The operating point's series: one point at the report's Q and DPsw, or
    // none when the model has no operating point.
    QScatterSeries* OperatingPointSeries() const { return pointSeries_; }
    // The model's other operating points, where it has more than one.
    QScatterSeries* OtherPointsSeries() const { return otherPointsSeries_; }
    // The available underpressure and the required pressure series.
    QLineSeries* AvailableSeries() const { return availableSeries_; }
    QLineSeries* RequiredSeries() const { return requiredSeries_; }
    // The catalogue numbers drawn on the wind chart, in drawing order.
    const std::vector<int>& WindModels() const { return windModels_; }

    // Whether the chart shows anything that may be saved: a model on the
    // operating-point chart, even one without a point; lines on the wind chart.
    bool HasDrawing(Chart chart) const;

    // Saves a chart as a PNG picture of its size on screen, at least
    // kPngSize, as every file is written (ReplaceFile): never a half-written
    // file.
    Outcome SavePng(Chart chart, const QString& path) const;
    // Paints a chart laid out at `size` [px], its legend in `legendFont`
    // drawn whole under it, at the painter's origin: the saved picture and
    // the selection sheet.
    void PaintChart(Chart chart, QPainter& painter, const QSize& size,
                    const QFont& legendFont) const;

    // One line of the wind chart: a stretch of one branch of operating points
    // that is the chosen one throughout (solid) or another one (dashed).
    struct WindPiece {
        bool chosen = true;
        QList<QPointF> points; // (v, Q [m3/s])
    };
    // The lines of a model's sweep, the chosen ones first.
    static std::vector<WindPiece> WindPieces(const std::vector<WindSweepPoint>& sweep);

signals:
    // "Zapisz wykres…" under a chart was clicked.
    void SaveRequested(CompareCharts::Chart chart);

private:
    void ShowOperatingPoint(const CalcState& state, int model);
    void ShowWind(const CalcState& state, const std::vector<int>& models, double neededFlowPerHour);
    void Empty(); // Clear without the legends
    void AssignColours(const std::vector<int>& models);
    void UpdateLegends();

    QChartView* operatingView_ = nullptr;
    QChartView* windView_ = nullptr;
    QLabel* operatingLegend_ = nullptr;
    QLabel* windLegend_ = nullptr;
    std::map<int, std::size_t> colourSlots_; // model -> place in the palette
    QLineSeries* availableSeries_ = nullptr;
    QLineSeries* requiredSeries_ = nullptr;
    QScatterSeries* pointSeries_ = nullptr;
    QScatterSeries* otherPointsSeries_ = nullptr;
    std::vector<int> windModels_;
    int operatingModel_ = 0;
    std::optional<StackConditions> stack_;
};
