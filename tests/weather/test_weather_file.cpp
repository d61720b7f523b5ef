// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "test_epw.h"
#include "weather/epw.h"
#include "weather/hourly.h"
#include "weather/terrain.h"

#include "sample_states.h"
#include <QTemporaryDir>

#include <QtTest>

#include <fmt/format.h>

#include <fstream>
#include <sstream>

namespace {

std::string EpwText(const char* lineEnd = "\n")
{
    return TestEpwText(lineEnd);
}

// Replaces line `number` (from 1) of the text.
std::string WithLine(std::string text, int number, const std::string& line)
{
    std::size_t start = 0;
    for (int i = 1; i < number; ++i)
        start = text.find('\n', start) + 1;
    return text.replace(start, text.find('\n', start) - start, line);
}

Result<WeatherYear> ReadThroughFile(const std::string& text)
{
    QTemporaryDir directory;
    const std::string path = directory.filePath("rok.epw").toStdString();
    std::ofstream(path, std::ios::binary) << text;
    std::ifstream in(path, std::ios::binary);
    return ReadEpw(in);
}

// A building of 5 storeys of 3 m, a round duct of 0.16 m, rectangular
// grilles 0.2 x 0.2 m with a loss coefficient of 15; the ventilator at 20 m,
// the terrain III, the station's II.
HourlyCase Building(double need)
{
    HourlyCase c;
    c.state = BuildingState();
    c.height = 15.0;
    c.windRatio = TerrainWindRatio(20.0).Value();
    c.need = need;
    return c;
}

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

} // namespace

