// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison table model under QAbstractItemModelTester: new rows, a tick
// and a sort by every column in either direction leave it consistent.
#include "compare/compare_table_model.h"
#include "compare_states.h"
#include "test_main.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class TestCompareTableModel : public QObject {
    Q_OBJECT
private slots:
    void consistentUnderTheModelTester_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        for (int column = 0; column < 11; ++column) {
            QTest::addRow("column %d up", column) << column << false;
            QTest::addRow("column %d down", column) << column << true;
        }
    }

    void consistentUnderTheModelTester()
    {
        QFETCH(int, column);
        QFETCH(bool, descending);
        CompareTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // With a need of 100 m3/h: every column but the year's has values to sort by.
        model.SetRows(BuildComparisonRows(HallState(1.2, 4.0, 0.16, 5.0), nullptr, 100.0), 5);
        QCOMPARE(model.rowCount(), 27);
        QCOMPARE(model.columnCount(), 11); // the year's column included
        QVERIFY(model.setData(model.index(3, 1), Qt::Checked, Qt::CheckStateRole));
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        // Fewer models with an operating point: the same 27 rows, other values.
        model.SetRows(BuildComparisonRows(BuildingState(0.5)), 0);
        QCOMPARE(model.rowCount(), 27);
    }

    // A ventilator that throttles at its point (DPsw below zero) says so;
    // one that helps has no tooltip there.
    void negativeSuctionExplained()
    {
        std::vector<ComparisonRow> rows = BuildComparisonRows(HallState(1.2, 4.0, 0.16, 5.0));
        rows[6].point.ventilatorSuction = -0.5;
        CompareTableModel model;
        model.SetRows(rows, 0);
        const QModelIndex throttling = model.index(model.RowOf(7), kColumnSuction);
        QCOMPARE(model.data(throttling).toString(), QString("-0.5000"));
        QCOMPARE(model.data(throttling, Qt::ToolTipRole).toString(),
                 QString("Ujemne DPsw: w tym punkcie pracy wywietrznik dławi przepływ – stawia "
                         "opór zamiast wspomagać ciąg."));
        QVERIFY(
            !model.data(model.index(model.RowOf(8), kColumnSuction), Qt::ToolTipRole).isValid());
    }
};

WYW_GUI_TEST_MAIN(TestCompareTableModel)
#include "test_compare_table_model.moc"
