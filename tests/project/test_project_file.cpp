#include "calc/catalogue.h"
#include "project/project_file.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

Project Sample()
{
    Project project;
    CalcState& s = project.state;
    s.DensityEntered = 1;
    s.AirDensity = 0.1 + 0.2; // not short in decimal: full precision must survive
    s.WindSpeed = 4.0;
    s.DuctRound = 1;
    s.DuctDiameter = 0.16;
    s.DuctArea = 3.141592653589793 * 0.16 * 0.16 / 4;
    s.DuctRoughness = 1.8;
    s.IsHall = 1;
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

QByteArray SampleBytes()
{
    return std::get<QByteArray>(ProjectBytes(Sample()));
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip()
    {
        const auto read = ParseProject(SampleBytes());
        QVERIFY(std::holds_alternative<Project>(read));
        const Project& project = std::get<Project>(read);
        QCOMPARE(project.state, Sample().state);
        QVERIFY(project.state.AirDensity == 0.1 + 0.2);
        QVERIFY(project.dialogs == Sample().dialogs);
        QVERIFY(SampleBytes().contains("\"AirDensity\": 0.30000000000000004"));
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
        newer.replace("\"formatVersion\": 1", "\"formatVersion\": 2");
        QByteArray noIndex = whole;
        noIndex.replace("\"VentilatorIndex\": 5", "\"VentilatorIndex\": 28");
        QTest::newRow("cut in half")
            << whole.left(whole.size() / 2) << "plik jest uszkodzony lub niepełny";
        QTest::newRow("wrong type") << wrongType << "pole WindSpeed nie jest liczbą.";
        QTest::newRow("wrong control type")
            << wrongControl << "pole ComboBox1 okna Form2222 ma zły typ.";
        QTest::newRow("index outside the catalogue")
            << noIndex << "pole VentilatorIndex nie jest liczbą całkowitą od 0 do 27.";
        QTest::newRow("newer format") << newer
                                      << "plik zapisano w nowszym formacie (wersja 2), a ten "
                                         "program zna wersję 1.";
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
        QVERIFY(std::holds_alternative<QString>(read));
        const QString message = std::get<QString>(read);
        QVERIFY2(message.startsWith(
                     QStringLiteral("Nie można otworzyć obliczeń z pliku „%1”: ").arg(path)),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
