// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "project/project_file.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

Project Sample()
{
    Project project;
    CalcState& s = project.state;
    s.DensityEntered = true;
    s.AirDensity = 0.1 + 0.2; // not short in decimal: full precision must survive
    s.WindSpeed = 4.0;
    s.DuctRound = true;
    s.DuctDiameter = 0.16;
    s.DuctArea = 3.141592653589793 * 0.16 * 0.16 / 4;
    s.DuctRoughness = 1.8;
    s.IsHall = true;
    s.DuctLength = 5.0;
    s.LossCoefficient = 0.5;
    s.VentilatorIndex = 5;
    s.VentilatorName = LookUpVentilator(5).Name;
    project.dialogs[QStringLiteral("OKBottomDlg")] = {
        {QStringLiteral("Edit1"), QStringLiteral("1,2")},
        {QStringLiteral("Edit2"), QStringLiteral("4")}};
    project.dialogs[QStringLiteral("OKBottomDlg3")] = {{QStringLiteral("RadioButton1"), true}};
    project.dialogs[QStringLiteral("Form2222")] = {{QStringLiteral("ComboBox1"), 3}};
    return project;
}

// A building with a rectangular grille as the first format kept it, with
// results shown or not; the storey count written as 0.3e1.
QByteArray FormatOne(const char* ductArea, int results)
{
    return QByteArray(R"({"format": "wywietrznik-obliczenia", "formatVersion": 1,
 "programVersion": "1.1.0",
 "inputs": {"DensityEntered": 1, "AirDensity": 1.2, "WindSpeed": 4, "DuctRound": 1,
  "DuctDiameter": 0.16, "DuctArea": )") +
           ductArea + R"(, "DuctSideA": 0, "DuctSideB": 0, "DuctRoughness": 1.8,
  "InstallationType": 1, "IsHall": 0, "DuctLength": 9, "LossCoefficient": 15,
  "StoreyCount": 0.3e1, "StoreyHeight": 3, "GrilleSizeA": 0.2, "GrilleSizeB": 0.2,
  "GrilleArea": 0.04000000000000001},
 "ventilator": {"VentilatorIndex": 5, "VentilatorName": "KALMO-160"},
 "results": {"ResultsShown": )" +
           QByteArray::number(results) + R"(, "ResultsPrintable": 1, "FlowPerHour": 120.5,
  "VentilatorSuction": -3.5, "DuctVelocity": 1.7},
 "dialogs": {}})";
}

