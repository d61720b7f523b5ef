// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/comparison.h"
#include "calc/number_format.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "project/project_file.h"
#include "refused_inputs.h"
#include "report/report_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs the real program in an empty directory of its own.
Run RunProgram(const QString& line, const QString& directory = QString())
{
    QProcess process;
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    process.start(WYW_CLI_PROGRAM, line.split(' ', Qt::SkipEmptyParts));
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

CliRequest Request(const QString& line)
{
    QStringList arguments = line.split(' ', Qt::SkipEmptyParts);
    arguments.prepend("wywietrznik-cli");
    const CliParseResult parsed = ParseCliArguments(arguments);
    if (const auto* request = CommandOf<CliRequest>(parsed))
        return *request;
    qFatal("not a valid request: %s", qPrintable(line));
}

const QString kHall = "--density 1.2 --wind 4 --round 0.16 --hall 5";

} // namespace

class TestCliRun : public QObject {
    Q_OBJECT
private slots:
    // The shared table of impossible inputs: exit status 3 with the reason.
    void refusedByCommandLine_data() { AddRefusedInputRows(); }
    void refusedByCommandLine()
    {
        QFETCH(int, row);
        const RefusedInput& input = RefusedInputs()[row];
        std::string out;
        std::string err;
        QCOMPARE(RunCli(Request(input.options + " --model 5"), out, err), 3);
        QCOMPARE(QString::fromStdString(err), "Niewłaściwe obliczenia!!!\n" + input.reason + "\n");
        QCOMPARE(out, std::string());
    }

    // The same inputs with results in a calculation file: the reader refuses it.
    void refusedByFileReader_data() { AddRefusedInputRows(true); }
    void refusedByFileReader()
    {
        QFETCH(int, row);
        Project project{
            BuildCliInputs(Request(RefusedInputs()[row].options + " --model 5")).state, {}, {}};
        project.state.VentilatorIndex = 5;
        project.state.ResultsShown = true;
        const auto bytes = ProjectBytes(project);
        QVERIFY(!bytes.Failed());
        const auto read = ParseProject(bytes.Value());
        QVERIFY(read.Failed());
        QCOMPARE(ReasonOf(read), RefusedInputs()[row].reason);
    }

