// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_charts.h"

#include "calc/number_format.h"

#include "ui/png_file.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const std::array<const char*, 12> kMonthNames{"I",   "II",   "III", "IV", "V",  "VI",
                                              "VII", "VIII", "IX",  "X",  "XI", "XII"};

const char* const kDistributionNote =
    "Rozkład wiatru nie ma kalendarza: wynikiem jest udział czasu, w którym wymaganie jest "
    "spełnione. Krzywa czasu trwania i udziały miesięcy powstają tylko z pliku pogodowego "
    "EPW.";

// The logical size at which a chart is laid out for a picture or a printout.
constexpr QSizeF kChartLayout{900.0, 420.0};

QChart* NewChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChartView* NewView(const QString& name, QWidget* parent)
{
    auto* view = new QChartView(NewChart({}), parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 220);
    return view;
}

// A new chart in the view; the old one goes with its series and axes.
QChart* ReplaceChart(QChartView* view, const QString& title)
{
    QChart* old = view->chart();
    view->setChart(NewChart(title));
    delete old;
    return view->chart();
}

QValueAxis* NewAxis(const QString& title, double low, double high)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat("%g");
    axis->setRange(low, high > low ? high : low + 1.0);
    axis->applyNiceNumbers();
    return axis;
}

void FillDuration(QChart* chart, const std::vector<double>& curve, double need)
{
    auto* flows = new QLineSeries;
    flows->setName("Qh godzin okresu, od największej");
    flows->setPen(QPen(QColor(0x1f, 0x77, 0xb4), 2.0));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(curve.size()));
    double top = need;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        points.append(QPointF(static_cast<double>(i + 1), curve[i]));
        top = std::max(top, curve[i]);
    }
    flows->append(points);
    auto* needLine = new QLineSeries;
    needLine->setName("Wymagana wydajność " + QString::fromStdString(FormatFixed(need, 2)) +
                      " [m3/h]");
    needLine->setPen(QPen(Qt::black, 1.5, Qt::DashDotLine));
    const double last = std::max<double>(static_cast<double>(curve.size()), 1.0);
    needLine->append({QPointF(0.0, need), QPointF(last, need)});
    auto* x = NewAxis("Godziny okresu, od największej wydajności [h]", 0.0, last);
    // The axis ends at the period's last hour, ticked every 1000 hours.
    x->setRange(0.0, last);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0.0);
    x->setTickInterval(last > 2000.0 ? 1000.0 : 100.0);
    auto* y = NewAxis("Qh [m3/h]", 0.0, std::isfinite(top) ? top * 1.05 : 1.0);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {flows, needLine}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void FillMonths(QChart* chart, const HourlySummary& summary)
{
    auto* set = new QBarSet("Udział godzin spełnienia wymagania [%]");
    set->setColor(QColor(0x2c, 0xa0, 0x2c));
    QStringList months;
    for (std::size_t m = 0; m < summary.months.size(); ++m) {
        if (summary.months[m].hours == 0)
            continue;
        months << kMonthNames[m];
        set->append(summary.months[m].share * 100.0);
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(months);
    x->setTitleText("Miesiąc");
    auto* y = new QValueAxis;
    y->setRange(0.0, 100.0);
    y->setLabelFormat("%g");
    y->setTitleText("Udział [%]");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

// The chart laid out at `layout` and drawn into `target`, then laid out back.
void RenderChart(QChart* chart, QPainter& painter, const QRectF& target, const QSizeF& layout)
{
    const QSizeF shown = chart->size();
    chart->resize(layout);
    chart->scene()->render(&painter, target, QRectF(chart->pos(), layout));
    chart->resize(shown);
}

} // namespace

YearCharts::YearCharts(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("YearCharts");
    durationView_ = NewView("DurationChart", this);
    monthsView_ = NewView("MonthsChart", this);
    note_ = new QLabel(kDistributionNote, this);
    note_->setObjectName("DistributionNote");
    note_->setWordWrap(true);
    note_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    note_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    note_->setMargin(12);
    layout->addWidget(note_, 1);
    layout->addWidget(durationView_, 3);
    layout->addWidget(monthsView_, 2);
    Clear();
}

void YearCharts::Clear()
{
    ReplaceChart(durationView_, "Krzywa czasu trwania wydajności");
    ReplaceChart(monthsView_, "Udział godzin spełnienia wymagania w miesiącach");
    drawn_ = false;
}

void YearCharts::Show(const YearOutcome& outcome, double need)
{
    Clear();
    note_->setVisible(outcome.distribution);
    durationView_->setVisible(!outcome.distribution);
    monthsView_->setVisible(!outcome.distribution);
    if (outcome.distribution)
        return;
    FillDuration(durationView_->chart(), outcome.summary.durationCurve, need);
    FillMonths(monthsView_->chart(), outcome.summary);
    drawn_ = true;
}

void YearCharts::Paint(QPainter& painter, const QRectF& area) const
{
    const double gap = area.height() * 0.02;
    const double first = (area.height() - gap) * 0.55;
    RenderChart(durationView_->chart(), painter,
                QRectF(area.left(), area.top(), area.width(), first), kChartLayout);
    RenderChart(
        monthsView_->chart(), painter,
        QRectF(area.left(), area.top() + first + gap, area.width(), area.height() - first - gap),
        QSizeF(kChartLayout.width(), kChartLayout.height() * 0.8));
}

Outcome YearCharts::SavePng(const QString& path) const
{
    if (path.isEmpty())
        return FailureOf("Nie podano nazwy pliku obrazu.");
    if (!drawn_)
        return FailureOf("Nie ma wykresu do zapisania: najpierw oblicz pracę w ciągu roku "
                         "z pliku pogodowego.");
    return SavePaintedPng(path, kPngSize, [&](QPainter& painter) {
        Paint(painter, QRectF(QPointF(0, 0), QSizeF(kPngSize)));
    });
}
