#include "project/project_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    QCOMPARE(parsed.Value().schedule->flats.size(), std::size_t{5});

    // A file of format 2 has no flats: its schedule opens with none.
    Project old = project;
    for (ScheduleRow& row : old.schedule->rows)
        row.flat.clear();
    old.schedule->flats.clear();
    QJsonObject root = QJsonDocument::fromJson(ProjectBytes(old).Value()).object();
    QJsonObject schedule = root.value("Schedule").toObject();
    schedule.remove("Flats");
    QJsonArray rows;
    for (const QJsonValue row : schedule.value("Rows").toArray()) {
        QJsonObject fields = row.toObject();
        fields.remove("Flat");
        rows.append(fields);
    }
    schedule.insert("Rows", rows);
    root.insert("Schedule", schedule);
    root.insert("formatVersion", 2);
    const auto older = ParseProject(QJsonDocument(root).toJson());
    QVERIFY2(!older.Failed(), qPrintable(ReasonOf(older)));
    QVERIFY(older.Value().schedule == old.schedule);

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
    QTest::newRow("negative inlets")
        << QByteArray("\"Inlets\": 4") << QByteArray("\"Inlets\": -1")
        << "zestawienie przewodów jest uszkodzone (mieszkanie 1: pole Inlets: liczba "
           "nawiewników musi być od 0 do 10000)";
    QTest::newRow("inlet flow 0 with inlets")
        << QByteArray("\"InletFlow\": 30") << QByteArray("\"InletFlow\": 0")
        << "zestawienie przewodów jest uszkodzone (mieszkanie 1: pole InletFlow: przepływ "
           "nawiewnika musi być dodatni (m3/h), gdy są nawiewniki)";
    QTest::newRow("exponent") << QByteArray("\"LeakExponent\": 0.67")
                              << QByteArray("\"LeakExponent\": 1.2")
                              << "zestawienie przewodów jest uszkodzone (mieszkanie 1: pole "
                                 "LeakExponent: wykładnik nieszczelności musi być od 0.5 do 1)";
    QTest::newRow("reference pressure")
        << QByteArray("\"InletPressure\": 10") << QByteArray("\"InletPressure\": 0")
        << "zestawienie przewodów jest uszkodzone (mieszkanie 1: pole InletPressure: ciśnienie "
           "odniesienia nawiewnika musi być dodatnie (Pa))";
    QTest::newRow("unknown field")
        << QByteArray("\"LeakFlow\"") << QByteArray("\"Leaks\"")
        << "zestawienie przewodów jest uszkodzone (mieszkanie 1: nieznane pole Leaks)";
    QTest::newRow("flat not listed")
        << QByteArray("\"Flat\": \"M1\"") << QByteArray("\"Flat\": \"M9\"") // the list comes first
        << "zestawienie przewodów jest uszkodzone (wiersz 1: pole Flat: mieszkania „M1” na "
           "kondygnacji 1 nie ma na liście Flats)";
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
