// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_batch.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "project/project_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A CSV line split into its fields, quotes undone.
QStringList CsvFields(const QString& line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.last() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields << QString();
        else
            fields.last() += c;
    }
    return fields;
}

QString RandomCase(QRandomGenerator& random)
{
    auto real = [&](double low, double high) {
        return QString::number(low + random.bounded(1.0) * (high - low), 'g', 17);
    };
    QString text = "--density " + real(1.0, 1.4) + " --wind " + real(0.5, 10);
    text += random.bounded(2) ? " --round " + real(0.05, 0.6)
                              : " --rect " + real(0.05, 0.6) + "," + real(0.05, 0.6);
    text += " --material " + QString::number(1 + random.bounded(6));
    switch (random.bounded(3)) {
    case 0:
        text += " --hall " + real(0.5, 30) + "," + QString::number(1 + random.bounded(3));
        break;
    case 1:
        text += " --building-round " + real(2.5, 3.5) + "," +
                QString::number(1 + random.bounded(12)) + "," + real(0.05, 0.3) + "," +
                real(0.5, 3);
        break;
    default:
        text += " --building-adjustable 3," + QString::number(1 + random.bounded(12)) + "," +
                QString::number(1 + random.bounded(5)) + "," + QString::number(random.bounded(21));
    }
    return text + " --model " + QString::number(1 + random.bounded(27));
}

// The single run of a case in JSON.
QJsonObject Single(const QString& text)
{
    QStringList words = text.split(' ', Qt::SkipEmptyParts);
    words.prepend("wywietrznik-cli");
    CliRequest request = *CommandOf<CliRequest>(ParseCliArguments(words));
    request.format = CliRequest::Format::Json;
    std::string out;
    std::string err;
    RunCli(request, out, err);
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
}

} // namespace

