// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers that the comparison window and the command line share: the two
// pressures of a ventilator on its duct, their sampled curves and the sweep of
// the wind speed.
#include "calc/comparison.h"
#include "compare_states.h"
#include "report/report_lines.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

AirPath HandPath(double windPressure, double resistanceDensity, double area, double c0, double c1,
                 double c2, double c3)
{
    AirPath path;
    path.windPressure = windPressure;
    path.resistanceDensity = resistanceDensity;
    path.ductArea = area;
    path.coef[0] = c0;
    path.coef[1] = c1;
    path.coef[2] = c2;
    path.coef[3] = c3;
    return path;
}

bool Near(double a, double b, double relative)
{
    return std::fabs(a - b) <= relative * std::max(1.0, std::fabs(b));
}

} // namespace

class TestComparison : public QObject {
    Q_OBJECT
private slots:
    void availableUnderpressure_data()
    {
        QTest::addColumn<double>("windPressure");
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("flow");
        QTest::addColumn<double>("expected");
        // Cp(c) = -0.5 + 0.1 c + 0.02 c^2 - 0.001 c^3.
        QTest::newRow("at rest: -Coef0 pw") << 9.6 << 0.02 << 0.0 << 4.8;
        // c = 2: Cp = -0.5 + 0.2 + 0.08 - 0.008 = -0.228.
        QTest::newRow("c = 2") << 10.0 << 0.5 << 1.0 << 2.28;
        // c = 10: Cp = -0.5 + 1 + 2 - 1 = 1.5: the ventilator works against the flow.
        QTest::newRow("past the zero") << 2.0 << 0.1 << 1.0 << -3.0;
        QTest::newRow("calm") << 0.0 << 0.1 << 1.0 << 0.0;
    }
    void availableUnderpressure()
    {
        QFETCH(double, windPressure);
        QFETCH(double, area);
        QFETCH(double, flow);
        QFETCH(double, expected);
        const AirPath path = HandPath(windPressure, 1.0, area, -0.5, 0.1, 0.02, -0.001);
        QVERIFY2(Near(AvailableUnderpressure(path, flow), expected, 1e-12),
                 qPrintable(QString::number(AvailableUnderpressure(path, flow), 'g', 17)));
    }

    void requiredPressure_data()
    {
        QTest::addColumn<double>("resistanceDensity");
        QTest::addColumn<double>("flow");
        QTest::addColumn<double>("expected");
        QTest::newRow("no flow") << 4159.0 << 0.0 << 0.0;
        QTest::newRow("Ro Rs Q^2 / 2") << 2.0 << 3.0 << 9.0;
        QTest::newRow("small flow") << 100.0 << 0.01 << 0.005;
    }
    void requiredPressure()
    {
        QFETCH(double, resistanceDensity);
        QFETCH(double, flow);
        QFETCH(double, expected);
        const AirPath path = HandPath(1.0, resistanceDensity, 1.0, -0.5, 0, 0, 0);
        QVERIFY(Near(RequiredPressure(path, flow), expected, 1e-12));
    }

    // The worked hall case: Rs = 3465.98 per m4, Q = 0.042607 m3/s, DPsw = 3.7752 Pa.
    void hallCaseMeetsAtTheOperatingPoint()
    {
        const CalcState state = HallState(1.2, 4.0, 0.16, 5.0);
        const PreparedAirPath prepared = PrepareAirPath(state, LookUpVentilator(5));
        QCOMPARE(prepared.refusal, Refusal::None);
        QVERIFY(Near(prepared.path.resistance, 3465.98, 1e-5));
        QVERIFY(Near(RequiredPressure(prepared.path, 0.042607), 3.7752, 1e-4));
        QVERIFY(Near(AvailableUnderpressure(prepared.path, 0.042607), 3.7752, 1e-4));
        // At rest the ventilator gives -Coef0 pw = 0.501937 * 9.6 Pa.
        QVERIFY(Near(AvailableUnderpressure(prepared.path, 0.0), 0.501937 * 9.6, 1e-12));
    }