QByteArray SampleBytes()
{
    return ProjectBytes(Sample()).Value();
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip()
    {
        const auto read = ParseProject(SampleBytes());
        QVERIFY(!read.Failed());
        const Project& project = read.Value();
        QCOMPARE(project.state, Sample().state);
        QVERIFY(project.state.AirDensity == 0.1 + 0.2);
        QVERIFY(project.dialogs == Sample().dialogs);
        QVERIFY(SampleBytes().contains("\"AirDensity\": 0.30000000000000004"));
    }

    // A file without a schedule or a weather opens with neither.
    void partsAbsent()
    {
        const auto read = ParseProject(SampleBytes());
        QVERIFY2(read, read.Reason().c_str());
        QVERIFY(!read.Value().schedule);
        QVERIFY(!read.Value().weather);
    }

    // The weather's source, site, period, need and H survive the file; a
    // file of format 3 opens with none, and may not hold one.
    void weatherRoundTrip_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<QString>("period");
        QTest::newRow("EPW file, heating season") << true << "heating";
        QTest::newRow("distribution, months") << false << "11-3";
    }
    void weatherRoundTrip()
    {
        QFETCH(bool, file);
        QFETCH(QString, period);
        Project project = Sample();
        project.weather = WeatherSetting{
            file ? WeatherFileSource("pogoda/Kraków.epw", FileChecksum("8760 godzin"))
                 : WindDistributionSource(3.949, 1.8, true),
            Site{1, 4, 0.1 + 0.2}, ParsePeriod(period.toStdString()).Value(), 120.5, 14.0};
        const QByteArray bytes = ProjectBytes(project).Value();
        QVERIFY(bytes.contains("\"Period\": \"" + period.toUtf8() + "\""));
        const auto read = ParseProject(bytes);
        QVERIFY2(read, read.Reason().c_str());
        QVERIFY(read.Value().weather == project.weather);
        QByteArray older = bytes;
        older.replace("\"formatVersion\": 4", "\"formatVersion\": 3");
        QCOMPARE(QString::fromStdString(ParseProject(older).Reason()),
                 "plik pochodzi z innej wersji programu");
        QVERIFY(!ParseProject(SampleBytes().replace("\"formatVersion\": 4", "\"formatVersion\": 3"))
                     .Value()
                     .weather);
    }

    void weatherRefused_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("reason");
        QTest::newRow("checksum") << QByteArray("\"Checksum\": \"")
                                  << QByteArray("\"Checksum\": \"x")
                                  << "pogoda: pole Checksum nie jest sumą kontrolną (16 cyfr "
                                     "szesnastkowych)";
        QTest::newRow("category") << QByteArray("\"StationTerrain\": 2")
                                  << QByteArray("\"StationTerrain\": 5")
                                  << "pogoda: pole StationTerrain nie jest kategorią terenu 0…4";
        QTest::newRow("height") << QByteArray("\"VentilatorHeight\": 16")
                                << QByteArray("\"VentilatorHeight\": 0")
                                << "pogoda: pole VentilatorHeight ma wartość spoza zakresu "
                                   ">0…1000";
        QTest::newRow("period") << QByteArray("\"Period\": \"year\"")
                                << QByteArray("\"Period\": \"13-2\"")
                                << "pogoda: pole Period nie jest okresem year, heating ani M1-M2";
        QTest::newRow("need") << QByteArray("\"Need\": 100") << QByteArray("\"Need\": -1")
                              << "pogoda: pole Need ma wartość spoza zakresu >0…100000";
        QTest::newRow("H") << QByteArray("\"DraughtHeight\": 15")
                           << QByteArray("\"DraughtHeight\": \"15\"")
                           << "pogoda: pole DraughtHeight ma wartość spoza zakresu >0…1000";
    }
    void weatherRefused()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, reason);
        Project project = Sample();
        project.weather = WeatherSetting{WeatherFileSource("rok.epw", FileChecksum("")),
                                         Site{2, 3, 16.0}, WholeYear(), 100.0, 15.0};
        QByteArray bytes = ProjectBytes(project).Value();
        QVERIFY(bytes.contains(from));
        QCOMPARE(QString::fromStdString(ParseProject(bytes.replace(from, to)).Reason()), reason);
    }

    // A file written before the window kept its period, need and H opens
    // with the whole year and neither.
    void weatherWithoutWindowKeys()
    {
        Project project = Sample();
        project.weather = WeatherSetting{WeatherFileSource("rok.epw", FileChecksum("")),
                                         Site{2, 3, 16.0}, HeatingSeason(), 100.0, 15.0};
        QByteArray bytes = ProjectBytes(project).Value();
        for (const char* key :
             {"\"Period\": \"heating\",", "\"Need\": 100,", "\"DraughtHeight\": 15,"}) {
            QVERIFY2(bytes.contains(key), key);
            bytes.replace(key, "");
        }
        const auto read = ParseProject(bytes);
        QVERIFY2(read, read.Reason().c_str());
        QVERIFY(read.Value().weather ==
                (WeatherSetting{project.weather->source, project.weather->site}));
    }

    // A file of the first format keeps the whole state; a state that agrees
    // with its derivation opens as it was, whole numbers written with exponents.
    void formatOne()
    {
        const auto read = ParseProject(FormatOne("0.02010619298297468", 1));
        QVERIFY(!read.Failed());
        const CalcState& s = read.Value().state;
        QCOMPARE(s.StoreyCount, 3);
        QCOMPARE(s.DuctLength, 9.0);
        QCOMPARE(s.GrilleArea, 0.04000000000000001);
        QCOMPARE(s.VentilatorIndex, 5);
        QCOMPARE(s.FlowPerHour, 120.5);
        QCOMPARE(QByteArray(s.VentilatorName.data(), s.VentilatorName.size()),
                 QByteArray("KALMO-160"));
        QVERIFY(read.Value().dialogs.empty());
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QByteArray whole = SampleBytes();
        QByteArray wrongType = whole;
        wrongType.replace("\"WindSpeed\": 4", "\"WindSpeed\": \"4\"");
        QByteArray wrongControl = whole;
        wrongControl.replace("\"ComboBox1\": 3", "\"ComboBox1\": [3]");
        QByteArray newer = whole;
        newer.replace("\"formatVersion\": 4", "\"formatVersion\": 5");
        QByteArray twice = whole;
        twice.replace("\"WindSpeed\": 4", "\"WindSpeed\": \"x\", \"WindSpeed\": 4");
        QByteArray derived = whole;
        derived.replace("\"DuctDiameter\": 0.16", "\"DuctDiameter\": 0.16, \"DuctArea\": 1e308");
        QByteArray foreignDialog = whole;
        foreignDialog.replace("\"Form2222\"", "\"Dialog33\"");
        QByteArray noIndex = whole;
        noIndex.replace("\"VentilatorIndex\": 5", "\"VentilatorIndex\": 28");
        QTest::newRow("cut in half")
            << whole.left(whole.size() / 2) << "plik jest uszkodzony lub niepełny";
        QTest::newRow("wrong type") << wrongType << "pole WindSpeed nie jest liczbą.";
        QTest::newRow("wrong control type")
            << wrongControl << "plik pochodzi z innej wersji programu.";
        QTest::newRow("a key twice")
            << twice << "klucz „WindSpeed” występuje w jednym obiekcie więcej niż raz.";
        QTest::newRow("a derived field kept")
            << derived << "pole DuctArea nie należy do danych tych obliczeń.";
        QTest::newRow("format 1, area against diameter")
            << FormatOne("1e308", 0)
            << "pole DuctArea (1e+308) przeczy danym, z których wynika "
               "(0.02010619298297468).";
        QTest::newRow("format 1, duct length against storeys")
            << FormatOne("0.02010619298297468", 1).replace("\"DuctLength\": 9", "\"DuctLength\": 8")
            << "pole DuctLength (8) przeczy danym, z których wynika (9).";
        QTest::newRow("index outside the catalogue")
            << noIndex << "pole VentilatorIndex nie jest liczbą całkowitą od 0 do 27.";
        // Fields that no dialog writes: refused whole, the field named.
        const auto changed = [&whole](const char* from, const char* to, bool results = false) {
            QByteArray bytes = whole;
            if (results)
                bytes.replace("\"ResultsShown\": 0", "\"ResultsShown\": 1");
            return bytes.replace(from, to);
        };
        QTest::newRow("installation outside 0..3")
            << changed("\"InstallationType\": 0", "\"InstallationType\": 4")
            << "pole InstallationType nie jest liczbą całkowitą od 0 do 3.";
        QTest::newRow("flag 2") << changed("\"ResultsShown\": 0", "\"ResultsShown\": 2")
                                << "pole ResultsShown nie jest liczbą całkowitą od 0 do 1.";
        QTest::newRow("a key beside VentilatorIndex")
            << changed("\"VentilatorIndex\": 5", "\"VentilatorIndex\": 5, \"Colour\": 1")
            << "pole Colour nie należy do części „ventilator”.";
        QTest::newRow("a key in results")
            << changed("\"ResultsShown\": 0", "\"ResultsShown\": 0, \"Notes\": 1")
            << "pole Notes nie należy do części „results”.";
        QTest::newRow("an unknown dialog")
            << foreignDialog << "okno dialogowe Dialog33 nie należy do tego programu.";
        QTest::newRow("an unknown control")
            << changed("\"ComboBox1\": 3", "\"ComboBox7\": 3")
            << "pole ComboBox7 okna dialogowego Form2222 nie należy do tego programu.";
        QTest::newRow("roughness 0 with results")
            << changed("\"DuctRoughness\": 1.8", "\"DuctRoughness\": 0", true)
            << "pole DuctRoughness (0) nie jest chropowatością żadnego z materiałów kanału.";
        QTest::newRow("hall loss -0.5")
            << changed("\"LossCoefficient\": 0.5", "\"LossCoefficient\": -0.5", true)
            << "pole LossCoefficient (-0.5) nie jest współczynnikiem strat żadnego z wlotów hali.";
        // A whole sentence as the reason: one full stop.
        QTest::newRow("results on density 0")
            << changed("\"AirDensity\": 0.30000000000000004", "\"AirDensity\": 0", true)
            << "Gęstość powietrza musi być większa od zera i nie większa niż 5 kg/m3 – popraw "
               "parametry powietrza.";
        QTest::newRow("newer format") << newer
                                      << "plik zapisano w nowszym formacie (wersja 5), a ten "
                                         "program zna wersję 4.";
        QTest::newRow("not JSON") << QByteArray("Qh = 123.4\n") << "plik jest uszkodzony";
        QTest::newRow("foreign JSON")
            << QByteArray("{\"name\": \"x\"}") << "to nie jest plik obliczeń tego programu.";
        QTest::newRow("empty") << QByteArray() << "plik jest pusty.";
        QTest::newRow("directory") << QByteArray("<dir>") << "to jest katalog, nie plik.";
    }
    void damaged()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("obliczenia.wyw"));
        if (content == "<dir>") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("obliczenia.wyw")));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const auto read = ReadProjectFile(path);
        QVERIFY(read.Failed());
        const QString message = ReasonOf(read);
        QVERIFY2(message.startsWith(
                     QStringLiteral("Nie można otworzyć obliczeń z pliku „%1”: ").arg(path)),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY2(!message.endsWith(".."), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