class TestCliBatch : public QObject {
    Q_OBJECT
private slots:
    // Random cases, row by row equal to single runs; a bad case and a
    // comment do not stop the batch.
    void rowsEqualSingleRuns()
    {
        QRandomGenerator random(13);
        QStringList cases;
        for (int i = 0; i < 300; ++i)
            cases << RandomCase(random);
        const QString batch = "# a building\n\n" + cases.join('\n') +
                              "\n--density 1.2 --wind 4 --round 0.16 --hall 5 --model 30\n";
        std::string out;
        const int status = RunBatchText(batch.toStdString(), CliRequest::Format::Csv, out);
        QStringList rows = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.takeFirst(),
                 QString("wiersz,przypadek,wywietrznik,v,Q,Qh,DPsw,c,stan,powód"));
        QCOMPARE(rows.size(), cases.size() + 1);
        for (int i = 0; i < cases.size(); ++i) {
            const QStringList row = CsvFields(rows[i]);
            QCOMPARE(row[0], QString::number(i + 3));
            QCOMPARE(row[1], cases[i]);
            const QJsonObject single = Single(cases[i]);
            const QJsonObject result = single.value("result").toObject();
            const QString reason = single.value("reason").toString();
            QCOMPARE(row[8], QString(!result.isEmpty()               ? "wynik"
                                     : reason == "brak punktu pracy" ? "brak punktu pracy"
                                                                     : "dane odrzucone"));
            QCOMPARE(row[9], reason);
            if (!result.isEmpty()) {
                QCOMPARE(row[4].toDouble(), result.value("Q").toDouble());
                QCOMPARE(row[5].toDouble(), result.value("FlowPerHour").toDouble());
                QCOMPARE(row[6].toDouble(), result.value("VentilatorSuction").toDouble());
                QCOMPARE(row[7].toDouble(), result.value("DuctVelocity").toDouble());
            }
        }
        QCOMPARE(CsvFields(rows.last()).mid(8),
                 QStringList({"błąd", "wywietrznik-cli: --model musi być liczbą całkowitą od 1 "
                                      "do 27 (podano \"30\")"}));
        QCOMPARE(status, 2);
    }

    // --all inside a line gives a row for every model; JSON gives one object a
    // line, as the single run gives it.
    void allAndJson()
    {
        const std::string line = "--density 1.2 --wind 4 --round 0.16 --hall 5 --all";
        std::string csv;
        QCOMPARE(RunBatchText(line, CliRequest::Format::Csv, csv), 0);
        QCOMPARE(QString::fromStdString(csv).count('\n'), 1 + 27);
        std::string json;
        QCOMPARE(RunBatchText(line + "\n", CliRequest::Format::Json, json), 0);
        QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
        QCOMPARE(object.take("line").toInt(), 1);
        QCOMPARE(object.take("case").toString(), QString::fromStdString(line));
        QCOMPARE(object, Single(QString::fromStdString(line)));
    }

    // A line with a control character or bytes that are not UTF-8 is refused
    // (status 2); its text is written with the characters escaped and the
    // bytes replaced, never raw.
    void controlsAndUtf8_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("json");
        const QByteArray control = "wiersz zawiera znak sterujący ";
        // The JSON line of a refused case.
        auto json = [](const QByteArray& text, const QByteArray& error) {
            return "{\"case\":\"" + text + "\",\"error\":\"" + error + "\",\"line\":1}";
        };
        QTest::newRow("NUL") << QByteArray("--hall 5\0x", 10)
                             << "--hall 5\\u0000x,,,,,,,błąd," + control + "U+0000 na pozycji 9"
                             << json("--hall 5\\u0000x", control + "U+0000 na pozycji 9");
        QTest::newRow("DEL") << QByteArray("  --wind 4\x7f")
                             << "--wind 4\\u007f,,,,,,,błąd," + control + "U+007F na pozycji 11"
                             << json("--wind 4\\u007f", control + "U+007F na pozycji 11");
        QTest::newRow("C1") << QByteArray("--wind 4\xc2\x85")
                            << "--wind 4\\u0085,,,,,,,błąd," + control + "U+0085 na pozycji 9"
                            << json("--wind 4\\u0085", control + "U+0085 na pozycji 9");
        QTest::newRow("CR inside")
            << QByteArray("--wind 4\r--hall 5\r")
            << "--wind 4\\u000d--hall 5,,,,,,,błąd," + control + "U+000D na pozycji 9"
            << json("--wind 4\\r--hall 5", control + "U+000D na pozycji 9");
        const QByteArray notUtf8 = "wiersz nie jest zapisany w UTF-8 (bajt 0xFF na pozycji 9)";
        QTest::newRow("not UTF-8")
            << QByteArray("--wind 4\xff\xfe") << "--wind 4��,,,,,,,błąd," + notUtf8
            << json("--wind 4��", notUtf8);
    }
    void controlsAndUtf8()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, csv);
        QFETCH(QByteArray, json);
        std::string out;
        QCOMPARE(RunBatchText(line.toStdString(), CliRequest::Format::Csv, out), 2);
        QCOMPARE(QByteArray::fromStdString(out),
                 "wiersz,przypadek,wywietrznik,v,Q,Qh,DPsw,c,stan,powód\n1," + csv + "\n");
        out.clear();
        QCOMPARE(RunBatchText(line.toStdString(), CliRequest::Format::Json, out), 2);
        QCOMPARE(QByteArray::fromStdString(out), json + "\n");
    }

    // A calculation kept in a file prints the report of the same inputs.
    void project()
    {
        const QString hall = "--density 1.2 --wind 4 --round 0.16 --hall 5 --model 5";
        QStringList words = hall.split(' ');
        words.prepend("wywietrznik-cli");
        const CliRequest request = *CommandOf<CliRequest>(ParseCliArguments(words));
        Project project{BuildCliInputs(request).state, {}, {}};
        QTemporaryDir dir;
        QFile file(dir.filePath("hala.wyw"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ProjectBytes(project).Value());
        file.close();
        std::string expected, out, err;
        QCOMPARE(RunCli(request, expected, err), 0);
        CliRequest fromFile = *CommandOf<CliRequest>(
            ParseCliArguments(QStringList{"cli", "--project", file.fileName()}));
        QCOMPARE(RunCli(fromFile, out, err), 0);
        QCOMPARE(QString::fromStdString(out), QString::fromStdString(expected));
    }
};

QTEST_GUILESS_MAIN(TestCliBatch)
#include "test_cli_batch.moc"
