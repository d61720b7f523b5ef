// SPDX-License-Identifier: GPL-3.0-or-later
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
    schedule.rows[2].model = 0; // "dobierz"
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

    // The year condition keeps its period and share.
    Project year = project;
    year.schedule->building.condition = ScheduleCondition::Year;
    year.schedule->building.yearPeriod = "11-3";
    year.schedule->building.yearShare = 85.5;
    const QJsonObject building = QJsonDocument::fromJson(ProjectBytes(year).Value())
                                     .object()["Schedule"]
                                     .toObject()["Building"]
                                     .toObject();
    QCOMPARE(building["Condition"].toString(), QStringLiteral("year"));
    QCOMPARE(building["YearPeriod"].toString(), QStringLiteral("11-3"));
    QCOMPARE(building["YearShare"].toDouble(), 85.5);
    QVERIFY(ParseProject(ProjectBytes(year).Value()).Value().schedule == year.schedule);

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

    // "jeden model w pionie": kept when on, absent from the file when off.
    Project riser = project;
    riser.schedule->building.oneModelPerRiser = true;
    const QByteArray riserBytes = ProjectBytes(riser).Value();
    QVERIFY(riserBytes.contains("\"OneModelPerRiser\": true"));
    QVERIFY(ParseProject(riserBytes).Value().schedule == riser.schedule);
    QVERIFY(!ProjectBytes(project).Value().contains("OneModelPerRiser"));

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
    QTest::newRow("model") << QByteArray("\"Model\": 14") << QByteArray("\"Model\": \"x\"")
                           << "zestawienie przewodów jest uszkodzone (wiersz 1: pole Model nie "
                              "jest liczbą całkowitą od 1 do 27)";
    QTest::newRow("condition")
        << QByteArray("\"windStack\"") << QByteArray("\"storm\"")
        << "zestawienie przewodów jest uszkodzone (budynek: pole Condition ma nieznaną wartość)";
    QTest::newRow("one model per riser")
        << QByteArray("\"Condition\"") << QByteArray("\"OneModelPerRiser\": 1, \"Condition\"")
        << "zestawienie przewodów jest uszkodzone (budynek: pole OneModelPerRiser nie jest "
           "wartością true/false)";
    QTest::newRow("negative inlets")
        << QByteArray("\"Inlets\": 5") << QByteArray("\"Inlets\": -1")
        << "zestawienie przewodów jest uszkodzone (mieszkanie 1: pole Inlets: liczba "
           "nawiewników musi być od 0 do 10000)";
    QTest::newRow("inlet flow 0 with inlets")
        << QByteArray("\"InletFlow\": 40") << QByteArray("\"InletFlow\": 0")
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
    QTest::newRow("missing field")
        << QByteArray("\"StoreyCount\": 5,") << QByteArray()
        << "zestawienie przewodów jest uszkodzone (budynek: brak pola StoreyCount)";
    QTest::newRow("rows") << QByteArray("\"Rows\"") << QByteArray("\"Wiersze\"")
                          << "zestawienie przewodów jest uszkodzone (brak listy Rows lub ponad "
                             "10000 wierszy)";
    // A value out of the bounds of a single run, used by its row or not, and a
    // field that no schedule has.
    const QString wind = "budynek, pole WindSpeed: Prędkość wiatru musi wynosić od 0 do 100 m/s – "
                         "popraw prędkość wiatru";
    const QString duct = "pole %1: Wymiary kanału muszą być większe od zera i nie większe niż "
                         "1000 m – popraw parametry kanału";
    const QString need = "wiersz 1, pole Need: Wymagana wydajność musi być większa od zera i nie "
                         "większa niż 100000 m3/h – popraw wymaganą wydajność";
    const QString label = "wiersz 1, pole Label: Opis przewodu nie może zawierać znaków "
                          "sterujących (tabulatora, końca wiersza i podobnych) – popraw opis";
    const QString outdoor = "budynek, pole %1: Temperatura powietrza zewnętrznego musi wynosić od "
                            "−60 do 60 °C – popraw temperaturę";
    const struct {
        const char* name;
        const char* from;
        const char* to;
        QString reason;
    } bounds[] = {
        {"wind -1", "\"WindSpeed\": 0.30000000000000004", "\"WindSpeed\": -1", wind},
        {"wind 1e308", "\"WindSpeed\": 0.30000000000000004", "\"WindSpeed\": 1e308", wind},
        {"storey height 300 m", "\"StoreyHeight\": 2.8", "\"StoreyHeight\": 300",
         "budynek, pole StoreyHeight: Wysokość budynku (liczba kondygnacji razy wysokość "
         "kondygnacji) nie może przekraczać 1000 m – popraw parametry budynku"},
        {"storey height 0", "\"StoreyHeight\": 2.8", "\"StoreyHeight\": 0",
         "budynek, pole StoreyHeight: Wysokość kondygnacji musi być większa od zera i nie "
         "większa niż 1000 m – popraw parametry budynku"},
        {"humidity 500", "\"Humidity\": 50", "\"Humidity\": 500",
         "budynek, pole Humidity: Wilgotność względna musi wynosić od 0 do 100 % – popraw "
         "parametry powietrza"},
        {"density 0", "\"AirDensity\": 1.2", "\"AirDensity\": 0",
         "budynek, pole AirDensity: Gęstość powietrza musi być większa od zera i nie większa "
         "niż 5 kg/m3 – popraw parametry powietrza"},
        {"pressure 0", "\"Pressure\": 1013", "\"Pressure\": 0",
         "budynek, pole Pressure: Ciśnienie baryczne musi być większe od zera"},
        {"temperature 1000000", "\"Temperature\": -5", "\"Temperature\": 1000000",
         outdoor.arg("Temperature")},
        {"te 61", "\"OutsideTemperature\": 12", "\"OutsideTemperature\": 61",
         outdoor.arg("OutsideTemperature")},
        {"diameter 0", "\"Diameter\": 0.16", "\"Diameter\": 0",
         "wiersz 1, " + duct.arg("Diameter")},
        {"diameter 5000 m", "\"Diameter\": 0.16", "\"Diameter\": 5000",
         "wiersz 1, " + duct.arg("Diameter")},
        {"side 1e308", "\"SideA\": 0.14", "\"SideA\": 1e308", "wiersz 1, " + duct.arg("SideA")},
        {"need -50", "\"Need\": 42.5", "\"Need\": -50", need},
        {"need 1e308", "\"Need\": 42.5", "\"Need\": 1e308", need},
        {"grille loss -1.5", "\"GrilleLoss\": 2", "\"GrilleLoss\": -1.5",
         "wiersz 1, pole GrilleLoss: Współczynnik strat ζ nie może być ujemny – popraw "
         "współczynnik strat"},
        {"storey above N", "\"Storey\": 1", "\"Storey\": 6",
         "wiersz 1, pole Storey: Kondygnacja przewodu musi być od 1 do liczby kondygnacji "
         "budynku – popraw kondygnację"},
        {"label NUL", "\"Label\": \"M3", "\"Label\": \"M3\\u0000", label},
        {"label TAB", "\"Label\": \"M3", "\"Label\": \"M3\\t", label},
        {"label CR", "\"Label\": \"M3", "\"Label\": \"M3\\r", label},
        {"label LF", "\"Label\": \"M3", "\"Label\": \"M3\\n", label},
        {"label U+0085", "\"Label\": \"M3", "\"Label\": \"M3\\u0085", label},
        {"unknown in building", "\"AirDensity\": 1.2", "\"Roof\": 1, \"AirDensity\": 1.2",
         "budynek: pole Roof nie należy do zestawienia przewodów"},
        {"unknown in a row", "\"AdjustableGrille\"", "\"Colour\": 1, \"AdjustableGrille\"",
         "wiersz 1: pole Colour nie należy do zestawienia przewodów"},
        {"unknown in the schedule", "\"Building\"", "\"Notes\": 1, \"Building\"",
         "pole Notes nie należy do zestawienia przewodów"},
    };
    for (const auto& row : bounds)
        QTest::newRow(row.name) << QByteArray(row.from) << QByteArray(row.to)
                                << "zestawienie przewodów jest uszkodzone (" + row.reason + ")";
}

// One bad field refuses the whole file, naming the row and the field.
void TestScheduleJson::damagedScheduleRefused()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, reason);
    QByteArray bytes = ProjectBytes(WithSchedule()).Value();
    // The flats come before the rows: a row's storey is looked for among the rows.
    const bool row = QByteArray(QTest::currentDataTag()) == "storey above N";
    const qsizetype at = bytes.indexOf(from, row ? bytes.indexOf("\"Rows\"") : 0);
    QVERIFY(at >= 0);
    bytes.replace(at, from.size(), to);
    const auto parsed = ParseProject(bytes);
    QVERIFY(parsed.Failed());
    QCOMPARE(ReasonOf(parsed), reason);
}

QTEST_GUILESS_MAIN(TestScheduleJson)
#include "test_schedule_json.moc"
