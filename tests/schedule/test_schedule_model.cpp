// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule's table model under QAbstractItemModelTester: every kind of
// change the window makes leaves it consistent.
#include "schedule/schedule_model.h"
#include "test_main.h"

#include <QAbstractItemModelTester>
#include <QUndoStack>
#include <QtTest>

#include <functional>

using Change = std::function<void(ScheduleTableModel&)>;
Q_DECLARE_METATYPE(Change)

class TestScheduleModel : public QObject {
    Q_OBJECT
private slots:
    void consistentUnderTheModelTester_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("rows");
        using M = ScheduleTableModel;
        QTest::newRow("cell typed") << Change([](M& m) {
            QVERIFY(
                m.setData(m.index(0, ModelColumn(SheetColumn::Diameter)), QStringLiteral("0.2")));
        }) << 15;
        QTest::newRow("rows removed") << Change([](M& m) { m.RemoveRows({0, 2}); }) << 13;
        QTest::newRow("row duplicated") << Change([](M& m) { m.DuplicateRows({1}); }) << 16;
        QTest::newRow("removal undone") << Change([](M& m) {
            m.RemoveRows({4});
            m.UndoStack().undo();
        }) << 15;
        QTest::newRow("emptied") << Change([](M& m) { m.SetSchedule(Schedule{}); }) << 0;
        QTest::newRow("all replaced") << Change([](M& m) {
            m.RemoveRows({0});
            m.ReplaceAll(ScheduleTemplate(), QStringLiteral("Wzór"));
        }) << 15;
    }

    void consistentUnderTheModelTester()
    {
        QFETCH(Change, change);
        QFETCH(int, rows);
        ScheduleTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetSchedule(ScheduleTemplate());
        QCOMPARE(model.rowCount(), 15);
        change(model);
        QCOMPARE(model.rowCount(), rows);
    }
};

WYW_GUI_TEST_MAIN(TestScheduleModel)
#include "test_schedule_model.moc"
