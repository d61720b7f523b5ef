// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/compare_charts.h"

#include "calc/catalogue.h"
#include "calc/comparison.h"
#include "calc/number_format.h"
#include "calc/program_texts.h"
#include "calc/selection.h"
#include "compare/chart_legend.h"
#include "compare/compare_output.h"
#include "report/report_lines.h"
#include "ui/png_file.h"
#include "ui/text.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

QString Number(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

// The colours of the models drawn at one time on the wind chart: one
// qualitative palette of distinct hues, none of them black or grey, which the
// guides use.
const std::array<QColor, 9> kModelPalette{
    QColor(0x1f, 0x77, 0xb4), // blue
    QColor(0xff, 0x7f, 0x0e), // orange
    QColor(0x2c, 0xa0, 0x2c), // green
    QColor(0x94, 0x67, 0xbd), // purple
    QColor(0xd6, 0x27, 0x28), // red
    QColor(0x8c, 0x56, 0x4b), // brown
    QColor(0xe3, 0x77, 0xc2), // pink
    QColor(0xbc, 0xbd, 0x22), // olive
    QColor(0x17, 0xbe, 0xcf), // cyan
};

QValueAxis* NewAxis(const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat("%g");
    return axis;
}

// A range that a value axis can show: finite, the top above the bottom.
void SetRange(QValueAxis* axis, double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (!(high > low))
        high = low + 1.0;
    axis->setRange(low, high);
    axis->applyNiceNumbers();
}

QChart* NewChart(const QString& title)
{
    auto* chart = new QChart;
    // The legend is drawn outside the chart (chart_legend.h), where no name is cut.
    chart->legend()->hide();
    chart->setTitle(title);
    return chart;
}

QChartView* NewView(const QString& name)
{
    auto* view = new QChartView(NewChart({}));
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 220);
    return view;
}

// Puts a new, empty chart in the view and deletes the old one with all its
// series and axes: a chart emptied in place while hidden can keep the items of
// its old axes in the scene and draw them under the new ones.
void ReplaceChart(QChartView* view, const QString& title)
{
    QChart* old = view->chart();
    view->setChart(NewChart(title));
    delete old;
}

// A reference line over the whole chart, without a model, in a pen that no
// model uses.
void AddGuide(QChart* chart, QValueAxis* x, QValueAxis* y, const QList<QPointF>& points,
              const QString& name, const QPen& pen)
{
    if (!std::isfinite(points.front().x()) || !std::isfinite(points.front().y()))
        return;
    auto* guide = new QLineSeries;
    guide->setName(name);
    guide->setPen(pen);
    guide->append(points);
    chart->addSeries(guide);
    guide->attachAxis(x);
    guide->attachAxis(y);
}

// The lowest and the highest pressure on the operating point chart [Pa].
struct PressureRange {
    double low = 0.0;
    double high = 0.0;
};

// The two pressure curves of `curves` and its operating point on the given
// series.
// With the gravity draught, the available pressure is the ventilator's
// underpressure and the stack pressure `draught` together.
PressureRange FillPressureSeries(const PressureCurves& curves, QLineSeries& available,
                                 QLineSeries& required, QScatterSeries& point,
                                 std::optional<double> draught)
{
    available.setName(draught ? "Podciśnienie wywietrznika + ciąg grawitacyjny"
                              : "Podciśnienie wywietrznika");
    required.setName("Straty ciśnienia w instalacji");
    point.setName("Punkt pracy");
    point.setMarkerSize(11.0);
    point.setColor(QColor(200, 0, 0));
    available.setPen(QPen(QColor(0, 90, 200), 2.0));
    required.setPen(QPen(QColor(20, 150, 60), 2.0));

    PressureRange range;
    for (const PressureSample& sample : curves.samples) {
        available.append(sample.flow, sample.available);
        required.append(sample.flow, sample.required);
        range.low = std::min({range.low, sample.available, sample.required});
        range.high = std::max({range.high, sample.available, sample.required});
    }
    if (curves.point.status == OperatingPointStatus::Found) {
        const double flow = FlowPerSecond(curves.point.flowPerHour);
        const double suction = curves.point.ventilatorSuction;
        point.append(flow, suction + draught.value_or(0.0));
    }
    return range;
}

} // namespace

