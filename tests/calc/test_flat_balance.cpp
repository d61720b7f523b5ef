// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/flat_balance.h"
#include "calc/number_format.h"
#include "calc/schedule.h"

#include <QtTest>

#include <cmath>

namespace {

// A duct of the top storey of a 5-storey block, 2.8 m a storey.
ScheduleRow Duct(const char* label, int room, int model, double diameter = 0.16)
{
    ScheduleRow row;
    row.label = label;
    row.storey = 5;
    row.room = room;
    row.diameter = diameter;
    row.model = model;
    row.flat = "M5";
    return row;
}

Schedule Flat(std::vector<ScheduleRow> rows, int inlets, double inletFlow, double leakFlow = 0.0)
{
    Schedule s;
    s.building.storeyHeight = 2.8;
    s.building.condition = ScheduleCondition::WindStack;
    s.rows = std::move(rows);
    FlatSupply supply;
    supply.flat = "M5";
    supply.storey = 5;
    supply.inlets = inlets;
    supply.inletFlow = inletFlow;
    supply.leakFlow = leakFlow;
    s.flats = {supply};
    return s;
}

// A single run of the row at the underpressure pf: the wind + stack point from rest.
double SingleRun(const Schedule& s, double pf)
{
    const RowInputs in = BuildRowInputs(s.building, s.rows[0]);
    StackConditions c = in.stack;
    c.underpressure = pf;
    const StackPoint p = EvaluateStackPoint(in.state, LookUpVentilator(s.rows[0].model), c);
    return p.status == StackStatus::Found ? p.flowPerHour : 0.0;
}

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

} // namespace

class TestFlatBalance : public QObject {
    Q_OBJECT
private slots:
    // The supply written out: 2 inlets of 30 m3/h at 10 Pa (n 0.5) and leaks of
    // 20 m3/h at 50 Pa (n 0.67), at 10 Pa.
    void supplyCharacteristic()
    {
        FlatSupply s;
        s.inlets = 2;
        s.leakFlow = 20.0;
        s.leakPressure = 50.0;
        QCOMPARE(SupplyFlow(s, 10.0, 2), 60.0 + 20.0 * std::pow(0.2, 0.67));
        QCOMPARE(SupplyFlow(s, 0.0, 2), 0.0);
    }

    // The one-duct balance against this test's own bisection over single runs.
    void oneDuctIntersection_data()
    {
        QTest::addColumn<int>("inlets");
        QTest::addColumn<double>("inletFlow");
        QTest::newRow("one inlet of 30 m3/h") << 1 << 30.0;
        QTest::newRow("two inlets of 15 m3/h") << 2 << 15.0;
        QTest::newRow("one inlet of 5 m3/h") << 1 << 5.0;
    }
    void oneDuctIntersection()
    {
        QFETCH(int, inlets);
        QFETCH(double, inletFlow);
        const Schedule s = Flat({Duct("Kuchnia", 1, 14, 0.2)}, inlets, inletFlow);
        double low = 0.0, high = 50.0;
        for (int step = 0; step < 200; ++step) {
            const double middle = 0.5 * (low + high);
            const double in = inlets * inletFlow * std::sqrt(middle / 10.0);
            (SingleRun(s, middle) > in ? low : high) = middle;
        }
        const ScheduleResult r = ComputeSchedule(s);
        const ConditionResult& c = r.rows[0].Of(ScheduleCondition::WindStack);
        QVERIFY(std::fabs(c.underpressure - low) < kBalanceTolerance);
        QVERIFY(c.underpressure > 0.0);
        QVERIFY(std::fabs(c.point.flowPerHour - SingleRun(s, low)) < 1e-4);
    }

    // Two ducts' flows add up to what comes in.
    void twoDuctsSumToInflow()
    {
        const Schedule s =
            Flat({Duct("Kuchnia", 1, 14, 0.2), Duct("Łazienka", 5, 6)}, 2, 30.0, 10.0);
        const ScheduleResult r = ComputeSchedule(s);
        for (int c = 0; c < kScheduleConditionCount; ++c) {
            const auto condition = static_cast<ScheduleCondition>(c);
            const double sum = r.rows[0].Of(condition).point.flowPerHour +
                               r.rows[1].Of(condition).point.flowPerHour;
            const FlatBalance& b = r.flats[0].balance[static_cast<std::size_t>(c)];
            QCOMPARE(b.status, BalanceStatus::Found);
            QVERIFY(std::fabs(sum - b.inflowPerHour) < 1e-6);
            QVERIFY(std::fabs(b.inflowPerHour - SupplyFlow(s.flats[0], b.underpressure, 2)) < 1e-9);
            QCOMPARE(r.rows[0].Of(condition).underpressure, b.underpressure);
        }
    }

