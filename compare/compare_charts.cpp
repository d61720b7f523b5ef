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

QChartView* NewView(const QString& name)
{
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 260);
    return view;
}

void ClearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
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
    ClearChart(operatingView_->chart());
    ClearChart(windView_->chart());
    availableSeries_ = nullptr;
    requiredSeries_ = nullptr;
    pointSeries_ = nullptr;
    windModels_.clear();
    operatingView_->chart()->setTitle("Punkt pracy");
    windView_->chart()->setTitle("Wydajność a prędkość wiatru");
}

void TCompareCharts::ShowModel(const CalcState& state, int model, const std::vector<int>& ticked)
{
    Clear();
    if (model < 1 || model > kVentilatorCount)
        return;
    ShowOperatingPoint(state, model);
    std::vector<int> models{model};
    for (int other : ticked) {
        if (other != model && other >= 1 && other <= kVentilatorCount)
            models.push_back(other);
    }
    ShowWind(state, models);
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

    chart->addSeries(availableSeries_);
    chart->addSeries(requiredSeries_);
    chart->addSeries(pointSeries_);
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
    SetRange(y, range.low, range.high + 0.05 * (range.high - range.low));
}

void TCompareCharts::ShowWind(const CalcState& state, const std::vector<int>& models)
{
    QChart* chart = windView_->chart();
    QValueAxis* x = NewAxis("v [m/s]");
    QValueAxis* y = NewAxis("Q [m3/s]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    double high = 0.0;
    std::size_t colour = 0;
    for (int model : models) {
        const VentilatorModel& ventilator = LookUpVentilator(model);
        const auto sweep = WindSweep(state, ventilator, kWindFrom, kWindTo, kWindStep,
                                     stack_ ? &*stack_ : nullptr);
        QPen pen(kModelColours[colour++ % std::size(kModelColours)],
                 models.front() == model ? 3.0 : 2.0);
        // Speeds without an operating point leave a gap: the curve is drawn
        // as separate pieces, and only the first piece has a legend entry.
        QLineSeries* piece = nullptr;
        bool named = false;
        auto finish = [&] {
            if (piece == nullptr)
                return;
            piece->setPointsVisible(piece->count() == 1);
            chart->addSeries(piece);
            piece->attachAxis(x);
            piece->attachAxis(y);
            const auto markers = chart->legend()->markers(piece);
            for (QLegendMarker* marker : markers)
                marker->setVisible(!named);
            named = true;
            piece = nullptr;
        };
        for (const WindSweepPoint& point : sweep) {
            if (point.point.status != OperatingPointStatus::Found) {
                finish();
                continue;
            }
            if (piece == nullptr) {
                piece = new QLineSeries;
                piece->setName(Text(ventilator.Name));
                piece->setPen(pen);
                piece->setProperty("model", model);
            }
            const double flow = FlowPerSecond(point.point.flowPerHour);
            piece->append(point.windSpeed, flow);
            high = std::max(high, flow);
        }
        finish();
        windModels_.push_back(model);
    }
    SetRange(x, kWindFrom, kWindTo);
    SetRange(y, 0.0, 1.05 * high);
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
