// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window's layout as a user sees it: legends whole at any
// splitter position, distinct and steady colours, the verdict columns in
// view, the scroll position kept, and the window without a calculation.
#include "compare/chart_legend.h"
#include "compare_test_support.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QScrollBar>
#include <QSplitter>
#include <QTextDocument>

#include <algorithm>

namespace {

// The window of the hall example with a need of 400 m3/h, sized as on a
// screen 1280 px wide, with models 6, 14 and 27 ticked.
void OpenHallWithNeed(CompareWindow& form)
{
    form.findChild<QLineEdit*>("NeededFlowEdit")->setText("400");
    form.resize(1270, 770);
    QVERIFY(OpenWindow(form));
    for (int model : {6, 14, 27})
        form.TableModel()->SetTicked(model, true);
}

// The colour of a model's first line on the wind chart.
QColor WindColour(CompareWindow& form, int model)
{
    for (QAbstractSeries* series :
         form.Charts()->View(CompareCharts::Chart::Wind)->chart()->series())
        if (series->property("model").toInt() == model)
            return qobject_cast<QLineSeries*>(series)->pen().color();
    return {};
}

} // namespace

class TestCompareLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    // With the charts at their least width and at their widest, each legend
    // label has the room its wrapped text needs and names every entry whole.
    void legendsWhole_data()
    {
        QTest::addColumn<int>("tableWidth");
        QTest::newRow("charts narrow") << 2000;
        QTest::newRow("charts wide") << 0;
    }
    void legendsWhole()
    {
        QFETCH(int, tableWidth);
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        OpenHallWithNeed(form);
        auto* splitter = form.findChild<QSplitter*>("CompareSplitter");
        splitter->setSizes({tableWidth, 2000 - tableWidth});
        QTest::qWait(20);
        for (auto chart : {CompareCharts::Chart::OperatingPoint, CompareCharts::Chart::Wind}) {
            QLabel* legend = form.Charts()->Legend(chart);
            QVERIFY(legend->isVisible());
            QVERIFY(legend->width() >= legend->minimumSizeHint().width());
            QVERIFY(legend->height() >= legend->heightForWidth(legend->width()));
            QTextDocument shown;
            shown.setHtml(legend->text());
            const QString text = shown.toPlainText().replace(QChar(0xa0), ' ');
            for (const LegendEntry& entry : LegendEntries(*form.Charts()->View(chart)->chart()))
                QVERIFY2(text.contains(entry.name), qPrintable(entry.name));
        }
        QVERIFY(form.Charts()
                    ->Legend(CompareCharts::Chart::Wind)
                    ->text()
                    .contains("Wymagana&nbsp;wydajność&nbsp;Qh&nbsp;=&nbsp;400.0&nbsp;m3/h"));
    }

    // Three ticked models in three distinct hues; a model keeps its colour
    // when another is ticked or the selection moves.
    void coloursDistinctAndSteady()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        OpenHallWithNeed(form);
        const QColor luma = WindColour(form, 6);
        std::vector<int> hues;
        for (int model : {6, 14, 27})
            hues.push_back(WindColour(form, model).hslHue());
        std::sort(hues.begin(), hues.end());
        QVERIFY(hues[1] - hues[0] >= 30 && hues[2] - hues[1] >= 30 &&
                hues[0] + 360 - hues[2] >= 30);
        form.TableModel()->SetTicked(15, true);
        form.SelectModel(18);
        QCOMPARE(WindColour(form, 6), luma);
    }

    // At the size of a 1280 px screen the verdicts are in view, and a need
    // typed keeps the table where it was scrolled.
    void verdictsInViewAndScrollKept()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        OpenHallWithNeed(form);
        QTableView* table = Table(form);
        for (int column : {kColumnReachesNeed, kColumnNeedWind, kColumnDuctFit}) {
            const int at = table->horizontalHeader()->sectionViewportPosition(column);
            QVERIFY(at >= 0);
            QVERIFY(at + table->columnWidth(column) <= table->viewport()->width());
        }
        form.findChild<QSplitter*>("CompareSplitter")->setSizes({300, 2000});
        QTest::qWait(20);
        // Away from the selected top row, where a reset would scroll back to.
        const QPoint scrolled(table->horizontalScrollBar()->maximum(),
                              table->verticalScrollBar()->maximum());
        QVERIFY(scrolled.x() > 0 && scrolled.y() > 0);
        table->horizontalScrollBar()->setValue(scrolled.x());
        table->verticalScrollBar()->setValue(scrolled.y());
        form.findChild<QLineEdit*>("NeededFlowEdit")->setText("350");
        QTest::qWait(20); // the table lays itself out again
        QCOMPARE(QPoint(table->horizontalScrollBar()->value(), table->verticalScrollBar()->value()),
                 scrolled);
    }

    // Without a calculation held (a new one left half-way, the draught ticked
    // before) the window claims no condition.
    void noCalculationClaimsNothing()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        form.findChild<QCheckBox*>("StackEnabled")->setChecked(true);
        QVERIFY(form.windowTitle().contains("ciąg grawitacyjny"));
        state.IsHall = false;
        state.ResultsShown = false;
        form.Refresh();
        QCOMPARE(form.windowTitle(), QString("Porównanie wywietrzników"));
        QCOMPARE(form.findChild<QLabel*>("NoDataLabel")->text(),
                 QString("Nie ma jeszcze obliczeń do porównania. Najpierw wykonaj Obliczenia → "
                         "Nowe obliczenia albo otwórz zapisane obliczenia."));
    }
};

WYW_GUI_TEST_MAIN(TestCompareLayout)
#include "test_compare_layout.moc"