std::vector<CompareCharts::WindPiece>
CompareCharts::WindPieces(const std::vector<WindSweepPoint>& sweep)
{
    // A branch follows its operating point from one wind to the next: each
    // point continues the branch whose last flow is nearest. A branch is cut
    // into pieces where it stops or starts being the chosen one.
    struct Branch {
        std::vector<QPointF> points;
        std::vector<bool> chosen;
        bool open = true;
    };
    std::vector<Branch> branches;
    for (const WindSweepPoint& at : sweep) {
        const OperatingPoint& point = at.point;
        const std::size_t count =
            point.status == OperatingPointStatus::Found ? std::max<std::size_t>(point.count, 1) : 0;
        std::vector<bool> taken(branches.size(), false);
        for (std::size_t k = 0; k < count; ++k) {
            const double flow = FlowPerSecond(
                point.count == 0 || k == point.chosen ? point.flowPerHour : point.flowsPerHour[k]);
            std::size_t best = branches.size();
            for (std::size_t b = 0; b < branches.size(); ++b) {
                if (!branches[b].open || taken[b])
                    continue;
                if (best == branches.size() ||
                    std::fabs(branches[b].points.back().y() - flow) <
                        std::fabs(branches[best].points.back().y() - flow))
                    best = b;
            }
            if (best == branches.size()) {
                branches.push_back({});
                taken.push_back(false);
            }
            taken[best] = true;
            branches[best].points.emplace_back(at.windSpeed, flow);
            branches[best].chosen.push_back(point.count == 0 || k == point.chosen);
        }
        for (std::size_t b = 0; b < taken.size(); ++b)
            branches[b].open = branches[b].open && taken[b];
    }
    std::vector<WindPiece> pieces;
    for (const Branch& branch : branches) {
        for (std::size_t i = 0; i < branch.points.size();) {
            std::size_t end = i;
            while (end < branch.points.size() && branch.chosen[end] == branch.chosen[i])
                ++end;
            WindPiece piece{branch.chosen[i], {}};
            // Joined to the piece before, so that the branch has no gap.
            const std::size_t from = i > 0 ? i - 1 : i;
            piece.points = QList<QPointF>(branch.points.begin() + static_cast<long>(from),
                                          branch.points.begin() + static_cast<long>(end));
            pieces.push_back(std::move(piece));
            i = end;
        }
    }
    // The chosen pieces first: the model's legend entry is a solid line.
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const WindPiece& a, const WindPiece& b) { return a.chosen && !b.chosen; });
    return pieces;
}

CompareCharts::CompareCharts(QWidget* parent)
    : QWidget(parent)
{
    operatingView_ = NewView("OperatingPointChart");
    windView_ = NewView("WindChart");
    // The two charts share the height; the splitter between them gives
    // either one more room.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("ChartSplitter");
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    auto addChart = [&](QChartView* view, Chart chart, const QString& buttonName,
                        const QString& hint) {
        auto* pane = new QWidget(splitter);
        auto* paneLayout = new QVBoxLayout(pane);
        paneLayout->setContentsMargins(0, 0, 0, 0);
        view->setParent(pane);
        paneLayout->addWidget(view, 1);
        // The legend under the chart, wrapped to its width: never cut; the
        // button beside it.
        auto* legend = new QLabel(pane);
        legend->setObjectName(view->objectName() + "Legend");
        legend->setTextFormat(Qt::RichText);
        legend->setWordWrap(true);
        legend->setContentsMargins(6, 0, 6, 0);
        (chart == Chart::OperatingPoint ? operatingLegend_ : windLegend_) = legend;
        auto* button = new QPushButton("Zapisz wykres…", pane);
        button->setObjectName(buttonName);
        button->setToolTip(hint);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, chart] { emit SaveRequested(chart); });
        auto* row = new QHBoxLayout;
        row->addWidget(legend, 1);
        row->addWidget(button, 0, Qt::AlignBottom);
        paneLayout->addLayout(row);
        splitter->addWidget(pane);
    };
    addChart(operatingView_, Chart::OperatingPoint, "SaveOperatingChartButton",
             "Zapisuje wykres punktu pracy jako obraz PNG");
    addChart(windView_, Chart::Wind, "SaveWindChartButton",
             "Zapisuje wykres wydajności w funkcji prędkości wiatru jako obraz PNG");
    Clear();
}

