// SPDX-License-Identifier: GPL-3.0-or-later
// The fast scan on the worked cases and on the boundaries where a shortcut
// could part from the full scan: the tolerance at the first and the last scan
// point, tangent and double crossings, crossings between two scan points,
// no wind, the quadratic characteristic, tiny and huge velocities.
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "calc/operating_point_fast.h"
#include "sample_states.h"
#include "samples/fast_scan_inputs.h"
#include "trial_list.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// An air path where the velocity is c = g sqrt(-K) for a chosen g: the wind
// pressure is g^2 / 2 with Rs Ro = 1 and A = 1.
AirPath DirectPath(double g, double c0, double c1, double c2, double c3)
{
    AirPath p;
    p.windPressure = 0.5 * g * g;
    p.windSpeed = std::sqrt(p.windPressure / 0.6);
    p.resistance = 1.0;
    p.resistanceDensity = 1.0;
    p.ductArea = 1.0;
    p.coef[0] = c0;
    p.coef[1] = c1;
    p.coef[2] = c2;
    p.coef[3] = c3;
    return p;
}

QString Text(const ScanMatch& m)
{
    return m.found
               ? QStringLiteral("M = %1").arg(QString::fromStdString(scan_inputs::Exact(m.matched)))
               : QStringLiteral("no operating point");
}

#define COMPARE_SCANS(path)                                                                        \
    do {                                                                                           \
        const ScanMatch reference_ = ScanReference(path);                                          \
        const ScanMatch fast_ = ScanFast(path);                                                    \
        QVERIFY2(scan_inputs::Same(reference_, fast_),                                             \
                 qPrintable(QStringLiteral("full scan: %1, fast scan: %2")                         \
                                .arg(Text(reference_), Text(fast_))));                             \
    } while (false)

AirPath PathOf(const CalcState& state, int model)
{
    const PreparedAirPath prepared = PrepareAirPath(state, LookUpVentilator(model));
    if (prepared.refusal != Refusal::None)
        qFatal("the inputs of a row are refused");
    return prepared.path;
}

// Every scan point's signed distance K - Cp, in scan order.
std::vector<double> Differences(const AirPath& path)
{
    std::vector<double> d;
    d.reserve(AllTrials().size());
    for (double k : AllTrials())
        d.push_back(k - TrialCharacteristic(path, k));
    return d;
}

std::size_t SignChanges(const std::vector<double>& d)
{
    std::size_t changes = 0;
    for (std::size_t i = 1; i < d.size(); ++i)
        changes += (d[i - 1] < 0.0 && d[i] > 0.0) || (d[i - 1] > 0.0 && d[i] < 0.0);
    return changes;
}

std::size_t WithinTolerance(const std::vector<double>& d)
{
    std::size_t within = 0;
    for (double x : d)
        within += std::fabs(x) <= kScanTolerance;
    return within;
}

// A constant characteristic c0 (no wind) whose distance K - c0 at scan point
// `index` has the given sign and the largest magnitude within the tolerance.
// The distance of two nearby doubles of at least 0.005 is exact and a multiple
// of 2^-60, so it never equals 2e-6 itself: this is as close as it comes.
double ConstantAtTolerance(std::size_t index, double sign)
{
    const double k = AllTrials()[index];
    const double away = sign > 0.0 ? -1.0 : 1.0; // moving c0 this way makes |K - c0| grow
    double c0 = k - sign * kScanTolerance;
    while (std::fabs(k - c0) > kScanTolerance)
        c0 = std::nextafter(c0, -away);
    while (std::fabs(k - std::nextafter(c0, away)) <= kScanTolerance)
        c0 = std::nextafter(c0, away);
    return c0;
}

} // namespace

Q_DECLARE_METATYPE(CalcState)
Q_DECLARE_METATYPE(AirPath)

