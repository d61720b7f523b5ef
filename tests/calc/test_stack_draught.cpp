// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/stack_draught.h"
#include "sample_states.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <utility>

namespace {

StackPoint Hall(double wind, double inside, double outside, double height = 5.0, int model = 5)
{
    return EvaluateStackPoint(HallState(0.16, 5.0, 0.5, 1.2, wind), LookUpVentilator(model),
                              {inside, outside, height});
}

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

// The characteristic, and g(Q) = dps - Cp(Q / A) pw - Ro Rs Q^2 / 2, written out here.
double Cp(const AirPath& p, double q)
{
    const double c = q / p.ductArea;
    return p.coef[0] + c * (p.coef[1] + c * (p.coef[2] + c * p.coef[3]));
}
double G(const AirPath& p, double dps, double q)
{
    return dps - Cp(p, q) * p.windPressure - 0.5 * p.resistanceDensity * q * q;
}

// The first root of g above 0 by a fine geometric grid and bisection; 0 when
// g stays positive up to 1000 m3/s.
double FirstRoot(const AirPath& p, double dps)
{
    double low = 1e-9, high = low;
    for (int k = 1; k <= 20000 && G(p, dps, high) > 0.0; ++k)
        low = std::exchange(high, 1e-9 * std::pow(1e12, k / 20000.0));
    for (int step = 0; step < 200; ++step)
        (G(p, dps, 0.5 * (low + high)) > 0.0 ? low : high) = 0.5 * (low + high);
    return G(p, dps, high) > 0.0 ? 0.0 : high;
}

} // namespace

class TestStackDraught : public QObject {
    Q_OBJECT
private slots:
    // The hall example of the program (Rs 3465.98, Ro 1.2) with ti 20 °C, te 12 °C.
    void workedCheck_data()
    {
        QTest::addColumn<double>("wind");
        QTest::addColumn<double>("inside");
        QTest::addColumn<QString>("flowPerHour");
        QTest::newRow("calm: sqrt(2 dps / (Ro Rs))") << 0.0 << 20.0 << "101.62";
        QTest::newRow("wind 4 adds to the stack") << 4.0 << 20.0 << "177.06";
        QTest::newRow("ti = te: the exact root of the wind alone") << 4.0 << 12.0 << "153.386";
    }
    void workedCheck()
    {
        QFETCH(double, wind);
        QFETCH(double, inside);
        QFETCH(QString, flowPerHour);
        const StackPoint point = Hall(wind, inside, 12.0);
        QCOMPARE(point.status, StackStatus::Found);
        QCOMPARE(Fixed(point.flowPerHour, flowPerHour.size() - flowPerHour.indexOf('.') - 1),
                 flowPerHour);
        QCOMPARE(Fixed(point.stackPressure, 3), inside == 20.0 ? "1.657" : "0.000");
    }

    // A sweep of te at wind 0: the flow falls smoothly towards 0 as te nears
    // ti; from te = ti on nothing moves, said in words.
    void outsideTemperatureSweep()
    {
        double previous = INFINITY;
        for (int te = -20; te < 20; ++te) {
            const StackPoint point = Hall(0.0, 20.0, te);
            QCOMPARE(point.status, StackStatus::Found);
            const double expected = 3600.0 * std::sqrt(2.0 * point.stackPressure / (1.2 * 3465.98));
            QVERIFY(std::fabs(point.flowPerHour - expected) < 1e-3 * (expected + 1.0));
            QVERIFY(point.flowPerHour < previous);
            previous = point.flowPerHour;
        }
        for (const char* state : {"zerowe", "ujemne"}) { // te = ti, then te = 24 °C
            const StackPoint point = Hall(0.0, 20.0, state[0] == 'z' ? 20.0 : 24.0);
            QCOMPARE(point.status, StackStatus::NoDraught);
            QVERIFY(QString::fromUtf8(StackReason(point).data())
                        .startsWith(QString("Ciśnienie napędzające jest ") + state));
        }
    }