QChartView* CompareCharts::View(Chart chart) const
{
    return chart == Chart::OperatingPoint ? operatingView_ : windView_;
}

QLabel* CompareCharts::Legend(Chart chart) const
{
    return chart == Chart::OperatingPoint ? operatingLegend_ : windLegend_;
}

QColor CompareCharts::WindColour(int model) const
{
    const auto slot = colourSlots_.find(model);
    if (slot == colourSlots_.end())
        return {};
    return kModelPalette[slot->second % kModelPalette.size()];
}

void CompareCharts::AssignColours(const std::vector<int>& models)
{
    // A model keeps its colour while it is drawn; a model no longer drawn
    // gives its colour back, and a new one takes the first colour free.
    for (auto slot = colourSlots_.begin(); slot != colourSlots_.end();) {
        if (std::find(models.begin(), models.end(), slot->first) == models.end())
            slot = colourSlots_.erase(slot);
        else
            ++slot;
    }
    for (int model : models) {
        if (colourSlots_.count(model) != 0)
            continue;
        std::size_t free = 0;
        while (std::any_of(colourSlots_.begin(), colourSlots_.end(),
                           [free](const auto& slot) { return slot.second == free; }))
            ++free;
        colourSlots_[model] = free;
    }
}

void CompareCharts::UpdateLegends()
{
    for (Chart chart : {Chart::OperatingPoint, Chart::Wind}) {
        const QString html = LegendHtml(LegendEntries(*View(chart)->chart()));
        Legend(chart)->setText(html);
        Legend(chart)->setVisible(!html.isEmpty());
    }
}

void CompareCharts::Clear()
{
    Empty();
    UpdateLegends();
}

void CompareCharts::Empty()
{
    ReplaceChart(operatingView_, "Punkt pracy");
    ReplaceChart(windView_, "Wydajność w funkcji prędkości wiatru");
    availableSeries_ = nullptr;
    requiredSeries_ = nullptr;
    pointSeries_ = nullptr;
    otherPointsSeries_ = nullptr;
    operatingModel_ = 0;
    windModels_.clear();
}

void CompareCharts::ShowModel(const CalcState& state, int model, const std::vector<int>& ticked,
                              double neededFlowPerHour)
{
    Empty();
    const bool chosen = model >= 1 && model <= kVentilatorCount;
    if (chosen)
        ShowOperatingPoint(state, model);
    std::vector<int> models;
    if (chosen)
        models.push_back(model);
    for (int other : ticked) {
        if (other != model && other >= 1 && other <= kVentilatorCount)
            models.push_back(other);
    }
    AssignColours(models);
    ShowWind(state, models, neededFlowPerHour);
    UpdateLegends();
}