class TestWeatherFile : public QObject {
    Q_OBJECT
private slots:
    void readsTheYear_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("LF") << QByteArray::fromStdString(EpwText());
        QTest::newRow("CRLF, byte-order mark, blank line at the end")
            << QByteArray::fromStdString("\xEF\xBB\xBF" + EpwText("\r\n") + "\r\n");
    }
    void readsTheYear()
    {
        QFETCH(QByteArray, text);
        const Result<WeatherYear> year = ReadThroughFile(text.toStdString());
        QVERIFY2(year, year.Reason().c_str());
        const WeatherYear& y = year.Value();
        QCOMPARE(y.station.name, "Testowo");
        QCOMPARE(y.station.country, "POL");
        QCOMPARE(y.station.latitude, 52.17);
        QCOMPARE(y.station.longitude, 20.97);
        QCOMPARE(y.station.elevation, 107.0);
        QCOMPARE(y.hours.size(), std::size_t{8760});
        QCOMPARE(std::count_if(y.hours.begin(), y.hours.end(),
                               [](const WeatherHour& h) { return h.missing; }),
                 4008);
        QCOMPARE(y.hours[8759].month, 12);
        QCOMPARE(y.hours[8759].day, 31);
        QCOMPARE(y.hours[8759].hour, 24);
    }

    void refusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        const std::string good = EpwText();
        QTest::newRow("an hour short")
            << QByteArray::fromStdString(good.substr(0, good.rfind('\n', good.size() - 2) + 1))
            << "wiersz 8767: plik kończy się po 8759 godzinach – rok ma 8760 godzin (8784 w roku "
               "przestępnym)";
        QTest::newRow("too few fields")
            << QByteArray::fromStdString(WithLine(good, 125, "1990,1,5,12,60,?,-5.0,0,80,101325"))
            << "wiersz 125: za mało pól (10, potrzeba co najmniej 22)";
        QTest::newRow("text in the wind")
            << QByteArray::fromStdString(WithLine(
                   good, 125, "1990,1,5,12,60,?,-5.0,0,80,101325,0,0,0,0,0,0,0,0,0,0,180,abc,5"))
            << "wiersz 125: pole 22 (prędkość wiatru) „abc” nie jest liczbą";
        QTest::newRow("not EPW")
            << QByteArray::fromStdString(WithLine(good, 1, "Data,Godzina,Temperatura"))
            << "wiersz 1: to nie jest plik pogodowy EPW – brak wiersza LOCATION";
    }
    void refusesDamagedFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const Result<WeatherYear> year = ReadThroughFile(text.toStdString());
        QVERIFY(!year);
        QCOMPARE(QString::fromStdString(year.Reason()), reason);
    }

    void countsTheHours_data()
    {
        QTest::addColumn<bool>("heating");
        QTest::addColumn<QList<int>>("counts"); // period, computed, meeting, no flow, missing
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("exceeded50");
        QTest::addColumn<int>("worstMonth");
        QTest::newRow("the year") << false << QList<int>{8760, 4752, 2004, 2748, 4008} << "0.4217"
                                  << "0.0000" << 7;
        QTest::newRow("the heating season")
            << true << QList<int>{5088, 2544, 1272, 1272, 2544} << "0.5000"
            << "160.4207" << 1;
    }
    void countsTheHours()
    {
        QFETCH(bool, heating);
        QFETCH(QList<int>, counts);
        QFETCH(QString, share);
        QFETCH(QString, exceeded50);
        QFETCH(int, worstMonth);
        const Result<WeatherYear> year = ReadEpwText(EpwText());
        HourlyCase c = Building(100.0);
        c.period = heating ? HeatingSeason() : WholeYear();
        const Result<HourlySummary> result = EvaluateYear(c, LookUpVentilator(5), year.Value());
        QVERIFY2(result, result.Reason().c_str());
        const HourlySummary& s = result.Value();
        QCOMPARE((QList<int>{s.periodHours, s.computedHours, s.meetingHours, s.noFlowHours,
                             s.missingHours}),
                 counts);
        QCOMPARE(s.refusedHours + s.outOfRangeHours, 0);
        QCOMPARE(Fixed(s.share, 4), share);
        QCOMPARE(Fixed(s.flowExceeded50, 4), exceeded50);
        QCOMPARE(Fixed(s.flowExceeded90, 4), "0.0000");
        QCOMPARE(s.worstMonth, worstMonth);
        QCOMPARE(Fixed(s.months[0].share, 4), "0.5000");
        QCOMPARE(s.durationCurve.size(), static_cast<std::size_t>(counts[1]));
    }

    // The first hour, listed, is one run of the command line:
    // wywietrznik-cli --density 1.3154861229927557 --wind 3.5942758383483024
    //   --stack 20,-5,15 --round 0.16 --building-rect 3,5,0.2,0.2,15 --model 5
    // gives Qh = 160.4207 (160.42072729914454 in --format json) at 101325 Pa.
    void listedHourIsOneRun()
    {
        const Result<WeatherYear> year = ReadEpwText(EpwText());
        const std::vector<HourRow> rows =
            ListHours(Building(100.0), LookUpVentilator(5), year.Value());
        QCOMPARE(rows.size(), std::size_t{8760});
        const HourRow& first = rows.front();
        QCOMPARE(first.status, HourStatus::Flow);
        QCOMPARE(first.density, 1.3154861229927557);
        QCOMPARE(first.wind, 3.5942758383483024);
        QCOMPARE(first.outside, -5.0);
        QCOMPARE(first.flowPerHour, 160.42072729914454);
        QCOMPARE(Fixed(first.flowPerHour, 4), "160.4207");
        QCOMPARE(rows[1].status, HourStatus::NoDraught);
        QCOMPARE(rows[2].status, HourStatus::Missing);
        QCOMPARE(rows[3].status, HourStatus::Missing);
    }

    // The real year of a station: the fast evaluation gives every model the
    // summary of the plain per-hour loop, bit for bit, and the share alone
    // the same share.
    void fastEqualsPlainOnRealYear()
    {
        std::ifstream in(WYW_WEATHER_FILE, std::ios::binary);
        const Result<WeatherYear> year = ReadEpw(in);
        QVERIFY2(year, year.Reason().c_str());
        QCOMPARE(year.Value().station.name, "Chicago Ohare Intl Ap");
        QCOMPARE(year.Value().hours.size(), std::size_t{8760});
        HourlyCase c = Building(60.0);
        c.windRatio = TerrainWindRatio(16.0).Value();
        const HourlyYear prepared = HourlyYear::Prepare(c, year.Value()).Value();
        const std::array<HourlySummary, kVentilatorCount> fast = prepared.EvaluateAllModels();
        for (std::size_t i = 0; i < fast.size(); ++i) {
            const HourlySummary plain =
                EvaluateYearPlain(c, kVentilatorCatalogue[i], year.Value()).Value();
            QCOMPARE(prepared.DuctShare(c.state, c.need, kVentilatorCatalogue[i]).Value(),
                     plain.share);
            QCOMPARE(fast[i].meetingHours, plain.meetingHours);
            QCOMPARE(fast[i].noFlowHours, plain.noFlowHours);
            QCOMPARE(fast[i].outOfRangeHours, plain.outOfRangeHours);
            QCOMPARE(fast[i].refusedHours, plain.refusedHours);
            QVERIFY(fast[i].durationCurve == plain.durationCurve);
            QCOMPARE(fast[i].worstMonth, plain.worstMonth);
        }
        const std::vector<double>& curve = fast[4].durationCurve;
        QVERIFY(std::is_sorted(curve.rbegin(), curve.rend()));
        QCOMPARE(curve.front(), *std::max_element(curve.begin(), curve.end()));
        QCOMPARE(fast[4].missingHours, 0);
        QCOMPARE(fast[4].computedHours, 8760);
    }
};

QTEST_GUILESS_MAIN(TestWeatherFile)
#include "test_weather_file.moc"