class TestFastScan : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("flowPerHour"); // to four decimals, as the report shows it
        QTest::newRow("hall, model 5") << HallState(0.16, 5.0, 0.5, 1.2, 4.0) << 5 << "153.3861";
        QTest::newRow("building, model 5") << BuildingState() << 5 << "82.4970";
        QTest::newRow("hall, model 1 narrower than the duct")
            << HallState(0.16, 5.0, 0.5, 1.2, 4.0) << 1 << "52.3387";
        QTest::newRow("two meetings, the nearer wins")
            << HallState(0.1, 2.0, 0.1, 1.2, 10.0) << 1 << "123.8167";
        QTest::newRow("steep crossing between two scan points")
            << HallState(0.5, 1.0, 0.1, 1.2, 15.0) << 25 << "616.4224";
        QTest::newRow("negative wind as positive")
            << HallState(0.16, 5.0, 0.5, 1.2, -4.0) << 5 << "153.3861";
        QTest::newRow("no wind") << HallState(0.16, 5.0, 0.5, 1.2, 0.0) << 5 << "0.0000";
        QTest::newRow("no crossing at all") << HallState(0.1, 1.0, 0.1, 1.2, 10.0) << 1 << "";
    }
    void workedExamples()
    {
        QFETCH(CalcState, state);
        QFETCH(int, model);
        QFETCH(QString, flowPerHour);
        const AirPath path = PathOf(state, model);
        FastScanStatistics statistics;
        const ScanMatch fast = ScanFast(path, statistics);
        const ScanMatch reference = ScanReference(path);
        QVERIFY2(scan_inputs::Same(reference, fast),
                 qPrintable(Text(reference) + " / " + Text(fast)));
        QCOMPARE(fast.found, !flowPerHour.isEmpty());
        // The program's own calculation goes through the fast scan.
        const OperatingPoint point = EvaluateOperatingPoint(state, LookUpVentilator(model));
        if (fast.found) {
            QCOMPARE(point.status, OperatingPointStatus::Found);
            QCOMPARE(point.matched, reference.matched);
            QCOMPARE(QString::fromStdString(FormatFixed(point.flowPerHour, 4)), flowPerHour);
        } else {
            QCOMPARE(point.status, OperatingPointStatus::NoOperatingPoint);
        }
        // Only a few points near the crossings are evaluated.
        QVERIFY2(statistics.evaluatedPoints <= 64,
                 qPrintable(QString::number(statistics.evaluatedPoints)));
    }

    void everyModel_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("model");
        const CalcState rows[] = {
            HallState(0.16, 5.0, 0.5, 1.2, 4.0),         BuildingState(),
            HallState(0.5, 1.0, 0.1, 1.2, 15.0),         HallState(0.1, 2.0, 0.1, 1.2, 10.0),
            HallState(0.25, 20.0, 1.0, 0.9, 25.0, 10.0), HallState(0.16, 5.0, 0.5, 1.2, 0.0)};
        const char* names[] = {"hall",      "building",         "wide short duct, storm",
                               "thin duct", "rough duct, gale", "no wind"};
        for (int model = 1; model <= kVentilatorCount; ++model) {
            for (std::size_t r = 0; r < std::size(rows); ++r)
                QTest::addRow("model %d, %s", model, names[r]) << rows[r] << model;
        }
    }
    void everyModel()
    {
        QFETCH(CalcState, state);
        QFETCH(int, model);
        COMPARE_SCANS(PathOf(state, model));
    }

    // No wind: every velocity is 0 and the distance at point i is K_i - Coef0.
    void toleranceAtTheEndsOfTheScan_data()
    {
        QTest::addColumn<bool>("last");   // the last scan point, else the first
        QTest::addColumn<bool>("beyond"); // the next double beyond the tolerance
        QTest::newRow("first point at the tolerance") << false << false;
        QTest::newRow("first point just beyond it") << false << true;
        QTest::newRow("last point at the tolerance") << true << false;
        QTest::newRow("last point just beyond it") << true << true;
    }
    void toleranceAtTheEndsOfTheScan()
    {
        QFETCH(bool, last);
        QFETCH(bool, beyond);
        const std::size_t index = last ? AllTrials().size() - 1 : 0;
        // Before the first point the distance is positive, after the last negative.
        double c0 = ConstantAtTolerance(index, last ? -1.0 : 1.0);
        if (beyond)
            c0 = std::nextafter(c0, last ? 1.0 : -1.0);
        const AirPath path = DirectPath(0.0, c0, 0.1, 0.2, -0.3);
        const std::vector<double> d = Differences(path);
        QCOMPARE(std::fabs(d[index]) <= kScanTolerance, !beyond);
        QVERIFY(std::fabs(d[index]) - kScanTolerance < 0x1p-52); // one double from it
        QCOMPARE(WithinTolerance(d), beyond ? std::size_t{0} : std::size_t{1});
        QCOMPARE(SignChanges(d), std::size_t{0});

        const ScanMatch fast = ScanFast(path);
        QCOMPARE(fast.found, !beyond);
        if (!beyond)
            QCOMPARE(fast.matched, c0);
        COMPARE_SCANS(path);
    }

    // A constant characteristic halfway between two trial coefficients, and
    // one exactly on one: ties go to the earlier point.
    void constantCharacteristic_data()
    {
        QTest::addColumn<double>("c0");
        const std::vector<double>& k = AllTrials();
        QTest::newRow("on a trial coefficient") << k[123456];
        QTest::newRow("halfway") << 0.5 * (k[300000] + k[300001]);
        QTest::newRow("two points within the tolerance on each side") << k[5] + 0.3e-6;
        QTest::newRow("beyond the scan") << -0.6;
        QTest::newRow("above the scan") << -0.001;
    }
    void constantCharacteristic()
    {
        QFETCH(double, c0);
        COMPARE_SCANS(DirectPath(0.0, c0, 0.0, 0.0, 0.0));
        COMPARE_SCANS(DirectPath(0.0, c0, 1.0, -3.0, 7.0));
        COMPARE_SCANS(DirectPath(1e-160, c0, 1.0, -3.0, 7.0)); // velocities near underflow
    }

    // Model 1 in a thin hall duct meets the trial coefficient twice at 2 m
    // and never at 1 m; in between the two meetings merge into a touch.
    void tangentCrossings()
    {
        auto path = [](double length) {
            return PathOf(HallState(0.1, length, kHallInlets[2].lossCoefficient, 1.2, 10.0), 1);
        };
        double none = 1.0;
        double two = 2.0;
        QVERIFY(!ScanReference(path(none)).found);
        QVERIFY(ScanReference(path(two)).found);
        for (int step = 0; step < 40; ++step) {
            const double middle = 0.5 * (none + two);
            (ScanReference(path(middle)).found ? two : none) = middle;
        }
        const double touch = two;
        int found = 0;
        int compared = 0;
        for (double offset : {0.0, 1e-15, 1e-13, 1e-11, 1e-9, 1e-7, 1e-5, 1e-3}) {
            for (double side : {-1.0, 1.0}) {
                const AirPath p = path(touch * (1.0 + side * offset));
                COMPARE_SCANS(p);
                found += ScanReference(p).found;
                ++compared;
            }
        }
        for (double length : {std::nextafter(touch, 0.0), std::nextafter(none, 3.0)}) {
            COMPARE_SCANS(path(length));
            ++compared;
        }
        // Both sides of the touch were compared.
        QVERIFY(found > 0 && found < compared);

        // Near a touch over a thousand points lie within the tolerance; the
        // fast scan evaluates only those that could be the nearest.
        const AirPath near = PathOf(HallState(0.3, 14.97, 0.1, 1.2, 10.0), 19);
        FastScanStatistics statistics;
        ScanFast(near, statistics);
        QVERIFY(WithinTolerance(Differences(near)) >= 1000);
        QVERIFY2(statistics.evaluatedPoints <= 200,
                 qPrintable(QString::number(statistics.evaluatedPoints)));
        COMPARE_SCANS(near);
    }

    // So steep that the characteristic jumps across the trial coefficient
    // between two scan points, and further than the trial coefficient is from
    // zero: the characteristic beside the change of sign is positive, but the
    // operating point is the trial coefficient there, on the crossing.
    void crossingWithAPositiveCharacteristic()
    {
        // P(s) = -s^2 - c0 - c1 s with a crossing near s = 0.5, c = s.
        const double slope = 1.3e6;
        const double s = 0.5 + 0.63e-6;
        const AirPath path = DirectPath(1.0, -slope * s - s * s, slope, 0.0, 0.0);
        const std::vector<double> d = Differences(path);
        QCOMPARE(WithinTolerance(d), std::size_t{0});
        QCOMPARE(SignChanges(d), std::size_t{1});
        COMPARE_SCANS(path);
        const ScanMatch match = ScanReference(path);
        QVERIFY(match.found);
        QVERIFY(std::fabs(match.matched - (-s * s)) <= 1e-6);
    }

    // Any cubic: three crossings, a crossing at each end, a touch.
    void characteristicsOutsideTheCatalogue_data()
    {
        QTest::addColumn<AirPath>("path");
        // P(s) = -k (s - r1)(s - r2)(s - r3) and Cp(c) = -c^2 - P(c) with c = s.
        auto crossings = [](double k, double r1, double r2, double r3) {
            const double p0 = k * r1 * r2 * r3;
            const double p1 = -k * (r1 * r2 + r1 * r3 + r2 * r3);
            const double p2 = k * (r1 + r2 + r3);
            const double p3 = -k;
            return DirectPath(1.0, -p0, -p1, -1.0 - p2, -p3);
        };
        const double first = std::sqrt(0.55);
        const double last = std::sqrt(-AllTrials().back());
        QTest::newRow("three crossings") << crossings(10.0, 0.15, 0.4, 0.65);
        QTest::newRow("three shallow crossings") << crossings(0.01, 0.15, 0.4, 0.65);
        QTest::newRow("three steep crossings") << crossings(1e5, 0.15, 0.4, 0.65);
        QTest::newRow("crossing at the first point") << crossings(3.0, first, -1.0, -2.0);
        QTest::newRow("crossing at the last point") << crossings(3.0, last, -1.0, -2.0);
        QTest::newRow("double root") << crossings(2.0, 0.3, 0.3, 5.0);
        QTest::newRow("triple root") << crossings(2.0, 0.3, 0.3, 0.3);
        QTest::newRow("linear, steep") << DirectPath(1.0, -0.3, 40.0, 0.0, 0.0);
        QTest::newRow("quadratic") << DirectPath(3.0, -0.4, 0.25, -0.016, 0.0);
    }
    void characteristicsOutsideTheCatalogue()
    {
        QFETCH(AirPath, path);
        COMPARE_SCANS(path);
    }

    // Model 22 has no cubic term.
    void quadraticCharacteristic_data()
    {
        QTest::addColumn<CalcState>("state");
        for (double wind : {0.5, 3.0, 8.0, 20.0, 40.0}) {
            QTest::addRow("hall, wind %g", wind) << HallState(0.4, 3.0, 0.5, 1.2, wind);
            CalcState building = BuildingState();
            building.WindSpeed = wind;
            QTest::addRow("building, wind %g", wind) << building;
        }
    }
    void quadraticCharacteristic()
    {
        QFETCH(CalcState, state);
        COMPARE_SCANS(PathOf(state, 22));
    }

    // From velocities below the normal range of double to the largest that
    // the inputs allow; without wind and near the underflow the ranges are
    // bounded through the velocities, otherwise through the polynomial.
    void extremeWinds_data()
    {
        QTest::addColumn<double>("wind");
        QTest::addColumn<bool>("byPolynomial");
        QTest::newRow("none") << 0.0 << false;
        QTest::newRow("1e-320") << 1e-320 << false;
        QTest::newRow("1e-200") << 1e-200 << false;
        QTest::newRow("1e-150") << 1e-150 << true;
        QTest::newRow("1e-3") << 1e-3 << true;
        QTest::newRow("100") << 100.0 << true;
        QTest::newRow("1e4") << 1e4 << true;
        QTest::newRow("1e30") << 1e30 << true;
        QTest::newRow("1e60") << 1e60 << true;
    }
    void extremeWinds()
    {
        QFETCH(double, wind);
        QFETCH(bool, byPolynomial);
        for (int model : {1, 5, 22, 25, 27}) {
            const PreparedAirPath prepared =
                PrepareAirPath(HallState(0.16, 5.0, 0.5, 1.2, wind), LookUpVentilator(model));
            if (prepared.refusal != Refusal::None)
                continue;
            COMPARE_SCANS(prepared.path);
            FastScanStatistics statistics;
            ScanFast(prepared.path, statistics);
            QCOMPARE(statistics.byPolynomial, byPolynomial);
        }
    }

    // The strongest wind that the inputs allow, and just below it.
    void strongestAcceptedWind()
    {
        const CalcState hall = HallState(0.16, 5.0, 0.5, 1.2, 4.0);
        for (int model : {1, 13, 22, 26}) {
            double accepted = 1.0;
            double refused = 1e300;
            for (int step = 0; step < 2000 && std::nextafter(accepted, refused) < refused; ++step) {
                const double middle = std::sqrt(accepted) * std::sqrt(refused);
                const double next = middle > accepted && middle < refused
                                        ? middle
                                        : std::nextafter(accepted, refused);
                CalcState s = hall;
                s.WindSpeed = next;
                const bool ok = PrepareAirPath(s, LookUpVentilator(model)).refusal == Refusal::None;
                (ok ? accepted : refused) = next;
            }
            for (double wind : {accepted, accepted * 0.999, accepted * 1e-3}) {
                CalcState s = hall;
                s.WindSpeed = wind;
                COMPARE_SCANS(PathOf(s, model));
            }
        }
    }

    void extremeDuctsAndDensities_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::newRow("duct of 1 mm") << HallState(1e-3, 5.0, 0.5, 1.2, 10.0);
        QTest::newRow("duct of 100 m") << HallState(100.0, 5.0, 0.5, 1.2, 10.0);
        QTest::newRow("duct of 1 km, storm") << HallState(1000.0, 1.0, 0.1, 1.2, 40.0);
        QTest::newRow("thin air") << HallState(0.16, 5.0, 0.5, 1e-4, 10.0);
        QTest::newRow("dense air") << HallState(0.16, 5.0, 0.5, 1e4, 10.0);
        QTest::newRow("no duct length") << HallState(0.16, 0.0, 0.5, 1.2, 10.0);
        QTest::newRow("long duct") << HallState(0.16, 1e5, 0.5, 1.2, 10.0);
        QTest::newRow("negative inlet loss") << HallState(0.16, 5.0, -0.4, 1.2, 10.0);
    }
    void extremeDuctsAndDensities()
    {
        QFETCH(CalcState, state);
        for (int model = 1; model <= kVentilatorCount; model += 2) {
            const PreparedAirPath prepared = PrepareAirPath(state, LookUpVentilator(model));
            if (prepared.refusal == Refusal::None)
                COMPARE_SCANS(prepared.path);
        }
    }

    // A resistance just above zero gives huge velocities.
    void resistanceNearZero()
    {
        CalcState s = HallState(0.16, 5.0, 0.0, 1.2, 10.0);
        const double rest = PathOf(s, 5).resistance;
        for (double left : {1e-2, 1e-6, 1e-10, 1e-14}) {
            s.LossCoefficient = -rest * s.DuctArea * s.DuctArea * (1.0 - left);
            const PreparedAirPath prepared = PrepareAirPath(s, LookUpVentilator(5));
            if (prepared.refusal == Refusal::None)
                COMPARE_SCANS(prepared.path);
        }
    }
};

QTEST_GUILESS_MAIN(TestFastScan)
#include "test_fast_scan.moc"