namespace {

// The other operating points of a model, on the required-pressure curve.
void FillOtherPoints(QScatterSeries& series, const CalcState& state,
                     const VentilatorModel& ventilator, const OperatingPoint& point)
{
    series.setName("Inny punkt pracy");
    series.setMarkerSize(11.0);
    series.setColor(Qt::white);
    series.setBorderColor(QColor(200, 0, 0));
    // With the gravity draught, stable states are drawn also where none is
    // reached from rest.
    const AirPath path = PrepareAirPath(state, ventilator).path;
    for (std::size_t k = 0; k < point.count; ++k) {
        if (k == point.chosen)
            continue;
        const double flow = FlowPerSecond(point.flowsPerHour[k]);
        series.append(flow, RequiredPressure(path, flow));
    }
}

// The flow axis of the operating-point chart: up to 1.5 times the largest
// operating flow, or, without one, as far as the curves are sampled.
double FlowAxisEnd(const PressureCurves& curves)
{
    double largest = 0.0;
    if (curves.point.status == OperatingPointStatus::Found) {
        largest = curves.point.flowPerHour;
        for (std::size_t k = 0; k < curves.point.count; ++k)
            largest = std::max(largest, curves.point.flowsPerHour[k]);
    }
    return largest > 0.0 ? 1.5 * FlowPerSecond(largest) : curves.flowLimit;
}

} // namespace

void CompareCharts::ShowOperatingPoint(const CalcState& state, int model)
{
    QChart* chart = operatingView_->chart();
    const VentilatorModel& ventilator = LookUpVentilator(model);
    const StackConditions* stack = stack_ ? &*stack_ : nullptr;
    operatingModel_ = model;
    PressureCurves curves =
        SamplePressureCurves(state, ventilator, kPressureCurveSteps, 0.0, stack);
    QString title = "Punkt pracy: " + Text(VentilatorCaption(model)) +
                    " (v = " + Number(state.WindSpeed, 2) + " m/s)";
    if (curves.refusal != Refusal::None) {
        chart->setTitle(title + "<br>" + Text(RefusalText(curves.refusal)));
        return;
    }
    // The axes fit the crossings; the flow axis ends at a round number and
    // the curves run up to it.
    QValueAxis* x = NewAxis("Q [m3/s]");
    SetRange(x, 0.0, FlowAxisEnd(curves));
    curves = SamplePressureCurves(state, ventilator, kPressureCurveSteps, x->max(), stack);
    const bool found = curves.point.status == OperatingPointStatus::Found;
    if (found)
        title += "<br>Q = " + Number(FlowPerSecond(curves.point.flowPerHour), 4) +
                 " m3/s, DPsw = " + Number(curves.point.ventilatorSuction, 4) + " Pa";
    else
        title += " – " + Text(kNoOperatingPointText);
    chart->setTitle(title);

    availableSeries_ = new QLineSeries;
    requiredSeries_ = new QLineSeries;
    pointSeries_ = new QScatterSeries;
    otherPointsSeries_ = new QScatterSeries;
    PressureRange range =
        FillPressureSeries(curves, *availableSeries_, *requiredSeries_, *pointSeries_,
                           stack_ ? std::optional(StackPressure(*stack_)) : std::nullopt);
    FillOtherPoints(*otherPointsSeries_, state, ventilator, curves.point);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(availableSeries_),
                                    static_cast<QAbstractSeries*>(requiredSeries_),
                                    static_cast<QAbstractSeries*>(pointSeries_),
                                    static_cast<QAbstractSeries*>(otherPointsSeries_)})
        chart->addSeries(series);
    QValueAxis* y = NewAxis("Δp [Pa]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Without an operating point there is nothing to name in the legend.
    SetInLegend(*pointSeries_, found);
    SetInLegend(*otherPointsSeries_, otherPointsSeries_->count() > 0);
    // The pressure axis: up to the required pressure at the end of the flow
    // axis, and a little below zero where the available curve falls.
    if (found && !curves.samples.empty()) {
        range.high = std::max(curves.samples.back().required, 1e-6);
        range.low = std::max(range.low, -0.25 * range.high);
    }
    SetRange(y, range.low, range.high + 0.05 * (range.high - range.low));
}

bool CompareCharts::HasDrawing(Chart chart) const
{
    if (chart == Chart::OperatingPoint)
        return operatingModel_ != 0;
    return !windView_->chart()->series().isEmpty();
}