    // Every model in a hall and a building: the curves pass through the report's
    // Q and DPsw.
    void curvesMeetAtTheReportsPoint_data()
    {
        QTest::addColumn<bool>("hall");
        QTest::addColumn<int>("model");
        for (int model = 1; model <= kVentilatorCount; ++model) {
            QTest::addRow("hall, model %d", model) << true << model;
            QTest::addRow("building, model %d", model) << false << model;
        }
    }
    void curvesMeetAtTheReportsPoint()
    {
        QFETCH(bool, hall);
        QFETCH(int, model);
        const CalcState state = hall ? HallState(1.2, 4.0, 0.16, 5.0) : BuildingState(4.0);
        const CalcState chosen = ChosenState(state, model);
        QCOMPARE(chosen.ResultsShown, true);

        const PressureCurves curves = SamplePressureCurves(state, LookUpVentilator(model));
        QCOMPARE(curves.refusal, Refusal::None);
        QCOMPARE(curves.point.status, OperatingPointStatus::Found);
        QCOMPARE(curves.point.flowPerHour, chosen.FlowPerHour);
        QCOMPARE(curves.point.ventilatorSuction, chosen.VentilatorSuction);

        const double flow = FlowPerSecond(chosen.FlowPerHour);
        QCOMPARE(curves.flowLimit, 1.5 * flow);
        QCOMPARE(static_cast<int>(curves.samples.size()), kPressureCurveSteps + 2);
        QCOMPARE(curves.samples.front().flow, 0.0);
        QCOMPARE(curves.samples.back().flow, curves.flowLimit);
        int atPoint = 0;
        for (std::size_t i = 0; i < curves.samples.size(); ++i) {
            const PressureSample& s = curves.samples[i];
            if (i > 0)
                QVERIFY(s.flow > curves.samples[i - 1].flow);
            if (s.flow != flow)
                continue;
            ++atPoint;
            QVERIFY2(Near(s.required, chosen.VentilatorSuction, 1e-12),
                     qPrintable(QString::number(s.required - chosen.VentilatorSuction)));
            QVERIFY2(Near(s.available, chosen.VentilatorSuction, 1e-4),
                     qPrintable(QString::number(s.available - chosen.VentilatorSuction)));
        }
        QCOMPARE(atPoint, 1);
        // Below the point the ventilator gives more than the duct needs, above less.
        QVERIFY(curves.samples[1].available > curves.samples[1].required);
        QVERIFY(curves.samples.back().available < curves.samples.back().required);
    }

    void chosenFlowLimit_data()
    {
        QTest::addColumn<double>("limit");
        QTest::addColumn<bool>("taken");
        QTest::newRow("round number") << 0.1 << true;
        QTest::newRow("below the point") << 0.01 << true;
        QTest::newRow("zero: chosen") << 0.0 << false;
        QTest::newRow("negative") << -1.0 << false;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << false;
    }
    void chosenFlowLimit()
    {
        QFETCH(double, limit);
        QFETCH(bool, taken);
        const CalcState state = HallState(1.2, 4.0, 0.16, 5.0);
        const PressureCurves curves = SamplePressureCurves(state, LookUpVentilator(5), 50, limit);
        const double flow = FlowPerSecond(curves.point.flowPerHour);
        QCOMPARE(curves.flowLimit, taken ? limit : 1.5 * flow);
        QCOMPARE(curves.samples.back().flow, curves.flowLimit);
        // The operating flow is a sample when it lies within the range.
        const bool within = flow <= curves.flowLimit;
        QCOMPARE(static_cast<int>(curves.samples.size()), within ? 52 : 51);
        const bool sampled = std::any_of(curves.samples.begin(), curves.samples.end(),
                                         [&](const PressureSample& s) { return s.flow == flow; });
        QCOMPARE(sampled, within);
    }

    void calmHasAPointAtRest()
    {
        const CalcState state = HallState(1.2, 0.0, 0.16, 5.0);
        const PressureCurves curves = SamplePressureCurves(state, LookUpVentilator(5));
        QCOMPARE(curves.point.status, OperatingPointStatus::Found);
        QCOMPARE(curves.point.flowPerHour, 0.0);
        QVERIFY(curves.flowLimit > 0.0);
        QCOMPARE(static_cast<int>(curves.samples.size()), kPressureCurveSteps + 1);
        for (const PressureSample& s : curves.samples)
            QCOMPARE(s.available, 0.0);
        QVERIFY(curves.samples.back().required > 0.0);
    }

    void withoutAPointTheCurvesDoNotMeetWhereTheScanLooks()
    {
        // Model 1 has no operating point in a hall duct of 0.12 m, 1 m long, at 15 m/s.
        const CalcState state = HallState(1.2, 15.0, 0.12, 1.0);
        const VentilatorModel& model = LookUpVentilator(1);
        const PressureCurves curves = SamplePressureCurves(state, model);
        QCOMPARE(curves.refusal, Refusal::None);
        QCOMPARE(curves.point.status, OperatingPointStatus::NoOperatingPoint);
        const AirPath path = PrepareAirPath(state, model).path;
        const double scanned = TrialVelocity(path, kScanStart) * path.ductArea;
        QCOMPARE(curves.flowLimit, 1.1 * scanned);
        QCOMPARE(static_cast<int>(curves.samples.size()), kPressureCurveSteps + 1);
        // Over the flows the scan tries the ventilator always gives more than
        // the duct needs: there is nothing to meet.
        for (const PressureSample& s : curves.samples) {
            if (s.flow <= scanned)
                QVERIFY(s.available > s.required);
        }
        // At the largest scanned flow the duct needs 0.55 pw.
        QVERIFY(Near(RequiredPressure(path, scanned), 0.55 * path.windPressure, 1e-12));
    }