    // KALMO-160 at the design wind: g rises at rest, so its flow from rest
    // drops to nothing at once where pf passes its draught; the balance falls
    // into that jump: said in words, no number.
    void foldHasNoBalance()
    {
        const Schedule s =
            Flat({Duct("Kuchnia", 1, 14, 0.2), Duct("Łazienka", 5, 5)}, 2, 30.0, 10.0);
        const ScheduleResult r = ComputeSchedule(s);
        const auto wind = static_cast<std::size_t>(ScheduleCondition::Wind);
        QCOMPARE(r.flats[0].balance[wind].status, BalanceStatus::Fold);
        QVERIFY(!r.rows[1].Of(ScheduleCondition::Wind).Found());
        QVERIFY(QString::fromStdString(FlatLines(s, r)[0])
                    .contains("wiatr obliczeniowy: brak bilansu – przepływ przewodów zmienia "
                              "się skokowo (fałd charakterystyki wywietrznika), żaden stan nie "
                              "równoważy nawiewu i wywiewu;"));
    }

    // A huge inlet leaves the flat open: the open room's numbers.
    void hugeInletIsOpenRoom()
    {
        Schedule s = Flat({Duct("Kuchnia", 1, 14, 0.2), Duct("WC", 6, 5)}, 10, 100000.0);
        const ScheduleResult flat = ComputeSchedule(s);
        for (ScheduleRow& row : s.rows)
            row.flat.clear();
        s.flats.clear();
        const ScheduleResult open = ComputeSchedule(s);
        for (std::size_t i = 0; i < 2; ++i) {
            for (auto c : {ScheduleCondition::Calm, ScheduleCondition::WindStack}) {
                QCOMPARE(Fixed(flat.rows[i].Of(c).point.flowPerHour, 2),
                         Fixed(open.rows[i].Of(c).point.flowPerHour, 2));
                QVERIFY(flat.rows[i].Of(c).underpressure < 1e-4);
            }
        }
    }

    // No inlet and no leaks: no upward flow, said in words.
    void noSupplyNoFlow()
    {
        const Schedule s = Flat({Duct("Kuchnia", 1, 14, 0.2), Duct("WC", 6, 5)}, 0, 30.0);
        const ScheduleResult r = ComputeSchedule(s);
        for (const RowResult& row : r.rows) {
            QVERIFY(!row.Of(ScheduleCondition::WindStack).Found());
            QVERIFY(!row.meets);
        }
        const std::vector<std::string> lines = FlatLines(s, r);
        QCOMPARE(lines.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(lines[0]).contains(
            "brak nawiewu (ani nawiewników, ani nieszczelności) – żaden przewód nie ma "
            "przepływu w górę"));
    }

    // A top-storey gas kitchen under a weak ventilator beside a strong one and
    // a small inlet, at the design wind: the air comes down the kitchen's duct.
    void gasKitchenBackdraught()
    {
        Schedule s = Flat({Duct("Kuchnia", 1, 7), Duct("Łazienka", 5, 14, 0.2)}, 1, 10.0);
        s.building.condition = ScheduleCondition::Wind;
        const ScheduleResult r = ComputeSchedule(s);
        QVERIFY(r.rows[0].backdraught);
        QVERIFY(!r.rows[0].meets);
        QVERIFY(!r.rows[1].backdraught);
        const std::vector<std::string> danger = DangerLines(s, r);
        QVERIFY(!danger.empty());
        QCOMPARE(QString::fromStdString(danger[0]),
                 QStringLiteral(
                     "NIEBEZPIECZEŃSTWO: ciąg wsteczny w kuchni z kuchenką gazową "
                     "Kuchnia (mieszkanie M5, kondygnacja 5; wiatr obliczeniowy, wiatr + ciąg "
                     "grawitacyjny) – "
                     "spaliny mogą cofać się do mieszkania, zagrożenie życia."));
    }

    // The inlets needed: with that many every duct meets its need, with one
    // fewer not; a duct too weak even in an open flat cannot be helped.
    void inletsNeeded()
    {
        Schedule s = Flat({Duct("Kuchnia", 5, 14, 0.2), Duct("WC", 6, 14, 0.2)}, 1, 20.0);
        const ScheduleResult r = ComputeSchedule(s);
        const InletsNeeded needed = r.flats[0].needed;
        QVERIFY(needed.possible);
        QVERIFY(needed.count > 1);
        for (int extra : {0, -1}) {
            s.flats[0].inlets = needed.count + extra;
            const ScheduleResult again = ComputeSchedule(s);
            QCOMPARE(again.rows[0].meets && again.rows[1].meets, extra == 0);
        }
        s.rows[1].room = 0;
        s.rows[1].typedNeed = 5000.0;
        const ScheduleResult weak = ComputeSchedule(s);
        QVERIFY(!weak.flats[0].needed.possible);
        QCOMPARE(QString::fromStdString(weak.flats[0].neededText),
                 QStringLiteral("Nawiewniki nie pomogą: przewód WC nie zapewnia wymaganej "
                                "wydajności nawet przy otwartym mieszkaniu – trzeba zmienić sam "
                                "przewód lub wywietrznik."));
    }
};

QTEST_GUILESS_MAIN(TestFlatBalance)
#include "test_flat_balance.moc"