    // A calculation file on inputs that cannot be built cannot be used, with
    // or without results: status 4, the file named, one full stop.
    void refusedProjectFile_data()
    {
        QTest::addColumn<bool>("results");
        QTest::newRow("with results") << true;
        QTest::newRow("without results") << false;
    }
    void refusedProjectFile()
    {
        QFETCH(bool, results);
        QTemporaryDir dir;
        const QString path = dir.filePath("hala.wyw");
        Project project{BuildCliInputs(Request("--density 0 --wind 3 --round 0.16 --hall 5 "
                                               "--model 5"))
                            .state,
                        {},
                        {}};
        project.state.ResultsShown = results;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ProjectBytes(project).Value());
        file.close();
        std::string out;
        std::string err;
        QCOMPARE(RunCli(Request("--project " + path), out, err), 4);
        QCOMPARE(QString::fromStdString(err),
                 "wywietrznik-cli: Nie można otworzyć obliczeń z pliku „" + path +
                     "”: Gęstość powietrza musi być większa od zera i nie większa niż 5 kg/m3 – "
                     "popraw parametry powietrza.\n");
    }

    // A whole-number field written with an exponent keeps the number checked.
    void wholeNumbersWithExponents_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("same");
        QTest::newRow("humidity 6e1") << "--weather 20,1013,6e1"
                                      << "--weather 20,1013,60";
        QTest::newRow("storeys 1e1") << "--building-round 3,1e1,0.1,1"
                                     << "--building-round 3,10,0.1,1";
        QTest::newRow("opening 1.5e1") << "--building-adjustable 3,2,1,1.5e1"
                                       << "--building-adjustable 3,2,1,15";
    }
    void wholeNumbersWithExponents()
    {
        QFETCH(QString, options);
        QFETCH(QString, same);
        const QString rest = " --wind 3 --round 0.16 --model 5";
        const QString density = options.startsWith("--weather") ? "" : "--density 1.2 ";
        const QString hall = options.startsWith("--weather") ? " --hall 5" : "";
        std::string out[2];
        std::string err[2];
        QCOMPARE(RunCli(Request(density + options + hall + rest), out[0], err[0]), 0);
        QCOMPARE(RunCli(Request(density + same + hall + rest), out[1], err[1]), 0);
        QCOMPARE(out[0], out[1]);
    }

    void hallReport()
    {
        QTemporaryDir directory;
        const Run run = RunProgram(kHall + " --model 5", directory.path());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.size(), 16); // rows 0..14 and the final newline
        QCOMPARE(lines[0],
                 QString("Program doboru wywietrzników firmy KORVANT sp z o.o. Merlowice"));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[9], QString());
        QCOMPARE(lines[12], QString("   Wydajność godzinowa   Qh = 153.3861 [m3/h]"));
        // The value files of the dialogs are neither read nor written.
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList());
    }

    void printerVariant()
    {
        const Run run = RunProgram(kHall + " --model 5 --printer");
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("   Nazwa wywietrznika= KALMO-160\n"));
        QVERIFY(run.out.contains("\nObliczone wartości\n"));
        QVERIFY(!run.out.contains("Rodzaj materiału"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no operating point")
            << "--density 1.2 --wind 10 --round 0.1 --hall 1,3 --model 1" << 1 << QString();
        QTest::newRow("zero duct")
            << "--density 1.2 --wind 4 --round 0 --hall 5 --model 5" << 3 << "Wymiary kanału";
        QTest::newRow("zero density")
            << "--density 0 --wind 4 --round 0.16 --hall 5 --model 5" << 3 << "Gęstość powietrza";
        QTest::newRow("weather 0 hPa")
            << "--weather 20,0,60 --wind 4 --round 0.16 --hall 5 --model 5" << 3 << "Ciśnienie";
        QTest::newRow("weather -273")
            << "--weather -273,1013,60 --wind 4 --round 0.16 --hall 5 --model 5" << 3
            << "Temperatura";
        QTest::newRow("sides adding up to 0")
            << "--density 1.2 --wind 4 --rect 0,0 --hall 5 --model 5" << 3
            << "długości i szerokości";
        QTest::newRow("building without grille")
            << "--density 1.2 --wind 4 --round 0.16 --building-rect 3,5,0,0.2,15 --model 5" << 3
            << "Wymiary kratki";
        QTest::newRow("need 1e308")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5 --all --need 1e308" << 3
            << "Wymagana wydajność musi być większa od zera i nie większa niż 100000 m3/h";
        QTest::newRow("usage") << "--density 1.2" << 2 << "--wind";
    }
    void failures()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, reason);
        const Run run = RunProgram(line);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QString());
        if (status != 2)
            QVERIFY(run.err.startsWith("Niewłaściwe obliczenia!!!\n"));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        if (status == 1)
            QCOMPARE(run.err, QString("Niewłaściwe obliczenia!!!\n"));
    }

    void jsonResult()
    {
        const Run run = RunProgram("--weather 20,1013,60 --wind 4 --rect 0.2,0.3 "
                                   "--building-adjustable 3,5,2,7.9 --model 5 --format json");
        QCOMPARE(run.status, 0);
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QJsonObject inputs = object["inputs"].toObject();
        QCOMPARE(inputs["DensityEntered"].toInt(), 0);
        QCOMPARE(inputs["Temperature"].toInt(), 20); // the weather the density came from
        QCOMPARE(inputs["Pressure"].toInt(), 1013);
        QCOMPARE(inputs["Humidity"].toInt(), 60);
        QVERIFY(qAbs(inputs["AirDensity"].toDouble() - 1.198189) < 1e-6);
        QCOMPARE(inputs["DuctRound"].toInt(), 0);
        QCOMPARE(inputs["DuctDiameter"].toDouble(), 2.0 * 0.2 * 0.3 / (0.2 + 0.3));
        QCOMPARE(inputs["InstallationType"].toInt(), 3);
        QCOMPARE(inputs["IsHall"].toInt(), 0);
        QCOMPARE(inputs["StoreyCount"].toInt(), 5);
        QCOMPARE(inputs["DuctLength"].toDouble(), 15.0);
        QCOMPARE(inputs["GrilleSizeA"].toDouble(), 0.07); // grille 2 is "KTV 100"
        QVERIFY(!inputs.contains("GrilleSizeB"));         // not set by this installation

        // The same request in-process gives bit-identical results.
        CliInputs in = BuildCliInputs(Request("--weather 20,1013,60 --wind 4 --rect 0.2,0.3 "
                                              "--building-adjustable 3,5,2,7 --model 5"));
        const OperatingPoint point = ComputeOperatingPoint(in.state, LookUpVentilator(5));
        const QJsonObject result = object["result"].toObject();
        QCOMPARE(result["FlowPerHour"].toDouble(), point.flowPerHour);
        QCOMPARE(result["VentilatorSuction"].toDouble(), point.ventilatorSuction);
        QCOMPARE(result["DuctVelocity"].toDouble(), point.ductVelocity);
        QCOMPARE(result["Q"].toDouble(), FlowPerSecond(point.flowPerHour));
        QCOMPARE(result["VentilatorName"].toString(), QString("KALMO-160"));
    }

    // Two operating points: the report as always, the other one noted.
    void twoOperatingPoints()
    {
        const QString line = QString(kHall).replace("--wind 4", "--wind 13") + " --model 5";
        const Run text = RunProgram(line);
        QCOMPARE(text.status, 0);
        QVERIFY(text.out.contains("Qh = 567.4959 [m3/h]"));
        QCOMPARE(text.err, QString("Uwaga: drugi punkt pracy Qh = 296.2409 [m3/h]\n"));
        const Run json = RunProgram(line + " --format json");
        const QJsonArray points = QJsonDocument::fromJson(json.out.toUtf8())
                                      .object()["result"]
                                      .toObject()["OperatingPoints"]
                                      .toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(QString::number(points[0]["FlowPerHour"].toDouble(), 'f', 4), "296.2409");
        QCOMPARE(points[0]["chosen"].toBool(), false);
        QCOMPARE(points[1]["chosen"].toBool(), true);
    }

    // With the gravity draught the results are the combined operating point,
    // and the report says under what conditions.
    void stackDraught()
    {
        const Run run = RunProgram("--density 1.2 --wind 0 --round 0.16 --hall 5 --model 5 "
                                   "--stack 20,12");
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Qh = 101.6194 [m3/h]"));
        QVERIFY(run.out.endsWith("   Ciąg grawitacyjny: ti = 20.0 [°C], te = 12.0 [°C], "
                                 "H = 5.00 [m], Δps = 1.6570 [Pa]\n"));
        const Run warm = RunProgram("--density 1.2 --wind 0 --round 0.16 --hall 5 --model 5 "
                                    "--stack 12,20");
        QCOMPARE(warm.status, 1);
        QVERIFY(warm.err.contains("Ciśnienie napędzające jest ujemne"));
    }

    // The state a duct reaches from rest: a calm day needs no characteristic,
    // an unstable root is no answer, ti = te is no special case (the report's
    // own result is named where it differs); a refused or infinite stack
    // pressure is never shown as a number.
    void stackRule_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("shown");
        const QString jump = "--density 0.9423 --wind 12.17108 --rect 0.478,0.203 --hall 2.41,3 "
                             "--model 26 --stack 20,20";
        const QString calc = "--density 1.2 --round 0.16 --hall 5 ";
        QTest::newRow("calm, H 62")
            << calc + "--wind 0 --model 5 --stack 20,0,62" << 0 << QStringList{"Qh = 578.0873"};
        QTest::newRow("te 26.83") << "--density 1.3931 --wind 14.163 --round 0.392 --material 3 "
                                     "--building-round 3.39,4,0.407,0.74 --model 20 --stack "
                                     "4.82,26.83,37.95"
                                  << 1
                                  << QStringList{"ujemne przy zerowym przepływie – powietrze nie "
                                                 "ruszy w górę kanału. Sprawdź temperatury ti i "
                                                 "te",
                                                 "\nUwaga: stan równowagi Qh = 75.4598 [m3/h]"};
        QTest::newRow("ti = te") << jump << 0
                                 << QStringList{"Qh = 262.5840 [m3/h]",
                                                "Uwaga: obliczenia raportu (bez ciągu "
                                                "grawitacyjnego) podają Qh = 1770.7800 [m3/h]."};
        QTest::newRow("ti near te") << jump + ".00001" << 0 << QStringList{"Qh = 262.5840"};
        QTest::newRow("absolute zero, all, json")
            << calc + "--wind 3 --all --stack -273.15,20 --format json" << 3
            << QStringList{"Temperatury ti i te"};
        // dps at the weather's 900 hPa, 11.2 % below its 5.5064 Pa at 101325 Pa.
        QTest::newRow("900 hPa")
            << "--weather 12,900,50 --round 0.16 --hall 5 --wind 0 --model 5 --stack 20,-5" << 0
            << QStringList{"Δps = 4.8910 [Pa]\n   Δps przy ciśnieniu p = 90000.0 [Pa]\n"};
        QTest::newRow("900 hPa, P given")
            << "--weather 12,900,50 --round 0.16 --hall 5 --wind 0 --model 5 --stack "
               "20,-5,5,101325"
            << 0 << QStringList{"Δps = 5.5064 [Pa]\n"};
        QTest::newRow("te 1000000")
            << calc + "--wind 3 --model 5 --stack 20,1000000" << 3
            << QStringList{"Temperatura powietrza zewnętrznego musi wynosić od −60 do 60 °C – "
                           "popraw temperaturę."};
        QTest::newRow("Δps infinite, sweep")
            << calc + "--model 5 --wind-sweep 0:2:1 --stack 20,-10,1e308" << 3
            << QStringList{"H musi być większa od zera i nie większa niż 1000 m"};
    }
    void stackRule()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QStringList, shown);
        const Run run = RunProgram(line);
        QCOMPARE(run.status, status);
        for (const QString& text : shown)
            QVERIFY2((run.out + run.err).contains(text), qPrintable(run.out + run.err));
        QVERIFY(!run.out.contains("inf") && !run.out.contains("null"));
    }

    void jsonFailure()
    {
        const Run run = RunProgram("--density 1.2 --wind 4 --round 0 --hall 5 --model 5 "
                                   "--format json");
        QCOMPARE(run.status, 3);
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(object["error"].toString(), QString("Niewłaściwe obliczenia!!!"));
        QVERIFY(object["reason"].toString().contains("Wymiary kanału"));
    }

    // The table of all models agrees with the single reports, model by model.
    void allModels()
    {
        const QString inputs = "--density 1.2 --wind 15 --round 0.5 --hall 1,3";
        const Run run = RunProgram(inputs + " --all");
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 28);
        QCOMPARE(lines[0], QString("Nr\tWywietrznik\tQ [m3/s]\tQh [m3/h]\tDPsw [Pa]\tc [m/s]"));
        int missing = 0;
        for (int model = 1; model <= 27; ++model) {
            const QStringList fields = lines[model].split('\t');
            QCOMPARE(fields[0], QString::number(model));
            const VentilatorModel& row = LookUpVentilator(model);
            QCOMPARE(fields[1], QString::fromUtf8(row.Name.data(), row.Name.size()));
            std::string out, err;
            const int status =
                RunCli(Request(inputs + " --model " + QString::number(model)), out, err);
            if (status == 1) {
                QCOMPARE(fields.mid(2), QStringList{"brak punktu pracy"});
                ++missing;
                continue;
            }
            QCOMPARE(status, 0);
            const QString report = QString::fromStdString(out);
            QVERIFY(report.contains("   Wydajność sekundowa   Q = " + fields[2] + " [m3/s]"));
            QVERIFY(report.contains("   Wydajność godzinowa   Qh = " + fields[3] + " [m3/h]"));
            QVERIFY(
                report.contains("   Podciśnienie wywietrznika   DPsw = " + fields[4] + " [Pa]"));
            QVERIFY(report.contains("   Prędkość w kanale   c = " + fields[5] + " [m/s]"));
        }
        QVERIFY(missing < 27);

        const Run json = RunProgram(inputs + " --all --format json");
        const QJsonArray results =
            QJsonDocument::fromJson(json.out.toUtf8()).object()["results"].toArray();
        QCOMPARE(results.size(), 27);
        int nulls = 0;
        for (const QJsonValue& value : results)
            nulls += value.toObject()["result"].isNull();
        QCOMPARE(nulls, missing);
    }

    void windSweep()
    {
        const Run run =
            RunProgram("--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:15:5");
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[1], QString("0.00\t0.0000\t0.0000"));
        QVERIFY(lines[4].startsWith("15.00\t"));
        std::string out, err;
        RunCli(Request("--density 1.2 --wind 10 --round 0.16 --hall 5 --model 5"), out, err);
        QVERIFY(
            QString::fromStdString(out).contains("Qh = " + lines[3].split('\t')[2] + " [m3/h]"));
    }
};

QTEST_GUILESS_MAIN(TestCliRun)
#include "test_cli_run.moc"
