// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/cli_schedule.h"
#include "project/project_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

QByteArray RunProgram(const QStringList& arguments, int& status)
{
    QProcess process;
    process.start(WYW_CLI_PROGRAM, arguments);
    process.waitForFinished(60000);
    status = process.exitCode();
    return process.readAllStandardOutput();
}

// One single run of the calculator in JSON: its FlowPerHour, or -1 without one.
double SingleRun(QStringList options)
{
    options.prepend("wywietrznik-cli");
    options << "--format"
            << "json";
    const CliParseResult parsed = ParseCliArguments(options);
    const auto* request = CommandOf<CliRequest>(parsed);
    if (!request)
        qFatal("not a valid request: %s", qPrintable(options.join(' ')));
    std::string out, err;
    RunCli(*request, out, err);
    const QJsonObject result =
        QJsonDocument::fromJson(QByteArray::fromStdString(out)).object().value("result").toObject();
    return result.isEmpty() ? -1.0 : result.value("FlowPerHour").toDouble();
}

double FlowOf(const QJsonObject& row, const char* condition)
{
    const QJsonObject result = row.value(condition).toObject();
    return result.contains("FlowPerHour") ? result.value("FlowPerHour").toDouble() : -1.0;
}

// The options of a row or of one of its conditions.
QStringList Options(const QJsonObject& row)
{
    QStringList options;
    for (const QJsonValue option : row.value("options").toArray())
        options << option.toString();
    return options;
}

QStringList Replaced(QStringList options, const QString& name, const QString& value)
{
    options[options.indexOf(name) + 1] = value;
    return options;
}

// --schedule on a file holding `schedule`: its status, `err` its message.
int RunOnSchedule(const Schedule& schedule, const QString& path, std::string& err,
                  const QStringList& more = {}, std::string* out = nullptr)
{
    Project project;
    ResetCalcState(project.state);
    project.schedule = schedule;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ProjectBytes(project).Value()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    const CliParseResult parsed = ParseCliArguments(
        QStringList{"wywietrznik-cli", "--schedule", path, "--format", "json"} + more);
    std::string text;
    return RunSchedule(*CommandOf<CliRequest>(parsed), out ? *out : text, err);
}

} // namespace

class TestCliSchedule : public QObject {
    Q_OBJECT
private slots:
    void storeyRule_data();
    void storeyRule();
    void templateRowsAreSingleRuns();
    void exitStatus_data();
    void exitStatus();
    void noDesignWind();
    void yearCondition_data();
    void yearCondition();
};

void TestCliSchedule::storeyRule_data()
{
    QTest::addColumn<int>("storey");
    QTest::addColumn<QString>("building");
    QTest::addColumn<double>("length");
    QTest::newRow("lowest") << 1 << "2.8,5,0.2,0.2,2" << 14.0;
    QTest::newRow("middle") << 3 << "2.8,3,0.2,0.2,2" << 8.4;
    QTest::newRow("top") << 5 << "2.8,1,0.2,0.2,2" << 2.8;
}

// The duct of storey k is the building of N - k + 1 storeys, L = storeys x h.
void TestCliSchedule::storeyRule()
{
    QFETCH(int, storey);
    QFETCH(QString, building);
    QFETCH(double, length);
    ScheduleBuilding b;
    b.storeys = 5;
    b.storeyHeight = 2.8;
    ScheduleRow row;
    row.storey = storey;
    row.grilleHeight = row.grilleWidth = 0.2;
    row.grilleLoss = 2;
    const std::vector<std::string> options = RowOptions(b, row, 6);
    QCOMPARE(QString::fromStdString(options[8]), QStringLiteral("--building-rect"));
    QCOMPARE(QString::fromStdString(options[9]), building);
    const RowInputs inputs = BuildRowInputs(b, row);
    QCOMPARE(inputs.state.DuctLength, length);
    QCOMPARE(inputs.stack.height, length);
}

namespace {

// In its flat each condition of a row is one run with that condition's
// options and --underpressure PF, the flat's underpressure.
void CheckConditionRuns(const QJsonObject& row)
{
    const QStringList options = Options(row);
    const QString stack = row.value("stack").toString();
    for (const char* condition : {"calm", "wind", "windStack"}) {
        const QJsonObject c = row.value(condition).toObject();
        const QString pf = QString::fromStdString(ExactNumber(c.value("underpressure").toDouble()));
        QStringList run =
            condition == QLatin1String("calm") ? Replaced(options, "--wind", "0") : options;
        if (condition != QLatin1String("wind"))
            run << "--stack" << stack;
        run << "--underpressure" << pf;
        QCOMPARE(Options(c), run);
        QCOMPARE(SingleRun(run), FlowOf(row, condition));
    }
    // The example's verdict is on the design wind with the draught.
    const bool back = row.value("windStack").toObject().value("backdraught").toBool();
    QCOMPARE(row.value("meets").toBool(),
             !back && FlowOf(row, "windStack") >= row.value("need").toDouble());
}

} // namespace

