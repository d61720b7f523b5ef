#include "compare/compare_charts.h"

#include "calc/catalogue.h"
#include "calc/comparison.h"
#include "calc/number_format.h"
#include "compare/compare_output.h"
#include "files/safe_file.h"
#include "report/report_lines.h"
#include "ui/text.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

QString Number(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

// Colours of the wind chart's models, the chosen model first.
const QColor kModelColours[] = {QColor(0, 90, 200),   QColor(220, 60, 30),  QColor(20, 150, 60),
                                QColor(150, 60, 180), QColor(230, 140, 0),  QColor(0, 150, 170),
                                QColor(180, 40, 110), QColor(110, 110, 30), QColor(90, 90, 90),
                                QColor(200, 100, 100)};

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
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setTitle(title);
    return chart;
}

QChartView* NewView(const QString& name)
{
    auto* view = new QChartView(NewChart({}));
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 260);
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

// A thin dotted reference line over the whole chart, without a model.
void AddGuide(QChart* chart, QValueAxis* x, QValueAxis* y, const QList<QPointF>& points,
              const QString& name, const QColor& colour)
{
    if (!std::isfinite(points.front().x()) || !std::isfinite(points.front().y()))
        return;
    auto* guide = new QLineSeries;
    guide->setName(name);
    guide->setPen(QPen(colour, 1.5, Qt::DotLine));
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

// The two pressure curves of `curves` and its operating point, with a label of
// the report's numbers, on the given series.
// With the gravity draught, the available pressure is the ventilator's
// underpressure and the stack pressure `draught` together.
PressureRange FillPressureSeries(const PressureCurves& curves, QLineSeries& available,
                                 QLineSeries& required, QScatterSeries& point,
                                 std::optional<double> draught)
{
    available.setName(draught ? "Podciśnienie wywietrznika + ciąg grawitacyjny"
                              : "Podciśnienie wywietrznika");
    required.setName("Strata ciśnienia w instalacji");
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
        // A label with the report's numbers, written without placeholders so
        // that it keeps the decimal point whatever the locale.
        point.setPointLabelsFormat("Q = " + Number(flow, 4) +
                                   " m3/s, DPsw = " + Number(suction, 4) + " Pa");
        point.setPointLabelsVisible(true);
        point.setPointLabelsClipping(false);
    }
    return range;
}

} // namespace

std::vector<TCompareCharts::WindPiece>
TCompareCharts::WindPieces(const std::vector<WindSweepPoint>& sweep)
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

TCompareCharts::TCompareCharts(QWidget* parent)
    : QWidget(parent)
{
    operatingView_ = NewView("OperatingPointChart");
    windView_ = NewView("WindChart");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto addChart = [&](QChartView* view, Chart chart, const QString& buttonName,
                        const QString& hint) {
        layout->addWidget(view, 1);
        auto* button = new QPushButton("Zapisz wykres…", this);
        button->setObjectName(buttonName);
        button->setToolTip(hint);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, chart] { emit SaveRequested(chart); });
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(button);
        layout->addLayout(row);
    };
    addChart(operatingView_, Chart::OperatingPoint, "SaveOperatingChartButton",
             "Zapisuje wykres punktu pracy jako obraz PNG");
    addChart(windView_, Chart::Wind, "SaveWindChartButton",
             "Zapisuje wykres wydajności a prędkości wiatru jako obraz PNG");
    Clear();
}

QChartView* TCompareCharts::View(Chart chart) const
{
    return chart == Chart::OperatingPoint ? operatingView_ : windView_;
}

void TCompareCharts::Clear()
{
    ReplaceChart(operatingView_, "Punkt pracy");
    ReplaceChart(windView_, "Wydajność a prędkość wiatru");
    availableSeries_ = nullptr;
    requiredSeries_ = nullptr;
    pointSeries_ = nullptr;
    otherPointsSeries_ = nullptr;
    windModels_.clear();
}

void TCompareCharts::ShowModel(const CalcState& state, int model, const std::vector<int>& ticked,
                               double neededFlowPerHour)
{
    Clear();
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
    ShowWind(state, models, neededFlowPerHour);
}

