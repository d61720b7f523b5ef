#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/stack_draught.h"
#include "sample_states.h"

#include <QtTest>

#include <cmath>

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
        QTest::newRow("ti = te: the wind alone") << 4.0 << 12.0 << "153.3861";
        QTest::newRow("ti = te, calm: nothing moves") << 0.0 << 12.0 << "0.0000";
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

    // A sweep of te at wind 0: the flow falls smoothly to 0 at te = ti, and
    // above it there is no draught, said in words.
    void outsideTemperatureSweep()
    {
        double previous = INFINITY;
        for (int te = -20; te <= 20; ++te) {
            const StackPoint point = Hall(0.0, 20.0, te);
            QCOMPARE(point.status, StackStatus::Found);
            const double expected = 3600.0 * std::sqrt(2.0 * point.stackPressure / (1.2 * 3465.98));
            QVERIFY(std::fabs(point.flowPerHour - expected) < 1e-3 * (expected + 1.0));
            QVERIFY(point.flowPerHour < previous);
            previous = point.flowPerHour;
        }
        QCOMPARE(previous, 0.0);
        const StackPoint warm = Hall(0.0, 20.0, 24.0);
        QCOMPARE(warm.status, StackStatus::NoDraught);
        QVERIFY(QString::fromUtf8(StackReason(warm).data()).startsWith("Ciśnienie napędzające"));
    }

    void refusals_data()
    {
        QTest::addColumn<double>("inside");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("reason");
        QTest::newRow("absolute zero") << -273.15 << 5.0 << "Temperatury ti i te";
        QTest::newRow("negative height") << 20.0 << -1.0 << "Wysokość ciągu";
        QTest::newRow("infinite height") << 20.0 << double(INFINITY) << "wartość nieskończoną";
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

    // Model 1 on a thin short duct never meets the trial coefficient.
    void noOperatingPoint()
    {
        const StackPoint point = EvaluateStackPoint(HallState(0.1, 1.0, 0.1, 1.2, 10.0),
                                                    LookUpVentilator(1), {20.0, 20.0, 1.0});
        QCOMPARE(point.status, StackStatus::NoRoot);
        QVERIFY(QString::fromUtf8(StackReason(point).data()).startsWith("Brak punktu pracy"));
    }
};

QTEST_GUILESS_MAIN(TestStackDraught)
#include "test_stack_draught.moc"