// Every row of the template gives exactly what single runs of its options
// give, and on each riser the top storey draws least on a calm day.
void TestCliSchedule::templateRowsAreSingleRuns()
{
    QTemporaryDir dir;
    int status = -1;
    const QByteArray file = RunProgram({"--schedule-template"}, status);
    QCOMPARE(status, 0);
    const QString path = dir.filePath("blok.wyw");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    const QJsonObject schedule =
        QJsonDocument::fromJson(RunProgram({"--schedule", path, "--format", "json"}, status))
            .object();
    QCOMPARE(status, 1); // four ducts of the template fail on a calm day
    const QJsonArray rows = schedule.value("rows").toArray();
    QCOMPARE(rows.size(), 15);

    std::map<QString, QJsonObject> top; // riser: its top storey's row
    int checked = 0;
    for (const QJsonValue value : rows) {
        const QJsonObject row = value.toObject();
        const QString riser = row.value("label").toString().section(' ', 0, 0);
        if (row.value("storey").toInt() == 5)
            top[riser] = row;
        if (!row.contains("options"))
            continue;
        const QStringList options = Options(row);
        const QString stack = row.value("stack").toString();
        CheckConditionRuns(row);
        ++checked;
    }
    QCOMPARE(checked, 15);
    QCOMPARE(top.size(), std::size_t{3});
    // The bill counts the ducts that meet their need; the failing ones apart.
    const QJsonObject summary = schedule.value("summary").toObject();
    QCOMPARE(summary.value("models").toArray(),
             QJsonArray({QJsonObject{{"model", 14}, {"name", "KALMO-200"}, {"count", 13}}}));
    QCOMPARE(summary.value("toVerify").toArray(),
             QJsonArray({QJsonObject{{"model", 14}, {"name", "KALMO-200"}, {"count", 2}}}));

    // The top storey's model on every storey of its riser, on a calm day.
    for (const auto& [riser, topRow] : top) {
        const QString model = Options(topRow).value(Options(topRow).indexOf("--model") + 1);
        std::map<int, double> calm; // by storey
        for (const QJsonValue value : rows) {
            const QJsonObject row = value.toObject();
            if (row.value("label").toString().section(' ', 0, 0) != riser)
                continue;
            const QStringList options =
                Replaced(Replaced(Options(row), "--model", model), "--wind", "0");
            calm[row.value("storey").toInt()] =
                SingleRun(options + QStringList{"--stack", row.value("stack").toString()});
        }
        QCOMPARE(calm.size(), std::size_t{5});
        QVERIFY2(calm[5] > 0.0, qPrintable(riser));
        for (int storey = 1; storey < 5; ++storey)
            QVERIFY2(calm[storey] > calm[5], qPrintable(riser));
    }
}

void TestCliSchedule::exitStatus_data()
{
    QTest::addColumn<int>("row"); // of the template
    QTest::addColumn<double>("diameter");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // after the file's name
    QTest::newRow("meets its need") << 0 << 0.16 << 0 << QString();
    QTest::newRow("fails its need") << 14 << 0.08 << 1 << QString();
    // The options of such a row a single run refuses: so does the schedule.
    QTest::newRow("duct 5000 m")
        << 10 << 5000.0 << 4
        << "zestawienie przewodów jest uszkodzone (wiersz 1, pole Diameter: Wymiary kanału muszą "
           "być większe od zera i nie większe niż 1000 m – popraw parametry kanału).\n";
}

// A duct that does not meet its need gives status 1 (the table is printed);
// a file holding a duct that cannot be built, 4.
void TestCliSchedule::exitStatus()
{
    QFETCH(int, row);
    QFETCH(double, diameter);
    QFETCH(int, status);
    QFETCH(QString, message);
    Schedule schedule = ScheduleTemplate();
    schedule.rows = {schedule.rows[static_cast<std::size_t>(row)]};
    schedule.rows[0].diameter = diameter;
    // The duct in an open room, as before the example had flats.
    schedule.rows[0].flat.clear();
    schedule.flats.clear();
    QTemporaryDir dir;
    const QString path = dir.filePath("blok.wyw");
    std::string err;
    QCOMPARE(RunOnSchedule(schedule, path, err), status);
    QCOMPARE(QString::fromStdString(err),
             message.isEmpty() ? QString()
                               : "wywietrznik-cli: Nie można otworzyć obliczeń z pliku „" + path +
                                     "”: " + message);
}

