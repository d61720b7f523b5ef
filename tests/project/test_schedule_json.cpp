#include "project/project_file.h"

#include <QtTest>

namespace {

Project WithSchedule()
{
    Project project;
    ResetCalcState(project.state);
    Schedule schedule = ScheduleTemplate();
    schedule.building.densityTyped = false;
    schedule.building.temperature = -5;
    schedule.building.windSpeed = 0.1 + 0.2; // not a short decimal
    schedule.building.condition = ScheduleCondition::WindStack;
    schedule.rows[0].room = 0;
    schedule.rows[0].typedNeed = 42.5;
    schedule.rows[0].label = "M3 kuchnia „A”";
    schedule.rows[1].grille = ScheduleGrille::Round;
    schedule.rows[1].model = 27;
    project.schedule = schedule;
    return project;
}

} // namespace

class TestScheduleJson : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void damagedScheduleRefused_data();
    void damagedScheduleRefused();
};

void TestScheduleJson::roundTrip()
{
    const Project project = WithSchedule();
    const auto parsed = ParseProject(ProjectBytes(project).Value());
    QVERIFY(!parsed.Failed());
    QVERIFY(parsed.Value().schedule == project.schedule);

    Project plain;
    ResetCalcState(plain.state);
    const auto without = ParseProject(ProjectBytes(plain).Value());
    QVERIFY(!without.Value().schedule.has_value());
}

void TestScheduleJson::damagedScheduleRefused_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("reason");
    QTest::newRow("material") << QByteArray("\"Material\": 6") << QByteArray("\"Material\": 7")
                              << "zestawienie przewodów jest uszkodzone (wiersz 1: pole Material "
                                 "nie jest liczbą całkowitą od 1 do 6)";
    QTest::newRow("model") << QByteArray("\"Model\": \"dobierz\"") << QByteArray("\"Model\": \"x\"")
                           << "zestawienie przewodów jest uszkodzone (wiersz 1: pole Model nie "
                              "jest liczbą całkowitą od 1 do 27)";
    QTest::newRow("condition")
        << QByteArray("\"windStack\"") << QByteArray("\"storm\"")
        << "zestawienie przewodów jest uszkodzone (budynek: pole Condition ma nieznaną wartość)";
    QTest::newRow("rows") << QByteArray("\"Rows\"") << QByteArray("\"Wiersze\"")
                          << "zestawienie przewodów jest uszkodzone (brak listy Rows lub ponad "
                             "10000 wierszy)";
}

// One bad field refuses the whole file, naming the row and the field.
void TestScheduleJson::damagedScheduleRefused()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, reason);
    QByteArray bytes = ProjectBytes(WithSchedule()).Value();
    const qsizetype at = bytes.indexOf(from);
    QVERIFY(at >= 0);
    bytes.replace(at, from.size(), to);
    const auto parsed = ParseProject(bytes);
    QVERIFY(parsed.Failed());
    QCOMPARE(ReasonOf(parsed), reason);
}

QTEST_GUILESS_MAIN(TestScheduleJson)
#include "test_schedule_json.moc"
