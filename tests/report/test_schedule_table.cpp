#include "report/schedule_table.h"

#include <QtTest>

namespace {

// A top-storey flat: a gas kitchen under a weak ventilator beside a bathroom
// under a strong one, one small inlet, judged at the design wind.
Schedule GasKitchenFlat()
{
    Schedule s;
    s.building.storeyHeight = 2.8;
    s.building.condition = ScheduleCondition::Wind;
    ScheduleRow kitchen;
    kitchen.label = "Kuchnia";
    kitchen.storey = 5;
    kitchen.room = 1;
    kitchen.model = 7;
    kitchen.flat = "M5";
    ScheduleRow bathroom = kitchen;
    bathroom.label = "Łazienka";
    bathroom.room = 5;
    bathroom.diameter = 0.2;
    bathroom.model = 14;
    ScheduleRow open = bathroom;
    open.label = "Otwarte";
    open.flat.clear();
    s.rows = {kitchen, bathroom, open};
    FlatSupply supply;
    supply.flat = "M5";
    supply.storey = 5;
    supply.inlets = 1;
    supply.inletFlow = 10.0;
    s.flats = {supply};
    return s;
}

QString Cell(const Schedule& s, const ScheduleResult& r, std::size_t row, ScheduleColumn column)
{
    return QString::fromStdString(ScheduleCell(s.rows[row], r.rows[row], column));
}

} // namespace

class TestScheduleTable : public QObject {
    Q_OBJECT
private slots:
    // The flat, its underpressure by condition, the backdraught verdict, and
    // the lines of the printout and the text; a row without a flat as before.
    void flatColumnsAndLines()
    {
        const Schedule s = GasKitchenFlat();
        const ScheduleResult r = ComputeSchedule(s);
        QCOMPARE(Cell(s, r, 0, ScheduleColumn::Flat), QStringLiteral("M5"));
        QCOMPARE(Cell(s, r, 0, ScheduleColumn::Verdict), QStringLiteral("ciąg wsteczny"));
        QCOMPARE(Cell(s, r, 1, ScheduleColumn::Underpressure),
                 QStringLiteral("0.93 / 5.20 / 6.12"));
        QCOMPARE(Cell(s, r, 2, ScheduleColumn::Underpressure), QStringLiteral("–"));
        QCOMPARE(Cell(s, r, 2, ScheduleColumn::Flat), QString());
        const QString text = QString::fromStdString(ScheduleText(s, r));
        QVERIFY(text.contains("\nNIEBEZPIECZEŃSTWO: ciąg wsteczny w kuchni z kuchenką gazową "
                              "Kuchnia (mieszkanie M5, kondygnacja 5; "));
        QVERIFY(text.contains("\nMieszkanie M5 (kondygnacja 5): nawiewniki 1 × 10.0 m3/h przy "
                              "10.00 Pa, nieszczelności 0.0 m3/h przy 10.00 Pa; "));
        const QString csv = QString::fromStdString(ScheduleCsv(s, r, true));
        QVERIFY(csv.contains(";M5;"));
    }
};

QTEST_GUILESS_MAIN(TestScheduleTable)
#include "test_schedule_table.moc"