// A verdict on the design wind without wind: no model, nothing billed, and
// the note says why.
void TestCliSchedule::noDesignWind()
{
    Schedule schedule = ScheduleTemplate();
    schedule.building.windSpeed = 0.0;
    schedule.building.condition = ScheduleCondition::Wind;
    schedule.flats.clear(); // the summary's last lines without the flats' lines
    for (ScheduleRow& row : schedule.rows)
        row.flat.clear();
    const ScheduleResult result = ComputeSchedule(schedule);
    for (const RowResult& row : result.rows) {
        QCOMPARE(row.model, 0);
        QCOMPARE(QString::fromStdString(row.note),
                 "Nie podano prędkości wiatru obliczeniowego (v = 0 m/s): ocena w warunkach "
                 "„wiatr obliczeniowy” nie ma sensu – podaj prędkość wiatru albo oceniaj "
                 "przewody w warunkach „bez wiatru – sam ciąg grawitacyjny”.");
    }
    const std::vector<std::string> lines = SummaryLines(schedule, result);
    QCOMPARE(QString::fromStdString(lines[lines.size() - 2]),
             "Zestawienie wywietrzników (przewody spełniające wymaganie): brak.");
    QCOMPARE(QString::fromStdString(lines.back()),
             "Przewody bez wywietrznika (nie dobrano lub błędne dane): 15.");
}

void TestCliSchedule::yearCondition_data()
{
    QTest::addColumn<int>("model");     // of the row, 0 "dobierz"
    QTest::addColumn<double>("target"); // [%]
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("share");   // of the row, [%]
    QTest::addColumn<QString>("verdict"); // the summary's line, or the reason after the file's name
    // The single run of the same duct: --density 1.2 --wind 4 --round 0.16
    // --material 2 --building-adjustable 2.8,5,4,20 --model 14 --stack 20,12,14
    // --need 50 --wind-distribution 3.5,2 --site II,III,15 gives 76.77 %.
    const QStringList weibull = {"--wind-distribution", "3.5,2"};
    QTest::newRow("below the share")
        << 14 << 90.0 << weibull << 1 << "76.77"
        << "Poniżej wymaganego udziału godzin (rok – cały rok, co najmniej 90.0 % godzin): 1 "
           "przewód – WC k1.";
    QTest::newRow("share reached")
        << 14 << 75.0 << weibull << 0 << "76.77"
        << "Wszystkie przewody zapewniają wymaganą wydajność (rok – cały rok, co najmniej 75.0 % "
           "godzin).";
    // The proposal for KALMO-200 and the choice of "dobierz": MIRT-160 (nr 27).
    QTest::newRow("dobierz")
        << 0 << 90.0 << weibull << 0 << "90.22"
        << "Wszystkie przewody zapewniają wymaganą wydajność (rok – cały rok, co najmniej 90.0 % "
           "godzin).";
    QTest::newRow("no weather")
        << 14 << 90.0 << QStringList() << 2 << QString()
        << " ocenia przewody w warunkach „rok”, a nie podano pogody roku: dodaj --weather-file "
           "PLIK.epw albo --wind-distribution ŚREDNIA[,K] (albo zapisz pogodę w pliku w oknie "
           "„Praca w ciągu roku…”)\n";
}

// The year condition: the row's share is the single run's, the verdict on the
// share; without a weather the reason.
void TestCliSchedule::yearCondition()
{
    QFETCH(int, model);
    QFETCH(double, target);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, share);
    QFETCH(QString, verdict);
    Schedule schedule = ScheduleTemplate();
    schedule.building.condition = ScheduleCondition::Year;
    schedule.building.yearShare = target;
    schedule.rows = {schedule.rows[10]}; // "WC k1", KALMO-200
    schedule.rows[0].room = 0;
    schedule.rows[0].typedNeed = 50.0;
    schedule.rows[0].model = model;
    schedule.rows[0].flat.clear();
    schedule.flats.clear();
    QTemporaryDir dir;
    const QString path = dir.filePath("blok.wyw");
    std::string out, err;
    QCOMPARE(RunOnSchedule(schedule, path, err, options, &out), status);
    if (share.isEmpty()) {
        QCOMPARE(QString::fromStdString(err),
                 "wywietrznik-cli: zestawienie w pliku " + path + verdict);
        return;
    }
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    const QJsonObject row = json.value("rows").toArray().at(0).toObject();
    QCOMPARE(QString::number(100.0 * row.value("yearShare").toDouble(), 'f', 2), share);
    if (model == 0)
        QCOMPARE(row.value("note").toString(), QStringLiteral("Dobrano MIRT-160 (nr 27)."));
    QCOMPARE(json.value("summary").toObject().value("lines").toArray().at(1).toString(), verdict);
}

QTEST_GUILESS_MAIN(TestCliSchedule)
#include "test_cli_schedule.moc"