void CompareCharts::ShowWind(const CalcState& state, const std::vector<int>& models,
                             double neededFlowPerHour)
{
    QChart* chart = windView_->chart();
    QValueAxis* x = NewAxis("v [m/s]");
    QValueAxis* y = NewAxis("Q [m3/s]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const double windTo = NeedWindLimit(state.WindSpeed);
    double high = 0.0;
    bool otherNamed = false;
    for (int model : models) {
        const auto sweep = WindSweep(state, LookUpVentilator(model), kWindFrom, windTo, kWindStep,
                                     stack_ ? &*stack_ : nullptr);
        const double width = models.front() == model ? 3.0 : 2.0;
        bool named = false;
        for (const WindPiece& piece : WindPieces(sweep)) {
            auto* series = new QLineSeries;
            series->setName(piece.chosen ? Text(VentilatorCaption(model))
                                         : "przerywana: inny punkt pracy");
            series->setPen(
                QPen(WindColour(model), width, piece.chosen ? Qt::SolidLine : Qt::DashLine));
            series->setProperty("model", model);
            for (const QPointF& point : piece.points) {
                series->append(point);
                high = std::max(high, point.y());
            }
            series->setPointsVisible(series->count() == 1);
            chart->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
            // One legend entry per model, and one for all dashed lines.
            bool& shown = piece.chosen ? named : otherNamed;
            SetInLegend(*series, !shown);
            shown = true;
        }
        windModels_.push_back(model);
    }
    const double need = neededFlowPerHour > 0.0 ? FlowPerSecond(neededFlowPerHour) : 0.0;
    high = std::max(high, need);
    SetRange(x, kWindFrom, windTo);
    SetRange(y, 0.0, 1.05 * high);
    if (state.WindSpeed >= kWindFrom && state.WindSpeed <= x->max())
        AddGuide(chart, x, y,
                 {QPointF(state.WindSpeed, y->min()), QPointF(state.WindSpeed, y->max())},
                 "Bieżąca prędkość wiatru v = " + Number(state.WindSpeed, 2) + " m/s",
                 QPen(QColor(120, 120, 120), 1.5, Qt::DotLine));
    if (need > 0.0)
        AddGuide(chart, x, y, {QPointF(x->min(), need), QPointF(x->max(), need)},
                 "Wymagana wydajność Qh = " + Number(neededFlowPerHour, 1) + " m3/h",
                 QPen(Qt::black, 2.0, Qt::DashDotLine));
}

void CompareCharts::PaintChart(Chart chart, QPainter& painter, const QSize& size,
                               const QFont& legendFont) const
{
    // The chart is laid out again at the size, less the room of its legend,
    // which is drawn whole under it; then it takes its size on screen again.
    QChart* drawn = View(chart)->chart();
    const QSizeF shown = drawn->size();
    const QString legend = Legend(chart)->text();
    const int legendHeight =
        legend.isEmpty() ? 0 : LegendHeight(legend, legendFont, size.width() - 24);
    const QSizeF chartSize(size.width(),
                           std::max(size.height() - legendHeight - 8, size.height() / 2));
    drawn->resize(chartSize);
    drawn->scene()->render(&painter, QRectF(QPointF(0, 0), chartSize),
                           QRectF(drawn->pos(), chartSize));
    if (!legend.isEmpty())
        DrawLegend(painter,
                   QRect(12, static_cast<int>(chartSize.height()), size.width() - 24,
                         size.height() - static_cast<int>(chartSize.height())),
                   legend, legendFont);
    drawn->resize(shown);
}

Outcome CompareCharts::SavePng(Chart chart, const QString& path) const
{
    if (path.isEmpty())
        return FailureOf("Nie podano nazwy pliku obrazu.");
    // At its size on screen, at least kPngSize.
    const QSizeF shown = View(chart)->chart()->size();
    const QSize size = QSize(static_cast<int>(shown.width()), static_cast<int>(shown.height()))
                           .expandedTo(kPngSize);
    QFont font = Legend(chart)->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    return SavePaintedPng(path, size,
                          [&](QPainter& painter) { PaintChart(chart, painter, size, font); });
}
