// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "sample_states.h"
#include "trial_list.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool Near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

// Every scan point's signed distance K - Cp, in scan order.
std::vector<double> Differences(const AirPath& path)
{
    std::vector<double> d;
    for (double k : AllTrials())
        d.push_back(k - TrialCharacteristic(path, k));
    return d;
}

} // namespace

Q_DECLARE_METATYPE(CalcState)

class TestOperatingPoint : public QObject {
    Q_OBJECT
private slots:
    void transitionAndFriction()
    {
        QVERIFY(Near(TransitionLoss(0.32, 0.16), 0.54286, 1e-5)); // x = 2
        QVERIFY(Near(TransitionLoss(0.08, 0.16), 4.37415, 1e-6)); // x = 0.5
        QVERIFY(Near(TransitionLoss(0.1, 0.16), 2.5193, 1e-4));   // model 1 in 0.16 m
        // As wide as the duct: the first polynomial; marginally narrower: the second.
        QVERIFY(std::fabs(TransitionLoss(0.16, 0.16) - (-3e-7)) < 1e-12);
        QVERIFY(Near(TransitionLoss(0.16, std::nextafter(0.16, 1.0)), -0.03356, 1e-3));
        QVERIFY(Near(FrictionTerm(1.8, 0.16), 0.133642, 1e-5));
    }

    void scanVisitsEveryTrialCoefficient()
    {
        const std::vector<double>& k = AllTrials();
        QCOMPARE(k.size(), std::size_t{545001});
        QCOMPARE(k.front(), -0.55);
        QVERIFY(k.back() <= kScanEnd);
        QVERIFY(k.back() + kScanStep > kScanEnd);
        QCOMPARE(k[1], -0.55 + 1e-6);
        QCOMPARE(kTrialCount, k.size());
        // Each coefficient from its checkpoint is the repeated addition's, bit for bit.
        for (std::size_t i = 0; i < k.size(); ++i) {
            if (TrialCoefficient(i) != k[i])
                QFAIL(qPrintable(QString("K[%1] differs").arg(i)));
        }
    }

