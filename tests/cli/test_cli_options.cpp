// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <QtTest>

namespace {

CliParseResult Parse(const QString& line)
{
    QStringList arguments = line.split(' ', Qt::SkipEmptyParts);
    arguments.prepend("wywietrznik-cli");
    return ParseCliArguments(arguments);
}

const QString kValid = "--density 1.2 --wind 4 --round 0.16 --hall 5 --model 5";

// The usage errors of --wind-sweep, rows of usageErrors.
void SweepRows()
{
    QTest::newRow("sweep to infinity")
        << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:1e400:1"
        << QStringList{"--wind-sweep", "1e400"};
    QTest::newRow("sweep of too many steps")
        << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:15:1e-5"
        << QStringList{"--wind-sweep", "100000"};
    QTest::newRow("bad sweep") << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:15"
                               << QStringList{"--wind-sweep"};
    QTest::newRow("sweep backwards")
        << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 15:0:1"
        << QStringList{"--wind-sweep"};
    QTest::newRow("sweep with zero step")
        << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:15:0"
        << QStringList{"--wind-sweep"};
}

} // namespace

class TestCliOptions : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("named"); // every text the message must contain
        QTest::newRow("repeat") << kValid + " --wind 5" << QStringList{"--wind"};
        QTest::newRow("density and weather")
            << kValid + " --weather 20,1013,60" << QStringList{"--density", "--weather"};
        QTest::newRow("round and rect")
            << kValid + " --rect 0.2,0.3" << QStringList{"--round", "--rect"};
        QTest::newRow("two installations") << kValid + " --building-round 3,5,0.1,1.6"
                                           << QStringList{"--hall", "--building-round"};
        QTest::newRow("comma in a single value")
            << "--density 1.2 --wind 4,5 --round 0.16 --hall 5 --model 5" << QStringList{"--wind"};
        QTest::newRow("too few values")
            << "--density 1.2 --wind 4 --rect 0.2 --hall 5 --model 5" << QStringList{"--rect", "2"};
        QTest::newRow("too many values")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5,1,1 --model 5"
            << QStringList{"--hall"};
        QTest::newRow("weather needs three")
            << "--weather 20,1013 --wind 4 --round 0.16 --hall 5 --model 5"
            << QStringList{"--weather", "3"};
        QTest::newRow("model out of range")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5 --model 28"
            << QStringList{"--model", "27"};
        QTest::newRow("model not whole")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5 --model 5.0" << QStringList{"--model"};
        QTest::newRow("material out of range")
            << kValid + " --material 7" << QStringList{"--material", "6"};
        QTest::newRow("stack at no pressure")
            << kValid + " --stack 20,12,5,0" << QStringList{"--stack", "ciśnienia P", "0"};
        QTest::newRow("negative underpressure")
            << kValid + " --underpressure -1" << QStringList{"--underpressure", "0 lub większego"};
        QTest::newRow("inlet out of range")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5,4 --model 5" << QStringList{"--hall"};
        QTest::newRow("grille out of range")
            << "--density 1.2 --wind 4 --round 0.16 --building-adjustable 3,5,6,10 --model 5"
            << QStringList{"--building-adjustable"};
        QTest::newRow("missing wind")
            << "--density 1.2 --round 0.16 --hall 5 --model 5" << QStringList{"--wind"};
        QTest::newRow("missing air")
            << "--wind 4 --round 0.16 --hall 5 --model 5" << QStringList{"--density", "--weather"};
        QTest::newRow("missing duct")
            << "--density 1.2 --wind 4 --hall 5 --model 5" << QStringList{"--round", "--rect"};
        QTest::newRow("missing installation")
            << "--density 1.2 --wind 4 --round 0.16 --model 5" << QStringList{"--hall"};
        QTest::newRow("missing model")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5" << QStringList{"--model"};
        QTest::newRow("printer with all")
            << "--density 1.2 --wind 4 --round 0.16 --hall 5 --all --printer"
            << QStringList{"--printer", "--all"};
        QTest::newRow("printer with json")
            << kValid + " --printer --format json" << QStringList{"--printer", "json"};
        QTest::newRow("bad format") << kValid + " --format xml" << QStringList{"--format", "xml"};
        QTest::newRow("unknown option") << kValid + " --colour red" << QStringList{"colour"};
        QTest::newRow("positional") << kValid + " extra" << QStringList{"extra"};
        QTest::newRow("missing value") << kValid.left(kValid.size() - 2) << QStringList{"--model"};
        QTest::newRow("value to a flag") << kValid + " --all=1" << QStringList{"--all"};
        SweepRows();
    }
    void usageErrors()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, named);
        const CliParseResult result = Parse(line);
        QVERIFY2(result.Failed(), qPrintable(line));
        const QString message = QString::fromStdString(result.Reason());
        for (const QString& name : named)
            QVERIFY2(message.contains(name), qPrintable(message));
    }

    // A value must be entirely a number; only then does it take its field's meaning.
    void valuesMustBeNumbers_data()
    {
        QTest::addColumn<QString>("wind");
        for (const char* bad :
             {"abc", "4abc", "", "nan", "inf", "0x10", "1e400", "4,5", "1.2.3", " 4", "e5", "."})
            QTest::newRow(bad) << QString(bad);
    }
    void valuesMustBeNumbers()
    {
        QFETCH(QString, wind);
        const CliParseResult result =
            ParseCliArguments(QStringList{"wywietrznik-cli", "--density", "1.2", "--wind", wind,
                                          "--round", "0.16", "--hall", "5", "--model", "5"});
        QVERIFY(result.Failed());
        QVERIFY(QString::fromStdString(result.Reason()).contains("--wind"));
        QVERIFY(QString::fromStdString(result.Reason()).contains("\"" + wind + "\""));
    }

    // The reasons of a number too large and of the template with other options.
    void usageReasons_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("1e400")
            << "--density 1.2 --wind 1e400 --round 0.16 --hall 5 --model 5"
            << "wywietrznik-cli: opcja --wind: wartość \"1e400\" jest poza zakresem liczb";
        QTest::newRow("template and wind")
            << "--schedule-template --wind 4"
            << "wywietrznik-cli: opcja --schedule-template nie łączy się z innymi opcjami, "
               "podano --wind";
        QTest::newRow("workbook to the terminal")
            << "--schedule blok.wyw --format xlsx"
            << "wywietrznik-cli: --format xlsx wymaga --output PLIK.xlsx (skoroszytu nie "
               "wypisuje się na terminal)";
        QTest::newRow("output without a workbook")
            << "--schedule blok.wyw --output blok.xlsx"
            << "wywietrznik-cli: opcja --output działa tylko z --format xlsx";
        QTest::newRow("workbook of one run") << kValid + " --format xlsx --output a.xlsx"
                                             << "wywietrznik-cli: --format xlsx działa tylko z "
                                                "--schedule albo --all";
    }
    void usageReasons()
    {
        QFETCH(QString, arguments);
        QTEST(QString::fromStdString(Parse(arguments).Reason()), "reason");
    }

    void valuesGoThroughTheFieldConversion()
    {
        const CliParseResult ok = Parse("--weather 20.7,1013,55.5 --wind -3.26 "
                                        "--rect 0.2,+4e-1 --building-rect 3,3.5,0.2,0.2,4 "
                                        "--model 5");
        const auto* request = CommandOf<CliRequest>(ok);
        QVERIFY(request);
        QCOMPARE(request->temperature, 20);
        QCOMPARE(request->pressure, 1013);
        QCOMPARE(request->humidity, 55);
        QCOMPARE(request->windSpeed, -3.26);
        QCOMPARE(request->sideB, 0.4);
        QCOMPARE(request->installation.storeys, 3);
        QCOMPARE(request->installation.grilleLoss, 4.0);
        QCOMPARE(request->material, 1); // the first choice, as the dialog
    }

    void negativeValueWithEquals()
    {
        const CliParseResult result =
            Parse("--density 1.2 --wind=-3 --round 0.16 --hall 5,2 --model 27 --material 6");
        const auto* request = CommandOf<CliRequest>(result);
        QVERIFY(request);
        QCOMPARE(request->windSpeed, -3.0);
        QCOMPARE(request->installation.inlet, 2);
        QCOMPARE(request->model, 27);
        QCOMPARE(request->material, 6);
    }

    void allNeedsNoModel()
    {
        const CliParseResult result = Parse("--density 1.2 --wind 4 --round 0.16 --hall 5 --all");
        const auto* request = CommandOf<CliRequest>(result);
        QVERIFY(request);
        QVERIFY(request->all);
        QCOMPARE(request->model, 0);
    }

    void helpAndVersion()
    {
        for (const char* flag : {"--help", "-h"}) {
            const CliParseResult help = Parse(kValid + " " + flag);
            const std::string text = CommandOf<CliInformation>(help)->text;
            for (const char* listed :
                 {"--building-adjustable", " 5  KALMO-160               0.160",
                  " 8  OSTREL-160 poprzecznie  0.160\n",
                  "\n  --format text|json|csv|xlsx              postać wyniku",
                  "\n                                           wejście) zamiast opcji danych; "
                  "--model",
                  "4 nieczytelny plik obliczeń", "Rura stalowa ocynkowana czysta – 1.8",
                  "Zaokrąglony – 0.1", "KTV 200 – 0.163"})
                QVERIFY2(text.find(listed) != std::string::npos, listed);
        }
        const CliParseResult version = Parse("--version");
        QVERIFY(CommandOf<CliInformation>(version)->text.find(WYW_PROJECT_VERSION) !=
                std::string::npos);
    }

    // The README shows --help up to the tables, and must not drift from it.
    void readmeShowsTheHelp()
    {
        QFile readme(QStringLiteral(WYW_README));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(readme.readAll());
        const qsizetype start = text.indexOf("```\nUżycie: wywietrznik-cli");
        const qsizetype end = text.indexOf("```\n", start + 4);
        QVERIFY(start >= 0 && end > start);
        const QString help = QString::fromStdString(CommandOf<CliInformation>(Parse("-h"))->text);
        QCOMPARE(text.mid(start + 4, end - start - 4),
                 help.left(help.indexOf("\n\nWywietrzniki (--model)") + 1));
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "test_cli_options.moc"
