// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/stack_draught.h"
#include "weather/rest_flow.h"
#include "weather/rest_verdict.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <vector>

// Random halls, models, winds and driving pressures: a quarter of them calm,
// a tenth with no driving pressure, some negative.
std::vector<RestQuery> RandomQueries(quint32 seed)
{
    QRandomGenerator random(seed);
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
        if (prepared.refusal != Refusal::None)
            qFatal("a random hall is refused");
        const double driving = random.bounded(10) == 0 ? 0.0 : -2.0 + random.bounded(30.0);
        queries.push_back({prepared.path, driving});
    }
    return queries;
}

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
        const std::vector<RestQuery> queries = RandomQueries(27);
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

    // The verdict on a need, hour by hour, is the one the whole flow gives:
    // the need just at some flows, and far below and above them.
    void verdictAsTheFlow_data()
    {
        QTest::addColumn<bool>("vectors");
        QTest::addColumn<double>("need");
        QTest::addColumn<int>("leastMeeting");
        QTest::addColumn<int>("mostMeeting");
        QTest::newRow("need 0, lane by lane") << false << 0.0 << 10000 << 20000;
        QTest::newRow("need 150 m3/h") << true << 150.0 << 2000 << 18000;
        QTest::newRow("need 600 m3/h, lane by lane") << false << 600.0 << 500 << 15000;
        QTest::newRow("need 5000 m3/h") << true << 5000.0 << 0 << 3000;
    }
    void verdictAsTheFlow()
    {
        QFETCH(bool, vectors);
        QFETCH(double, need);
        QFETCH(int, leastMeeting);
        QFETCH(int, mostMeeting);
        const std::vector<RestQuery> queries = RandomQueries(31);
        std::vector<RestFlow> flows(queries.size());
        FlowsFromRest(queries, flows, vectors);
        std::vector<std::uint8_t> meets(queries.size(), 7);
        MeetsFromRest(queries, need, meets, vectors);
        int meeting = 0;
        for (std::size_t i = 0; i < queries.size(); ++i) {
            const bool expected =
                flows[i].flows && flows[i].inRange && flows[i].flowPerHour >= need;
            QCOMPARE(meets[i], std::uint8_t{expected});
            meeting += expected ? 1 : 0;
        }
        QVERIFY(meeting >= leastMeeting && meeting <= mostMeeting);
        // A need equal to an hour's flow is met, one a bit above it is not.
        for (std::size_t i = 0; i < queries.size(); i += 97) {
            if (!flows[i].flows || !flows[i].inRange)
                continue;
            const double flow = flows[i].flowPerHour;
            std::uint8_t at = 7, over = 7;
            MeetsFromRest({&queries[i], 1}, flow, {&at, 1}, vectors);
            MeetsFromRest({&queries[i], 1}, std::nextafter(flow, 1e9), {&over, 1}, vectors);
            QCOMPARE(at, std::uint8_t{1});
            QCOMPARE(over, std::uint8_t{0});
        }
    }
};

QTEST_GUILESS_MAIN(TestRestFlow)
#include "test_rest_flow.moc"
