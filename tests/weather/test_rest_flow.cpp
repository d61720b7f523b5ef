// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/stack_draught.h"
#include "weather/rest_flow.h"

#include <QRandomGenerator>
#include <QtTest>

#include <vector>

// The flows from rest side by side against the calculation's own, one by
// one, on random halls, models, winds and driving pressures (a quarter of
// them calm, a tenth with no driving pressure, some negative): equal bit for
// bit, and with the same verdict, four to an instruction and one by one.
class TestRestFlow : public QObject {
    Q_OBJECT
private slots:
    void sameAsOneByOne_data()
    {
        QTest::addColumn<bool>("vectors");
        QTest::newRow("four to an instruction where the processor can") << true;
        QTest::newRow("lane by lane") << false;
    }
    void sameAsOneByOne()
    {
        QFETCH(bool, vectors);
        QRandomGenerator random(27);
        std::vector<RestQuery> queries;
        for (int i = 0; i < 20000; ++i) {
            CalcState s;
            s.DuctRound = true;
            s.DuctDiameter = 0.08 + random.bounded(0.7);
            s.DuctArea = CircleArea(s.DuctDiameter);
            s.DuctLength = 0.5 + random.bounded(30.0);
            s.DuctRoughness = 1.8;
            s.LossCoefficient = 0.5;
            s.IsHall = true;
            s.AirDensity = 0.9 + random.bounded(0.5);
            s.WindSpeed = random.bounded(4) == 0 ? 0.0 : random.bounded(30.0);
            const PreparedAirPath prepared = PrepareAirPath(s, LookUpVentilator(1 + i % 27));
            QCOMPARE(prepared.refusal, Refusal::None);
            const double driving = random.bounded(10) == 0 ? 0.0 : -2.0 + random.bounded(30.0);
            queries.push_back({prepared.path, driving});
        }
        std::vector<RestFlow> flows(queries.size());
        FlowsFromRest(queries, flows, vectors);
        int flowing = 0;
        for (std::size_t i = 0; i < queries.size(); ++i) {
            const RestFlow one = FlowFromRest(queries[i].path, queries[i].driving);
            QCOMPARE(flows[i].flows, one.flows);
            QCOMPARE(flows[i].inRange, one.inRange);
            QCOMPARE(flows[i].flowPerHour, one.flowPerHour);
            flowing += one.flows ? 1 : 0;
        }
        QVERIFY(flowing > 10000 && flowing < 20000);
    }
};

QTEST_GUILESS_MAIN(TestRestFlow)
#include "test_rest_flow.moc"