    // Qh as the report shows it, and M, the characteristic at the best point,
    // which the results come from: pf = -0.6 v² M, c = Qh / 3600 / (π D² / 4).
    void workedExamples_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("flowPerHour");
        QTest::addColumn<double>("matched");
        QTest::addColumn<double>("suction");
        QTest::addColumn<double>("velocity");
        QTest::newRow("hall, model 5")
            << HallState(0.16, 5.0, 0.5, 1.2, 4.0) << 5 << "153.3861" << -0.393253203585996
            << 3.77523075442556 << 2.11911009313505;
        QTest::newRow("building, model 5")
            << BuildingState() << 5 << "82.4970" << -0.489360146784885 << 4.69785740913490
            << 1.13974030658917;
        QTest::newRow("hall, model 1 narrower than the duct")
            << HallState(0.16, 5.0, 0.5, 1.2, 4.0) << 1 << "52.3387" << -0.479092497806459
            << 4.59928797894201 << 0.723087335328342;
        QTest::newRow("two meetings, the nearer wins")
            << HallState(0.1, 2.0, 0.1, 1.2, 10.0) << 1 << "123.8167" << -0.140449952254330
            << 8.42699713525978 << 4.37911982865543;
        QTest::newRow("negative wind as positive")
            << HallState(0.16, 5.0, 0.5, 1.2, -4.0) << 5 << "153.3861" << -0.393253203585996
            << 3.77523075442556 << 2.11911009313505;
    }
    void workedExamples()
    {
        QFETCH(CalcState, state);
        QFETCH(int, model);
        QFETCH(double, matched);
        QFETCH(double, suction);
        QFETCH(double, velocity);
        const OperatingPoint point = ComputeOperatingPoint(state, LookUpVentilator(model));
        QCOMPARE(point.status, OperatingPointStatus::Found);
        QTEST(QString::fromStdString(FormatFixed(state.FlowPerHour, 4)), "flowPerHour");
        QCOMPARE(point.matched, matched);
        QCOMPARE(state.VentilatorSuction, suction);
        QCOMPARE(state.DuctVelocity, velocity);
        QCOMPARE(state.ResultsShown, true);
        QCOMPARE(state.ResultsPrintable, true);
    }

    void hallIntermediateValues()
    {
        const CalcState s = HallState(0.16, 5.0, 0.5, 1.2, 4.0);
        const PreparedAirPath prepared = PrepareAirPath(s, LookUpVentilator(5));
        QCOMPARE(prepared.refusal, Refusal::None);
        QVERIFY(Near(prepared.path.resistance, 3465.98, 2e-6));
        QVERIFY(Near(ScanReference(prepared.path).matched, -0.393253, 2e-6));
    }

    void twoMeetingsTakeTheSmallerDistance()
    {
        const CalcState s = HallState(0.1, 2.0, 0.1, 1.2, 10.0);
        const AirPath path = PrepareAirPath(s, LookUpVentilator(1)).path;
        const std::vector<double> d = Differences(path);
        // Two separate runs of points within the tolerance, each with its best.
        std::vector<std::pair<std::size_t, double>> runs; // best index, best distance
        for (std::size_t i = 0; i < d.size(); ++i) {
            if (std::fabs(d[i]) > kScanTolerance)
                continue;
            if (runs.empty() || std::fabs(d[i - 1]) > kScanTolerance)
                runs.push_back({i, std::fabs(d[i])});
            else if (std::fabs(d[i]) < runs.back().second)
                runs.back() = {i, std::fabs(d[i])};
        }
        QCOMPARE(runs.size(), std::size_t{2});
        QVERIFY(runs[1].second < runs[0].second); // the later meeting is nearer
        const double k = AllTrials()[runs[1].first];
        QCOMPARE(ScanReference(path).matched, TrialCharacteristic(path, k));
    }

    // Where no scan point comes within the tolerance, the operating point lies
    // on the crossing itself: M within one step of the root of K - Cp, found
    // here by bisection.
    void steepCrossingLiesOnTheCrossing_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("flowPerHour");
        QTest::addColumn<QString>("velocity");
        QTest::newRow("hall 0.5 m, model 25, 15 m/s")
            << HallState(0.5, 1.0, 0.1, 1.2, 15.0) << 25 << "616.42"
            << "0.87";
        QTest::newRow("hall 0.24 m, model 25, 18 m/s")
            << HallState(0.24, 14.0, 0.1, 1.2, 18.0) << 25 << "155.45"
            << "0.95";
        QTest::newRow("0.02 m without losses, model 11, 19.2 m/s")
            << HallState(0.02, 0.0, 0.0, 1.2, 19.2) << 11 << "86.94"
            << "76.87";
    }
    void steepCrossingLiesOnTheCrossing()
    {
        QFETCH(CalcState, state);
        QFETCH(int, model);
        const AirPath path = PrepareAirPath(state, LookUpVentilator(model)).path;
        const std::vector<double> d = Differences(path);
        QVERIFY(std::none_of(d.begin(), d.end(),
                             [](double x) { return std::fabs(x) <= kScanTolerance; }));
        const OperatingPoint point = EvaluateOperatingPoint(state, LookUpVentilator(model));
        QCOMPARE(point.status, OperatingPointStatus::Found);
        double low = point.matched - 2e-6;
        double high = point.matched + 2e-6;
        const auto f = [&](double k) { return k - TrialCharacteristic(path, k); };
        QVERIFY(f(low) * f(high) < 0.0);
        for (int i = 0; i < 200; ++i) {
            const double middle = 0.5 * (low + high);
            (f(middle) * f(low) > 0.0 ? low : high) = middle;
        }
        QVERIFY2(std::fabs(point.matched - low) <= 1e-6, qPrintable(QString::number(low, 'g', 17)));
        QTEST(QString::fromStdString(FormatFixed(point.flowPerHour, 2)), "flowPerHour");
        QTEST(QString::fromStdString(FormatFixed(point.ductVelocity, 2)), "velocity");
    }

    // KALMO-160 in the hall example above about 12.7 m/s meets the trial
    // coefficient twice: both operating points are reported, the nearer chosen.
    void everyOperatingPointIsReported_data()
    {
        QTest::addColumn<double>("wind");
        QTest::addColumn<QStringList>("flows");
        QTest::addColumn<int>("chosen");
        QTest::newRow("4 m/s") << 4.0 << QStringList{"153.39"} << 0;
        QTest::newRow("13 m/s") << 13.0 << QStringList{"296.24", "567.50"} << 1;
    }
    void everyOperatingPointIsReported()
    {
        QFETCH(double, wind);
        QFETCH(QStringList, flows);
        const OperatingPoint point =
            EvaluateOperatingPoint(HallState(0.16, 5.0, 0.5, 1.2, wind), LookUpVentilator(5));
        QStringList found;
        for (std::size_t i = 0; i < point.count; ++i)
            found << QString::fromStdString(FormatFixed(point.flowsPerHour[i], 2));
        QCOMPARE(found, flows);
        QTEST(static_cast<int>(point.chosen), "chosen");
        QCOMPARE(point.flowsPerHour[point.chosen], point.flowPerHour);
    }

    void windZeroMatchesTheConstantTerm()
    {
        CalcState s = HallState(0.16, 5.0, 0.5, 1.2, 0.0);
        const OperatingPoint point = ComputeOperatingPoint(s, LookUpVentilator(5));
        QCOMPARE(point.status, OperatingPointStatus::Found);
        QCOMPARE(point.matched, -0.501937);
        QCOMPARE(s.FlowPerHour, 0.0);
        QCOMPARE(s.VentilatorSuction, 0.0);
        QCOMPARE(s.DuctVelocity, 0.0);
        QCOMPARE(s.ResultsShown, true);
    }

    void failureWritesNothing_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("refusal");
        const int none = static_cast<int>(OperatingPointStatus::NoOperatingPoint);
        const int refused = static_cast<int>(OperatingPointStatus::Refused);
        auto with = [](CalcState s, auto change) {
            change(s);
            return s;
        };
        const CalcState hall = HallState(0.16, 5.0, 0.5, 1.2, 4.0);
        QTest::newRow("no crossing at all")
            << HallState(0.1, 1.0, 0.1, 1.2, 10.0) << 1 << none << int(Refusal::None);
        QTest::newRow("right after start-up")
            << CalcState{} << 1 << refused << int(Refusal::DuctDiameter);
        QTest::newRow("negative diameter")
            << with(hall, [](CalcState& s) { s.DuctDiameter = -0.16; }) << 5 << refused
            << int(Refusal::DuctDiameter);
        QTest::newRow("zero area") << with(hall, [](CalcState& s) { s.DuctArea = 0.0; }) << 5
                                   << refused << int(Refusal::DuctArea);
        QTest::newRow("zero density") << with(hall, [](CalcState& s) { s.AirDensity = 0.0; }) << 5
                                      << refused << int(Refusal::AirDensity);
        QTest::newRow("negative density") << with(hall, [](CalcState& s) { s.AirDensity = -1.2; })
                                          << 5 << refused << int(Refusal::AirDensity);
        QTest::newRow("building without grille area")
            << with(BuildingState(), [](CalcState& s) { s.GrilleArea = 0.0; }) << 5 << refused
            << int(Refusal::GrilleArea);
        QTest::newRow("negative resistance")
            << with(hall, [](CalcState& s) { s.DuctLength = -100.0; }) << 5 << refused
            << int(Refusal::Resistance);
        QTest::newRow("infinite wind") << with(hall, [](CalcState& s) { s.WindSpeed = HUGE_VAL; })
                                       << 5 << refused << int(Refusal::NonFiniteInput);
        QTest::newRow("undefined length")
            << with(hall, [](CalcState& s) { s.DuctLength = std::nan(""); }) << 5 << refused
            << int(Refusal::NonFiniteInput);
        QTest::newRow("infinite grille area in a building")
            << with(BuildingState(), [](CalcState& s) { s.GrilleArea = HUGE_VAL; }) << 5 << refused
            << int(Refusal::NonFiniteInput);
        QTest::newRow("storm beyond the range of double")
            << with(hall, [](CalcState& s) { s.WindSpeed = 1e200; }) << 5 << refused
            << int(Refusal::OutOfRange);
    }
    void failureWritesNothing()
    {
        QFETCH(CalcState, state);
        QFETCH(int, model);
        state.FlowPerHour = 11.0; // results of an earlier run stay
        state.ResultsShown = true;
        const CalcState before = state;
        const OperatingPoint point = ComputeOperatingPoint(state, LookUpVentilator(model));
        QTEST(static_cast<int>(point.status), "status");
        QTEST(static_cast<int>(point.refusal), "refusal");
        CalcState after = state;
        CalcState expected = before;
        if (std::isnan(before.DuctLength)) { // NaN is never equal to itself
            QVERIFY(std::isnan(after.DuctLength));
            after.DuctLength = expected.DuctLength = 0.0;
        }
        QVERIFY(after == expected);
        if (point.status == OperatingPointStatus::Refused)
            QVERIFY(!RefusalText(point.refusal).empty());
    }

    void hallIgnoresTheGrilleArea()
    {
        CalcState s = HallState(0.16, 5.0, 0.5, 1.2, 4.0);
        s.GrilleArea = 0.0;
        QCOMPARE(EvaluateOperatingPoint(s, LookUpVentilator(5)).status,
                 OperatingPointStatus::Found);
    }
};

QTEST_GUILESS_MAIN(TestOperatingPoint)
#include "test_operating_point.moc"