    void refusedInputsGiveNoCurves_data()
    {
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("density");
        QTest::addColumn<int>("refusal");
        QTest::newRow("start-up: no duct") << 0.0 << 1.2 << int(Refusal::DuctDiameter);
        QTest::newRow("no air") << 0.16 << 0.0 << int(Refusal::AirDensity);
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 1.2
                             << int(Refusal::NonFiniteInput);
    }
    void refusedInputsGiveNoCurves()
    {
        QFETCH(double, diameter);
        QFETCH(double, density);
        QFETCH(int, refusal);
        const CalcState state = HallState(density, 4.0, diameter, 5.0);
        const PressureCurves curves = SamplePressureCurves(state, LookUpVentilator(5));
        QCOMPARE(int(curves.refusal), refusal);
        QCOMPARE(curves.point.status, OperatingPointStatus::Refused);
        QVERIFY(curves.samples.empty());
    }

    void windSweepMatchesSinglePoints()
    {
        const CalcState state = HallState(1.2, 7.0, 0.16, 5.0);
        const CalcState before = state;
        const auto sweep = WindSweep(state, LookUpVentilator(5), 0.0, 15.0, 0.25);
        QCOMPARE(state, before);
        QCOMPARE(static_cast<int>(sweep.size()), 61);
        for (std::size_t i = 0; i < sweep.size(); ++i) {
            QCOMPARE(sweep[i].windSpeed, 0.25 * static_cast<double>(i));
            CalcState at = state;
            at.WindSpeed = sweep[i].windSpeed;
            const OperatingPoint single = EvaluateOperatingPoint(at, LookUpVentilator(5));
            QCOMPARE(sweep[i].point.status, single.status);
            QCOMPARE(sweep[i].point.flowPerHour, single.flowPerHour);
            QCOMPARE(sweep[i].point.ventilatorSuction, single.ventilatorSuction);
        }
        // Calm: a point with no flow; 4 m/s: the worked hall case.
        QCOMPARE(sweep[0].point.status, OperatingPointStatus::Found);
        QCOMPARE(sweep[0].point.flowPerHour, 0.0);
        QVERIFY(std::fabs(sweep[16].point.flowPerHour - 153.39) < 0.01);
        // More wind, more air, up to 12 m/s; beyond it the characteristic meets
        // the trial coefficient twice and the closer meeting wins, so Q jumps.
        for (std::size_t i = 1; i <= 48; ++i)
            QVERIFY(sweep[i].point.flowPerHour > sweep[i - 1].point.flowPerHour);
    }

    void windSweepIsSymmetric()
    {
        const CalcState state = HallState(1.2, 4.0, 0.16, 5.0);
        const auto sweep = WindSweep(state, LookUpVentilator(5), -3.0, 3.0, 0.5);
        QCOMPARE(static_cast<int>(sweep.size()), 13);
        for (std::size_t i = 0; i < sweep.size(); ++i)
            QCOMPARE(sweep[i].point.flowPerHour, sweep[sweep.size() - 1 - i].point.flowPerHour);
    }

    void windSweepSteps_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("count");
        QTest::newRow("0:15:5") << 0.0 << 15.0 << 5.0 << 4;
        QTest::newRow("last speed not reached") << 0.0 << 1.0 << 0.3 << 4;
        // (0.3 - 0) / 0.1 is 2.9999999999999996 in doubles: 0.3 still counts.
        QTest::newRow("rounded division") << 0.0 << 0.3 << 0.1 << 4;
        QTest::newRow("one speed") << 4.0 << 4.0 << 1.0 << 1;
        QTest::newRow("zero step") << 0.0 << 15.0 << 0.0 << 0;
        QTest::newRow("negative step") << 0.0 << 15.0 << -1.0 << 0;
        QTest::newRow("backwards") << 15.0 << 0.0 << 1.0 << 0;
        QTest::newRow("NaN step") << 0.0 << 15.0 << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("infinite end") << 0.0 << std::numeric_limits<double>::infinity() << 1.0 << 0;
        QTest::newRow("too many steps") << 0.0 << 15.0 << 1e-5 << 0;
        QTest::newRow("most steps") << 0.0 << 1.0 << 1e-5 << 100001;
    }
    void windSweepSteps()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, step);
        QFETCH(int, count);
        // Inputs refused at once keep the longest sweeps quick; the speeds are
        // the same whatever the inputs.
        const CalcState state = HallState(1.2, 4.0, 0.0, 5.0);
        const auto sweep = WindSweep(state, LookUpVentilator(5), from, to, step);
        QCOMPARE(static_cast<int>(sweep.size()), count);
        if (count > 0)
            QCOMPARE(sweep.back().windSpeed, from + (count - 1) * step);
    }

    void windSweepOfRefusedInputs()
    {
        const CalcState state = HallState(1.2, 4.0, 0.0, 5.0);
        const auto sweep = WindSweep(state, LookUpVentilator(5), 0.0, 2.0, 1.0);
        QCOMPARE(static_cast<int>(sweep.size()), 3);
        for (const WindSweepPoint& p : sweep) {
            QCOMPARE(p.point.status, OperatingPointStatus::Refused);
            QCOMPARE(p.point.refusal, Refusal::DuctDiameter);
        }
    }
};

QTEST_GUILESS_MAIN(TestComparison)
#include "test_comparison.moc"
