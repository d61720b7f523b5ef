// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/derived.h"
#include "calc/number_format.h"
#include "test_epw.h"
#include "weather/weather_source.h"
#include "weather/year_inputs.h"
#include "weather/year_run.h"
#include "weather/year_text.h"

#include "sample_states.h"

#include <QtTest>

namespace {

// A building of 5 storeys of 3 m, a round duct of 0.16 m, rectangular
// grilles 0.2 x 0.2 m (loss coefficient 15); the ventilator at 20 m.
YearQuestion Building(double need)
{
    YearQuestion q;
    q.state = BuildingState();
    q.height = 15.0;
    q.need = need;
    q.site.height = ScheduleVentilatorHeight(5, 3.0) + 4.0;
    return q;
}

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

} // namespace

class TestYearRun : public QObject {
    Q_OBJECT
private slots:
    void checksumOfBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("checksum");
        QTest::newRow("empty") << QByteArray() << "cbf29ce484222325";
        QTest::newRow("a") << QByteArray("a") << "af63dc4c8601ec8c";
    }
    void checksumOfBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, checksum);
        QCOMPARE(QString::fromStdString(FileChecksum(bytes.toStdString())), checksum);
        QVERIFY(IsChecksum(checksum.toStdString()));
    }

    void readsPeriodsAndCategories_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("text"); // or the reason
        QTest::newRow("year") << "year"
                              << "cały rok";
        QTest::newRow("heating") << "heating"
                                 << "sezon grzewczy (1.10–30.04)";
        QTest::newRow("over the New Year") << "11-3"
                                           << "miesiące 11–3";
        QTest::newRow("month 13") << "13-2"
                                  << "okres to year, heating albo M1-M2 z miesiącami 1..12, "
                                     "podano: 13-2";
    }
    void readsPeriodsAndCategories()
    {
        QFETCH(QString, period);
        QFETCH(QString, text);
        const Result<WeatherPeriod> parsed = ParsePeriod(period.toStdString());
        QCOMPARE(QString::fromStdString(parsed ? PeriodText(parsed.Value()) : parsed.Reason()),
                 text);
        if (parsed) // written back as the file and the command line keep it
            QCOMPARE(QString::fromStdString(PeriodKey(parsed.Value())), period);
        QCOMPARE(TerrainCategoryOf("III"), 3);
        QCOMPARE(TerrainCategoryOf("4"), 4);
        QCOMPARE(TerrainCategoryOf("V"), -1);
    }

    // The window's fields: a decimal comma, the defaults of empty heights,
    // and the reason naming the field refused.
    void readsWindowFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason"); // empty: read
        QTest::newRow("need with a comma") << "need"
                                           << "120,5"
                                           << "";
        QTest::newRow("need as text") << "need"
                                      << "12a"
                                      << "Pole „Qh [m3/h]”: „12a” nie jest liczbą. Wpisz "
                                         "liczbę, np. 12 lub 12,5.";
        QTest::newRow("need too large") << "need"
                                        << "100001"
                                        << "Wymagana wydajność musi być większa od zera i nie "
                                           "większa niż 100000 m3/h – popraw wymaganą "
                                           "wydajność.";
        QTest::newRow("z above 1000 m") << "z"
                                        << "1000,5"
                                        << "Pole „z [m]” wymaga wysokości większej od zera i nie "
                                           "większej niż 1000 m.";
        QTest::newRow("k of 0") << "k"
                                << "0"
                                << "";
    }
    void readsWindowFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        YearInputTexts t;
        t.file = false;
        t.wind = "3,5";
        t.shape = "2";
        t.outside = "12";
        t.inside = "20";
        t.need = "100";
        (field == "need" ? t.need
         : field == "z"  ? t.ventilatorHeight
                         : t.shape) = text.toStdString();
        const Result<YearInputs> read = ReadYearInputs(t, 15.0);
        if (!reason.isEmpty() || field == "k") {
            QVERIFY(!read);
            if (!reason.isEmpty())
                QCOMPARE(QString::fromStdString(read.Reason()), reason);
            return;
        }
        QVERIFY2(read, read.Reason().c_str());
        QCOMPARE(read.Value().need, 120.5);
        QCOMPARE(read.Value().source.wind, 3.5);
        QCOMPARE(read.Value().site.height, 16.0);
        QCOMPARE(read.Value().draughtHeight, 15.0);
    }

    // The counted test year through the one entry point, one model and all 27.
    void countsTheTestYear()
    {
        const std::string bytes = TestEpwText();
        const Result<LoadedWeather> weather =
            LoadWeather(WeatherFileSource("rok.epw", "0000000000000000"), bytes);
        QVERIFY2(weather, weather.Reason().c_str());
        QVERIFY(weather.Value().changed);
        const YearQuestion q = Building(100.0);
        const Result<YearOutcome> one = EvaluateYearModel(weather.Value(), q, 5);
        QVERIFY2(one, one.Reason().c_str());
        const QString site = "Teren stacji II, budynku III, z = 20.00 [m]: wiatr przy "
                             "wywietrzniku = 0.8986 × wiatr na stacji";
        const QString months = "Udział miesięcy: I 50.0 % II 50.0 % III 50.0 % IV 50.0 % V "
                               "50.0 % VI 50.0 % VII 0.0 % VIII 50.0 % IX 50.0 % X 50.0 % XI "
                               "50.0 % XII 50.0 %";
        QCOMPARE(Lines(YearLines(weather.Value(), q, one.Value())),
                 (QStringList{"Stacja: Testowo", "Okres: cały rok", site,
                              "Wymagana wydajność Qh = 100.00 [m3/h]",
                              "Godziny spełnienia wymagania: 2004 z 4752 obliczonych (42.17 %)",
                              "Godziny bez przepływu w górę: 2748", "Godziny bez danych: 4008",
                              "Q50 = 0.00 [m3/h], Q90 = 0.00 [m3/h]", months,
                              "Najgorszy miesiąc: lipiec (0.00 %)"}));
        const Result<std::vector<YearOutcome>> all = EvaluateYearAllModels(weather.Value(), q);
        QVERIFY2(all, all.Reason().c_str());
        QCOMPARE(all.Value().size(), std::size_t{27});
        QCOMPARE(all.Value()[4].summary.meetingHours, 2004);
        QCOMPARE(QString::fromStdString(MeetingPercentText(all.Value()[4])), "42.17");
    }

    void refusesDamagedFileAndBadSite()
    {
        const Result<LoadedWeather> damaged =
            LoadWeather(WeatherFileSource("zły.epw"), "Data,Godzina\n");
        QCOMPARE(QString::fromStdString(damaged.Reason()),
                 "Nie można użyć pliku pogodowego „zły.epw”: wiersz 1: to nie jest plik pogodowy "
                 "EPW – brak wiersza LOCATION.");
        const Result<LoadedWeather> weather =
            LoadWeather(WeatherFileSource("rok.epw"), TestEpwText());
        YearQuestion q = Building(100.0);
        q.site.height = 0.0;
        QVERIFY(!EvaluateYearModel(weather.Value(), q, 5));
    }

    // The Weibull example: mean 3.5 m/s, k = 2 give A = 3.949 m/s.
    void sharesTheTimeOfADistribution()
    {
        const Result<LoadedWeather> weather = LoadWeather(WindDistributionSource(3.5));
        QVERIFY2(weather, weather.Reason().c_str());
        QCOMPARE(FormatFixed(weather.Value().weibull.scale, 3), "3.949");
        QCOMPARE(FormatFixed(WeibullExceedance(weather.Value().weibull, 2.0), 3), "0.774");
        QCOMPARE(FormatFixed(WeibullExceedance(weather.Value().weibull, 4.0), 3), "0.359");
        YearQuestion q = Building(100.0);
        q.state.DensityEntered = true;
        q.state.AirDensity = 1.2;
        const Result<YearOutcome> one = EvaluateYearModel(weather.Value(), q, 5);
        QVERIFY2(one, one.Reason().c_str());
        const QStringList lines = Lines(YearLines(weather.Value(), q, one.Value()));
        QCOMPARE(lines.mid(2), (QStringList{"Rozkład Weibulla: A = 3.949 [m/s], k = 2.00, te = "
                                            "12.0 [°C], ti = 20.0 [°C]",
                                            "Udział czasu spełnienia wymagania: 58.12 %",
                                            "Potrzebny wiatr: przy wywietrzniku 2.61 [m/s], na "
                                            "stacji 2.91 [m/s]"}));
    }
};

QTEST_GUILESS_MAIN(TestYearRun)
#include "test_year_run.moc"