void TCompareCharts::ShowOperatingPoint(const CalcState& state, int model)
{
    QChart* chart = operatingView_->chart();
    const VentilatorModel& ventilator = LookUpVentilator(model);
    const StackConditions* stack = stack_ ? &*stack_ : nullptr;
    PressureCurves curves =
        SamplePressureCurves(state, ventilator, kPressureCurveSteps, 0.0, stack);
    // The flow axis ends at a round number; the curves run up to it.
    QValueAxis* x = NewAxis("Q [m3/s]");
    SetRange(x, 0.0, curves.flowLimit);
    if (curves.refusal == Refusal::None && x->max() > curves.flowLimit)
        curves = SamplePressureCurves(state, ventilator, kPressureCurveSteps, x->max(), stack);
    QString title =
        "Punkt pracy: " + Text(ventilator.Name) + " (v = " + Number(state.WindSpeed, 2) + " m/s)";
    const bool found = curves.point.status == OperatingPointStatus::Found;
    if (curves.refusal != Refusal::None) {
        delete x;
        chart->setTitle(title + "<br>" + Text(RefusalText(curves.refusal)));
        return;
    }
    if (!found)
        title += " – brak punktu pracy";
    chart->setTitle(title);

    availableSeries_ = new QLineSeries;
    requiredSeries_ = new QLineSeries;
    pointSeries_ = new QScatterSeries;
    const PressureRange range =
        FillPressureSeries(curves, *availableSeries_, *requiredSeries_, *pointSeries_,
                           stack_ ? std::optional(StackPressure(*stack_)) : std::nullopt);
    otherPointsSeries_ = new QScatterSeries;
    otherPointsSeries_->setName("Inny punkt pracy");
    otherPointsSeries_->setMarkerSize(11.0);
    otherPointsSeries_->setColor(Qt::white);
    otherPointsSeries_->setBorderColor(QColor(200, 0, 0));
    // With the gravity draught, stable states are drawn also where none is
    // reached from rest.
    for (std::size_t k = 0; k < curves.point.count; ++k) {
        if (k == curves.point.chosen)
            continue;
        const double flow = FlowPerSecond(curves.point.flowsPerHour[k]);
        otherPointsSeries_->append(flow,
                                   RequiredPressure(PrepareAirPath(state, ventilator).path, flow));
    }

    chart->addSeries(availableSeries_);
    chart->addSeries(requiredSeries_);
    chart->addSeries(pointSeries_);
    chart->addSeries(otherPointsSeries_);
    QValueAxis* y = NewAxis("Δp [Pa]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Without an operating point there is nothing to name in the legend.
    for (QLegendMarker* marker : chart->legend()->markers(pointSeries_))
        marker->setVisible(found);
    for (QLegendMarker* marker : chart->legend()->markers(otherPointsSeries_))
        marker->setVisible(otherPointsSeries_->count() > 0);
    SetRange(y, range.low, range.high + 0.05 * (range.high - range.low));
}

void TCompareCharts::ShowWind(const CalcState& state, const std::vector<int>& models,
                              double neededFlowPerHour)
{
    QChart* chart = windView_->chart();
    QValueAxis* x = NewAxis("v [m/s]");
    QValueAxis* y = NewAxis("Q [m3/s]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    double high = 0.0;
    std::size_t colour = 0;
    bool otherNamed = false;
    for (int model : models) {
        const VentilatorModel& ventilator = LookUpVentilator(model);
        const auto sweep = WindSweep(state, ventilator, kWindFrom, kWindTo, kWindStep,
                                     stack_ ? &*stack_ : nullptr);
        const QColor modelColour = kModelColours[colour++ % std::size(kModelColours)];
        const double width = models.front() == model ? 3.0 : 2.0;
        bool named = false;
        for (const WindPiece& piece : WindPieces(sweep)) {
            auto* series = new QLineSeries;
            series->setName(piece.chosen ? Text(ventilator.Name)
                                         : "linia przerywana: inny, niewybrany punkt pracy");
            series->setPen(QPen(modelColour, width, piece.chosen ? Qt::SolidLine : Qt::DashLine));
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
            for (QLegendMarker* marker : chart->legend()->markers(series))
                marker->setVisible(!shown);
            shown = true;
        }
        windModels_.push_back(model);
    }
    const double need = neededFlowPerHour > 0.0 ? FlowPerSecond(neededFlowPerHour) : 0.0;
    high = std::max(high, need);
    SetRange(x, kWindFrom, kWindTo);
    SetRange(y, 0.0, 1.05 * high);
    if (state.WindSpeed >= kWindFrom && state.WindSpeed <= kWindTo)
        AddGuide(chart, x, y,
                 {QPointF(state.WindSpeed, y->min()), QPointF(state.WindSpeed, y->max())},
                 "Bieżący wiatr v = " + Number(state.WindSpeed, 2) + " m/s", QColor(120, 120, 120));
    if (need > 0.0)
        AddGuide(chart, x, y, {QPointF(x->min(), need), QPointF(x->max(), need)},
                 "Wymagana wydajność Qh = " + Number(neededFlowPerHour, 1) + " m3/h",
                 QColor(200, 0, 0));
}

Outcome TCompareCharts::SavePng(Chart chart, const QString& path) const
{
    if (path.isEmpty())
        return Outcome::Failure("Nie podano nazwy pliku obrazu.");
    QChartView* view = View(chart);
    const QImage image = view->grab().toImage();
    if (image.isNull() || image.width() <= 1 || image.height() <= 1)
        return Outcome::Failure("Wykres nie jest widoczny i nie może zostać zapisany.");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Outcome::Failure("Nie można przygotować obrazu wykresu.");
    return ReplaceFile(path, png);
}
