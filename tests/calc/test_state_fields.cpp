// SPDX-License-Identifier: GPL-3.0-or-later
// The state's one field table: a flag kept as 0 or 1, an installation as 0..3,
// and a number outside a whole field's bounds refused.
#include "calc/state_fields.h"

#include <QtTest>

class TestStateFields : public QObject {
    Q_OBJECT
private slots:
    void setAndRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("taken");
        QTest::newRow("flag 1") << "IsHall" << 1.0 << true;
        QTest::newRow("flag 2") << "DuctRound" << 2.0 << false;
        QTest::newRow("flag 0.5") << "DensityEntered" << 0.5 << false;
        QTest::newRow("installation 3") << "InstallationType" << 3.0 << true;
        QTest::newRow("installation 4") << "InstallationType" << 4.0 << false;
        QTest::newRow("installation -1") << "InstallationType" << -1.0 << false;
        QTest::newRow("real") << "WindSpeed" << 4.5 << true;
    }
    void setAndRead()
    {
        QFETCH(QString, name);
        QFETCH(double, number);
        QFETCH(bool, taken);
        const StateField* field = FindStateField(name.toStdString());
        QVERIFY(field != nullptr);
        CalcState state;
        QCOMPARE(SetFieldNumber(state, *field, number), taken);
        QCOMPARE(FieldNumber(state, *field), taken ? number : 0.0);
    }

    void installationFromFile()
    {
        CalcState state;
        QVERIFY(SetFieldNumber(state, *FindStateField("InstallationType"), 2.0));
        QCOMPARE(state.InstallationType, Installation::BuildingRound);
        QVERIFY(SetFieldNumber(state, *FindStateField("ResultsShown"), 1.0));
        QCOMPARE(state.ResultsShown, true);
        QVERIFY(FindStateField("VentilatorName") == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestStateFields)
#include "test_state_fields.moc"