    // Random inputs against the rule: g(0) < 0 gives no upward flow; g(0) > 0
    // the first root above 0, refused with the wind where |Cp| > 0.55; every
    // other state listed is one where g falls through zero; in a calm the flow
    // is sqrt(2 dps / (Ro Rs)).
    void ruleOnRandomInputs()
    {
        QRandomGenerator random(17);
        int outcomes[3] = {0, 0, 0};
        for (int i = 0; i < 3000; ++i) {
            const double wind = random.bounded(4) == 0 ? 0.0 : random.bounded(20.0);
            const CalcState state =
                HallState(0.08 + random.bounded(0.7), 0.5 + random.bounded(30.0), 0.5,
                          0.9 + random.bounded(0.5), wind);
            const VentilatorModel& model = LookUpVentilator(1 + random.bounded(27));
            const double ti = -10.0 + random.bounded(50.0);
            const double te = random.bounded(4) == 0 ? ti : -25.0 + random.bounded(65.0);
            const StackPoint point =
                EvaluateStackPoint(state, model, {ti, te, random.bounded(300.0)});
            const AirPath path = PrepareAirPath(state, model).path;
            const double dps = point.stackPressure, root = FirstRoot(path, dps);
            // At g(0) = 0 the slope decides.
            const double start = G(path, dps, 0.0);
            const bool rises = start > 0.0 || (start == 0.0 && G(path, dps, 1e-9) > 0.0);
            const bool beyond = root == 0.0 || (wind > 0.0 && std::fabs(Cp(path, root)) > 0.55);
            const StackStatus expected = !rises   ? StackStatus::NoDraught
                                         : beyond ? StackStatus::OutOfRange
                                                  : StackStatus::Found;
            QCOMPARE(point.status, expected);
            ++outcomes[static_cast<int>(expected)];
            if (expected == StackStatus::Found)
                QVERIFY(std::fabs(point.flowPerHour / 3600.0 - root) <= 1e-7 * root);
            if (expected == StackStatus::Found && wind == 0.0) // the calm-day identity
                QVERIFY(std::fabs(point.flowPerHour / 3600.0 -
                                  std::sqrt(2.0 * dps / path.resistanceDensity)) <= 1e-9 * root);
            for (std::size_t k = 0; k < point.count; ++k) { // other states: g falls through 0
                const double q = point.flowsPerHour[k] / 3600.0;
                QVERIFY(k == point.chosen ||
                        (G(path, dps, q * (1 - 1e-9)) > 0.0 && G(path, dps, q * (1 + 1e-9)) < 0.0));
            }
        }
        QVERIFY(outcomes[0] > 100 && outcomes[1] > 100 && outcomes[2] > 10);
    }

    void refusals_data()
    {
        QTest::addColumn<double>("inside");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("reason");
        QTest::newRow("absolute zero") << -273.15 << 5.0 << "Temperatury ti i te";
        QTest::newRow("negative height") << 20.0 << -1.0 << "Wysokość ciągu";
        QTest::newRow("infinite height") << 20.0 << double(INFINITY) << "nie jest poprawną liczbą";
    }
    void refusals()
    {
        QFETCH(double, inside);
        QFETCH(double, height);
        QFETCH(QString, reason);
        const StackPoint point = Hall(4.0, inside, 12.0, height);
        QCOMPARE(point.status, StackStatus::Refused);
        QVERIFY(QString::fromUtf8(StackReason(point).data()).contains(reason));
    }

    // Model 1 on a thin short duct: the report's scan meets nothing, and the
    // flow the air reaches from rest lies beyond the characteristic's range.
    void noOperatingPoint()
    {
        const StackPoint point = EvaluateStackPoint(HallState(0.1, 1.0, 0.1, 1.2, 10.0),
                                                    LookUpVentilator(1), {20.0, 20.0, 1.0});
        QCOMPARE(point.status, StackStatus::OutOfRange);
        QVERIFY(QString::fromUtf8(StackReason(point).data())
                    .contains("poza zakresem charakterystyki wywietrznika"));
    }
};

QTEST_GUILESS_MAIN(TestStackDraught)
#include "test_stack_draught.moc"
