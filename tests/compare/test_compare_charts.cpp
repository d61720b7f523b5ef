// SPDX-License-Identifier: GPL-3.0-or-later
// The charts of the comparison window: the operating point where the report
// puts it, the curves meeting there, the wind chart's models and gaps, and the
// charts saved as pictures.
#include "calc/comparison.h"
#include "compare/chart_legend.h"
#include "compare_test_support.h"
#include "report/report_lines.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// The y of the point of a series at exactly x; NaN when there is none.
double ValueAt(const QXYSeries* series, double x)
{
    for (const QPointF& point : series->points()) {
        if (point.x() == x)
            return point.y();
    }
    return std::nan("");
}

QStringList AxisTitles(QChart* chart)
{
    QStringList titles;
    for (QAbstractAxis* axis : chart->axes())
        titles << axis->titleText();
    return titles;
}

// The wind chart's line series by the model they draw.
std::map<int, std::vector<QLineSeries*>> WindSeries(CompareWindow& form)
{
    std::map<int, std::vector<QLineSeries*>> byModel;
    QChart* chart = form.Charts()->View(CompareCharts::Chart::Wind)->chart();
    for (QAbstractSeries* series : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (line != nullptr && line->property("model").toInt() > 0)
            byModel[line->property("model").toInt()].push_back(line);
    }
    return byModel;
}

// The legend entries of the wind chart that are shown.
QStringList WindLegend(CompareWindow& form)
{
    QStringList names;
    QChart* chart = form.Charts()->View(CompareCharts::Chart::Wind)->chart();
    for (const LegendEntry& entry : LegendEntries(*chart))
        names << entry.name;
    return names;
}

QString Name(int model)
{
    // The comparison names the models by the captions of the choice dialog.
    const std::string_view name = VentilatorCaption(model);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

int RowOf(CompareWindow& form, int model)
{
    const std::vector<int> numbers = ShownNumbers(form);
    return static_cast<int>(std::find(numbers.begin(), numbers.end(), model) - numbers.begin());
}

// How many colours a picture has, up to `limit`.
int Colours(const QImage& image, int limit = 10)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
            if (static_cast<int>(colours.size()) >= limit)
                return limit;
        }
    }
    return static_cast<int>(colours.size());
}

// How many visible texts of a chart's scene read `text` (axis titles, labels).
int ShownTexts(QChartView* view, const QString& text)
{
    int count = 0;
    for (QGraphicsItem* item : view->scene()->items()) {
        const auto* rich = dynamic_cast<QGraphicsTextItem*>(item);
        const auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item);
        const QString shown = rich ? rich->toPlainText() : simple ? simple->text() : QString();
        count += item->isVisible() && shown == text;
    }
    return count;
}

} // namespace

