// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "project/project_file.h"
#include "test_epw.h"

#include <QFile>
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

Run RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.start(WYW_CLI_PROGRAM, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The building of the facade's test: 5 storeys of 3 m, a round duct of 0.16 m.
const QStringList kDuct = {"--round", "0.16", "--building-rect", "3,5,0.2,0.2,15"};
const QStringList kAir = {"--density", "1.2", "--wind", "4"};

} // namespace

class TestCliWeather : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QFile file(Path("rok.epw"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(TestEpwText()));
        QFile damaged(Path("zły.epw"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray::fromStdString(TestEpwText()).left(3000));
    }

    // The figures of the test year, as the facade gives them, after the report.
    void singleRunWithTheYear()
    {
        const Run run = RunProgram(kAir + kDuct + Year("rok.epw") + QStringList{"--model", "5"});
        QCOMPARE(run.status, 0);
        QVERIFY2(
            run.out.contains("\nPraca w ciągu roku:\n   Stacja: Testowo\n   Okres: cały rok\n"),
            qPrintable(run.out));
        QVERIFY(run.out.contains(
            "   Godziny spełnienia wymagania: 2004 z 4752 obliczonych (42.17 %)\n"
            "   Godziny bez przepływu w górę: 2748\n   Godziny bez danych: 4008\n"));
        QVERIFY(run.out.contains("   Najgorszy miesiąc: lipiec (0.00 %)\n"));
    }

    // An hour listed is one single run of its options: the same Qh, bit for bit.
    void listedHourIsOneRun()
    {
        const Run hourly = RunProgram(kAir + kDuct + Year("rok.epw") +
                                      QStringList{"--model", "5", "--hourly", "--format", "csv"});
        QCOMPARE(hourly.status, 0);
        const QStringList lines = hourly.out.split("\r\n");
        QCOMPARE(lines.size(), 8762); // the header, 8760 hours, the end
        QCOMPARE(lines[1], "1,1,1,1.3154861229927557,3.5942758383483024,-5,101325,"
                           "160.42072729914454,przepływ,\"--density 1.3154861229927557 --wind "
                           "3.5942758383483024 --stack 20,-5,15,101325\"");
        const QStringList options = lines[1].section('"', 1, 1).split(' ');
        const Run single =
            RunProgram(options + kDuct + QStringList{"--model", "5", "--format", "json"});
        QCOMPARE(single.status, 0);
        QCOMPARE(QJsonDocument::fromJson(single.out.toUtf8())["result"]["FlowPerHour"].toDouble(),
                 160.42072729914454);
    }

    // The comparison gains the column for all 27 models, in text, CSV and JSON.
    void comparisonColumn_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << "text"
                              << "Godziny spełnienia [%]\tProponowany\n5\tKALMO-160\t0.0322\t"
                                 "116.0648\t4.3277\t1.6035\t0.160\trówny\ttak\t≥ 2.7\t42.17\t\n";
        QTest::newRow("csv") << "csv"
                             << ",Godziny spełnienia [%],";
        QTest::newRow("json") << "json"
                              << "\"YearMeetingShare\": 0.4217171717171717";
    }
    void comparisonColumn()
    {
        QFETCH(QString, format);
        QFETCH(QString, shown);
        const Run run =
            RunProgram(kAir + kDuct + Year("rok.epw") + QStringList{"--all", "--format", format});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(shown), qPrintable(run.out.left(3000)));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("year");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged file")
            << Year("zły.epw") << 4
            << "wywietrznik-cli: Nie można użyć pliku pogodowego „" + Path("zły.epw") +
                   "”: wiersz 41: za mało pól (15, potrzeba co najmniej 22).\n";
        QTest::newRow("missing file") << Year("brak.epw") << 4
                                      << "wywietrznik-cli: Nie można użyć pliku pogodowego „" +
                                             Path("brak.epw") + "”: plik nie istnieje.\n";
        QTest::newRow("unknown category")
            << Year("rok.epw", "V,III,20") << 2
            << "wywietrznik-cli: opcja --site: kategoria terenu to 0, I, II, III albo IV (albo "
               "0..4), podano: V\n";
        QTest::newRow("month 13") << Year("rok.epw") + QStringList{"--period", "13-2"} << 2
                                  << "wywietrznik-cli: opcja --period: okres to year, heating "
                                     "albo M1-M2 z miesiącami 1..12, podano: 13-2\n";
        QTest::newRow("no need") << QStringList{"--wind-distribution", "3.5"} << 2
                                 << "wywietrznik-cli: opcja --wind-distribution wymaga --need "
                                    "(wymaganej wydajności Qh [m3/h])\n";
    }
    void refusals()
    {
        QFETCH(QStringList, year);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = RunProgram(kAir + kDuct + year + QStringList{"--model", "5"});
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // A calculation file keeps the weather: with --need the command line uses
    // it, and tells that the file changed since the calculation was saved.
    void keptWeather()
    {
        QStringList arguments = QStringList{"wywietrznik-cli"} + kAir + kDuct;
        arguments << "--model"
                  << "5";
        Project project;
        project.state = BuildCliInputs(*CommandOf<CliRequest>(ParseCliArguments(arguments))).state;
        project.weather = WeatherSetting{
            WeatherFileSource(Path("rok.epw").toStdString(), "0123456789abcdef"), Site{2, 3, 20.0}};
        QFile file(Path("obliczenia.wyw"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ProjectBytes(project).Value());
        file.close();
        const Run run = RunProgram(
            {"--project", Path("obliczenia.wyw"), "--need", "100", "--stack", "20,12,15"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains(
            "   Godziny spełnienia wymagania: 2004 z 4752 obliczonych (42.17 %)\n"));
        QVERIFY2(run.err.startsWith("Uwaga: plik pogodowy „" + Path("rok.epw") +
                                    "” zmienił się od zapisania obliczeń (suma kontrolna "
                                    "0123456789abcdef, teraz "),
                 qPrintable(run.err));
        project.weather.reset();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ProjectBytes(project).Value());
        file.close();
        const Run none = RunProgram({"--project", Path("obliczenia.wyw"), "--need", "100"});
        QCOMPARE(none.status, 2);
        QVERIFY(none.err.contains(" nie ma pogody roku: --need bez --all, --site, --period i "
                                  "--hourly wymagają --weather-file albo --wind-distribution\n"));
    }

    // A schedule takes the weather, but each row has its own need.
    void scheduleTakesOnlyTheWeather()
    {
        const Run run =
            RunProgram({"--schedule", "blok.wyw", "--wind-distribution", "3.5", "--need", "50"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith("wywietrznik-cli: opcja --schedule przyjmuje obok siebie tylko "
                                   "--format, --output, --sheet, --weather-file, "
                                   "--wind-distribution, --site i --period, podano --need\n"));
    }

private:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Year(const QString& name, const QString& site = "II,III,20") const
    {
        return {"--weather-file", Path(name), "--need",  "100",
                "--site",         site,       "--stack", "20,12,15"};
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestCliWeather)
#include "test_cli_weather.moc"