class TestCompareCharts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    // The marked point is the report's Q and DPsw exactly, and both curves
    // pass through it.
    void operatingPointIsTheReports_data()
    {
        QTest::addColumn<bool>("hall");
        QTest::addColumn<int>("model");
        for (int model = 1; model <= kVentilatorCount; ++model)
            QTest::addRow("hall, model %d", model) << true << model;
        for (int model : {1, 5, 14, 22, 27})
            QTest::addRow("building, model %d", model) << false << model;
    }
    void operatingPointIsTheReports()
    {
        QFETCH(bool, hall);
        QFETCH(int, model);
        const CalcState inputs = hall ? HallState(1.2, 4.0, 0.16, 5.0) : BuildingState(4.0);
        CalcState state = ChosenState(inputs, 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCell(form, RowOf(form, model), kColumnFlow);
        QCOMPARE(form.SelectedModel(), model);

        const CalcState report = ChosenState(inputs, model);
        const double q = FlowPerSecond(report.FlowPerHour);
        const double dpsw = report.VentilatorSuction;
        QScatterSeries* point = form.Charts()->OperatingPointSeries();
        QVERIFY(point != nullptr);
        QCOMPARE(point->count(), 1);
        QCOMPARE(point->at(0).x(), q);
        QCOMPARE(point->at(0).y(), dpsw);
        // Available and required pressure meet at the point.
        const double available = ValueAt(form.Charts()->AvailableSeries(), q);
        const double required = ValueAt(form.Charts()->RequiredSeries(), q);
        QVERIFY2(std::fabs(required - dpsw) <= 1e-12 * dpsw, qPrintable(QString::number(required)));
        QVERIFY2(std::fabs(available - dpsw) <= 1e-4 * dpsw,
                 qPrintable(QString::number(available - dpsw)));
        // ... and are the pressures of the air path.
        const PreparedAirPath path = PrepareAirPath(inputs, LookUpVentilator(model));
        QCOMPARE(available, AvailableUnderpressure(path.path, q));
        QCOMPARE(required, RequiredPressure(path.path, q));

        QChart* chart = form.Charts()->View(CompareCharts::Chart::OperatingPoint)->chart();
        QVERIFY(chart->title().contains(Name(model)));
        QCOMPARE(AxisTitles(chart), (QStringList{"Q [m3/s]", "Δp [Pa]"}));
        QCOMPARE(form.Charts()->AvailableSeries()->name(), QString("Podciśnienie wywietrznika"));
        QCOMPARE(form.Charts()->RequiredSeries()->name(), QString("Straty ciśnienia w instalacji"));
        QCOMPARE(point->name(), QString("Punkt pracy"));
    }

    void pointLabelOfTheWorkedCase()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        form.Refresh();
        // The numbers go in the title, where they cover no curve.
        QVERIFY(!form.Charts()->OperatingPointSeries()->pointLabelsVisible());
        QCOMPARE(form.Charts()->View(CompareCharts::Chart::OperatingPoint)->chart()->title(),
                 QString("Punkt pracy: KALMO-160 (v = 4.00 m/s)<br>Q = 0.0426 m3/s, DPsw = "
                         "3.7752 Pa"));
    }

    void modelWithoutAPoint()
    {
        // Model 1 finds no point in a hall duct of 0.12 m, 1 m long, at 15 m/s.
        CalcState state = HallState(1.2, 15.0, 0.12, 1.0);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCell(form, RowOf(form, 1), kColumnFlow);
        QCOMPARE(form.SelectedModel(), 1);
        QCOMPARE(form.Charts()->OperatingPointSeries()->count(), 0);
        QVERIFY(form.Charts()->AvailableSeries()->count() > 100);
        QVERIFY(form.Charts()
                    ->View(CompareCharts::Chart::OperatingPoint)
                    ->chart()
                    ->title()
                    .endsWith("brak punktu pracy"));

        // Its wind curve has points only where a point exists, and a gap
        // where none does; one legend entry all the same.
        const auto sweep = WindSweep(state, LookUpVentilator(1), 0.0, 15.0, 0.25);
        std::set<double> found;
        for (const WindSweepPoint& p : sweep) {
            if (p.point.status == OperatingPointStatus::Found)
                found.insert(p.windSpeed);
        }
        QVERIFY(found.size() > 10 && found.size() < sweep.size());
        const auto series = WindSeries(form);
        QCOMPARE(static_cast<int>(series.size()), 1);
        std::set<double> drawn;
        for (QLineSeries* piece : series.at(1)) {
            for (const QPointF& p : piece->points())
                drawn.insert(p.x());
        }
        QCOMPARE(drawn, found);
        QCOMPARE(WindLegend(form), (QStringList{Name(1), "przerywana: inny punkt pracy",
                                                "Bieżąca prędkość wiatru v = 15.00 m/s"}));
    }

    void gapsInTheWindCurve()
    {
        // Model 10 in a short hall duct of 0.06 m with a rounded inlet finds
        // no point at 9.25 m/s, but at the speeds on either side.
        CalcState state = HallState(1.2, 4.0, 0.06, 0.05, kHallInlets[2].lossCoefficient);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCell(form, RowOf(form, 10), kColumnNumber);
        QCOMPARE(form.SelectedModel(), 10);
        std::set<double> missing;
        for (const WindSweepPoint& p : WindSweep(state, LookUpVentilator(10), 0.0, 15.0, 0.25)) {
            if (p.point.status != OperatingPointStatus::Found)
                missing.insert(p.windSpeed);
        }
        QCOMPARE(missing, std::set<double>{9.25});
        const std::vector<QLineSeries*> pieces = WindSeries(form).at(10);
        QCOMPARE(static_cast<int>(pieces.size()), 2);
        QCOMPARE(pieces[0]->points().back().x(), 9.0);
        QCOMPARE(pieces[1]->points().front().x(), 9.5);
        QCOMPARE(pieces[0]->count() + pieces[1]->count(), 60);
        // One legend entry for the model, in the colour of both pieces.
        QCOMPARE(WindLegend(form), (QStringList{Name(10), "Bieżąca prędkość wiatru v = 4.00 m/s"}));
        QCOMPARE(pieces[0]->pen().color(), pieces[1]->pen().color());
    }

    void refusedModels()
    {
        // A storm beyond the range of the calculation: every model is refused.
        CalcState state = HallState(1.2, 1e150, 0.16, 5.0);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        const QString reason = "Dane prowadzą do przepływu poza zakresem obliczeń – "
                               "sprawdź prędkość wiatru i wymiary.";
        const QAbstractItemModel* table = Table(form)->model();
        for (int row = 0; row < kVentilatorCount; ++row) {
            QCOMPARE(Cell(form, row, kColumnFlow), QString("brak punktu pracy"));
            QCOMPARE(table->data(table->index(row, kColumnFlow), Qt::ToolTipRole).toString(),
                     reason);
        }
        // Catalogue order when no model has a value.
        QCOMPARE(ShownNumbers(form).front(), 1);
        QCOMPARE(form.SelectedModel(), 1);
        QChart* chart = form.Charts()->View(CompareCharts::Chart::OperatingPoint)->chart();
        QVERIFY(chart->title().endsWith(reason));
        QVERIFY(chart->series().isEmpty());
        QVERIFY(form.Charts()->OperatingPointSeries() == nullptr);
        // The wind chart replaces the wind: from 0 to 15 m/s model 1 has points.
        QVERIFY(!WindSeries(form).at(1).empty());
        // Saving the empty chart still gives a picture.
        TemporaryWorkingDirectory directory;
        QVERIFY(form.SaveChart(CompareCharts::Chart::OperatingPoint, "pusty.png"));
        QVERIFY(!QImage(directory.filePath("pusty.png")).isNull());
    }

    void windChartHasASeriesPerTickedModel()
    {
        const CalcState inputs = HallState(1.2, 4.0, 0.16, 5.0);
        CalcState state = ChosenState(inputs, 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QChart* wind = form.Charts()->View(CompareCharts::Chart::Wind)->chart();
        QCOMPARE(wind->title(), QString("Wydajność w funkcji prędkości wiatru"));
        QCOMPARE(AxisTitles(wind), (QStringList{"v [m/s]", "Q [m3/s]"}));
        QCOMPARE(form.Charts()->WindModels(), std::vector<int>{5});

        ClickCheckBox(form, RowOf(form, 14));
        ClickCheckBox(form, RowOf(form, 27));
        QCOMPARE(form.TableModel()->TickedModels(), (std::vector<int>{14, 27}));
        // Ticking changes neither the selection nor the state.
        QCOMPARE(form.SelectedModel(), 5);
        QCOMPARE(state, ChosenState(inputs, 5));
        QCOMPARE(form.Charts()->WindModels(), (std::vector<int>{5, 14, 27}));
        const auto series = WindSeries(form);
        QCOMPARE(static_cast<int>(series.size()), 3);
        QCOMPARE(WindLegend(form), (QStringList{Name(5), "przerywana: inny punkt pracy", Name(14),
                                                Name(27), "Bieżąca prędkość wiatru v = 4.00 m/s"}));
        for (const auto& [model, pieces] : series) {
            QCOMPARE(pieces.front()->name(), Name(model));
            // Every speed from 0 to 15 m/s by 0.25 has a point here.
            std::set<double> speeds;
            for (QLineSeries* piece : pieces) {
                for (const QPointF& p : piece->points())
                    speeds.insert(p.x());
            }
            QCOMPARE(static_cast<int>(speeds.size()), 61);
            // At the current wind the curve gives the report's Q of the model.
            CalcState at = ChosenState(inputs, model);
            QCOMPARE(ValueAt(pieces.front(), 4.0), FlowPerSecond(at.FlowPerHour));
        }

        // Choosing another row keeps the ticked models; the chosen model is drawn once.
        ClickCell(form, RowOf(form, 14), kColumnFlow);
        QCOMPARE(form.Charts()->WindModels(), (std::vector<int>{14, 27}));
        // Unticking removes a model.
        ClickCheckBox(form, RowOf(form, 27));
        QCOMPARE(form.Charts()->WindModels(), std::vector<int>{14});
        QCOMPARE(WindLegend(form), (QStringList{Name(14), "Bieżąca prędkość wiatru v = 4.00 m/s"}));
    }

    // Reopened after a new calculation with another wind, each chart has one
    // set of axes: the scene shows each axis title once.
    void cleanAxesAfterANewCalculation()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        form.hide();
        state = ChosenState(HallState(1.2, 20.0, 0.16, 5.0), 5);
        QVERIFY(OpenWindow(form));
        QTest::qWait(50);
        const auto operating = form.Charts()->View(CompareCharts::Chart::OperatingPoint);
        const auto wind = form.Charts()->View(CompareCharts::Chart::Wind);
        QCOMPARE(ShownTexts(operating, "Δp [Pa]"), 1);
        QCOMPARE(ShownTexts(operating, "Q [m3/s]"), 1);
        QCOMPARE(ShownTexts(wind, "v [m/s]"), 1);
        QCOMPARE(operating->chart()->axes().size(), 2);
    }

    // A click on the table's empty part clears the selection; the ticked
    // models stay on the wind chart.
    void tickedModelsStayWithoutASelection()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCheckBox(form, RowOf(form, 14));
        ClickCheckBox(form, RowOf(form, 27));
        QWidget* viewport = Table(form)->viewport();
        const QRect last = Table(form)->visualRect(Table(form)->model()->index(26, 0));
        if (last.bottom() + 5 < viewport->height())
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 3));
        else
            Table(form)->clearSelection();
        QCOMPARE(form.SelectedModel(), 0);
        QCOMPARE(form.Charts()->WindModels(), (std::vector<int>{14, 27}));
        QCOMPARE(WindLegend(form),
                 (QStringList{Name(14), Name(27), "Bieżąca prędkość wiatru v = 4.00 m/s"}));
    }

    // Model 5 in the hall duct has two operating points from 12.7 m/s on.
    void twoOperatingPointsShown()
    {
        CalcState state = ChosenState(HallState(1.2, 15.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        const QModelIndex qh = Table(form)->model()->index(RowOf(form, 5), kColumnFlowPerHour);
        QCOMPARE(qh.data().toString(), QString("312.7322"));
        QVERIFY(qh.data(Qt::DecorationRole).isValid());
        QCOMPARE(qh.data(Qt::ToolTipRole).toString(),
                 QString("Punkty pracy: Qh = 312.7322 i 532.5176 m3/h; raport podaje wybrany: "
                         "312.7322 m3/h."));
        QScatterSeries* other = form.Charts()->OtherPointsSeries();
        QCOMPARE(other->count(), 1);
        QCOMPARE(QString::number(other->at(0).x(), 'f', 6), QString("0.147922"));
        // Dashed lines only where the second point exists.
        int dashed = 0;
        const auto series = WindSeries(form);
        for (QLineSeries* piece : series.at(5)) {
            if (piece->pen().style() != Qt::DashLine)
                continue;
            ++dashed;
            for (const QPointF& p : piece->points())
                QVERIFY2(p.x() >= 12.5, qPrintable(QString::number(p.x())));
        }
        QVERIFY(dashed >= 1);
        QVERIFY(WindLegend(form).contains("przerywana: inny punkt pracy"));
    }

    void ticksSurviveAChoice()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, [&](int index) { ChooseLikeTheMainWindow(state, index); });
        QVERIFY(OpenWindow(form));
        ClickCheckBox(form, RowOf(form, 22));
        DoubleClickCell(form, RowOf(form, 6), kColumnFlow);
        QCOMPARE(state.VentilatorIndex, 6);
        QCOMPARE(form.TableModel()->TickedModels(), std::vector<int>{22});
        QCOMPARE(form.Charts()->WindModels(), (std::vector<int>{6, 22}));
    }

    void chartsSavedAsPictures_data()
    {
        QTest::addColumn<int>("chart");
        QTest::newRow("operating point") << int(CompareCharts::Chart::OperatingPoint);
        QTest::newRow("wind") << int(CompareCharts::Chart::Wind);
    }
    void chartsSavedAsPictures()
    {
        QFETCH(int, chart);
        const auto which = CompareCharts::Chart(chart);
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        const Outcome saved = form.SaveChart(which, "wykres.png");
        QVERIFY2(saved, saved.Reason().c_str());
        const QImage image(directory.filePath("wykres.png"), "PNG");
        QVERIFY(!image.isNull());
        // Large enough for the legend's names whole.
        QCOMPARE(image.size(), QSize(1200, 800));
        QVERIFY(Colours(image) >= 5); // curves, axes and texts, not a blank
        QCOMPARE(directory.entries(), QStringList{"wykres.png"});
    }

    void saveFailureIsReported()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QCOMPARE(ReasonOf(form.SaveChart(CompareCharts::Chart::Wind, "brak/wykres.png")),
                 "Nie można zapisać pliku „brak/wykres.png”: nie ma takiego katalogu.");
        QCOMPARE(directory.entries(), QStringList());
    }

    // The buttons: the file dialog, the suffix added, and a failure in a message.
    void saveButtons()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        const QString target = directory.filePath("punkt");
        {
            auto watch =
                WhenModal<QFileDialog>([&](QFileDialog* dialog) { TypeFileName(dialog, target); });
            QTest::mouseClick(form.findChild<QPushButton*>("SaveOperatingChartButton"),
                              Qt::LeftButton);
            QVERIFY(watch->acted());
        }
        QVERIFY(!QImage(directory.filePath("punkt.png"), "PNG").isNull());

        QString message;
        {
            auto watch = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
                // A directory that exists but takes no files.
                TypeFileName(dialog, "/proc/wiatr.png");
            });
            auto box = WhenModal<QMessageBox>([&](QMessageBox* shown) {
                message = shown->text();
                shown->accept();
            });
            QTest::mouseClick(form.findChild<QPushButton*>("SaveWindChartButton"), Qt::LeftButton);
            QTRY_VERIFY(box->acted());
        }
        QVERIFY2(message.startsWith("Nie można zapisać pliku „/proc/wiatr.png”"),
                 qPrintable(message));
        QCOMPARE(directory.entries(), QStringList{"punkt.png"});
    }

    // The window of the worked hall case as a picture; kept where
    // WYW_COMPARE_SCREENSHOT names a file.
    void windowPicture()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCheckBox(form, RowOf(form, 14));
        ClickCheckBox(form, RowOf(form, 6));
        QTest::qWait(100); // the charts lay out their legends
        const QImage image = form.grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(Colours(image) >= 8);
        const QString keep = qEnvironmentVariable("WYW_COMPARE_SCREENSHOT");
        if (!keep.isEmpty())
            QVERIFY(image.save(keep, "PNG"));
    }
};

WYW_GUI_TEST_MAIN(TestCompareCharts)
#include "test_compare_charts.moc"
