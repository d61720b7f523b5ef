// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/number_format.h"
#include "weather/terrain.h"
#include "weather/weibull.h"

#include "sample_states.h"

#include <QtTest>

#include <cmath>

namespace {

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

// A building of 5 storeys of 3 m, a round duct of 0.16 m, rectangular
// grilles 0.2 x 0.2 m with a loss coefficient of 15, Ro 1.2, H 15 m, ti 20
// and te 12 °C; the ventilator at 20 m over the terrain III.
WeibullCase Building(double need)
{
    WeibullCase c;
    c.state = BuildingState();
    c.conditions.height = 15.0;
    c.windRatio = TerrainWindRatio(20.0).Value();
    c.need = need;
    return c;
}

} // namespace

class TestWindTerrain : public QObject {
    Q_OBJECT
private slots:
    // By hand: k_r(III) = 0.19 (0.3 / 0.05)^0.07 = 0.215390, c_r(10 m, II) =
    // 0.19 ln(10 / 0.05) = 1.006680; at 5 m 0.215390 ln(5 / 0.3) = 0.605981,
    // at 20 m 0.215390 ln(20 / 0.3) = 0.904574.
    void terrainRatio_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("building");
        QTest::addColumn<QString>("ratio");
        QTest::newRow("5 m, III") << 5.0 << 3 << "0.601957";
        QTest::newRow("20 m, III") << 20.0 << 3 << "0.898569";
        QTest::newRow("below z_min of IV: 10 m") << 3.0 << 4 << "0.535982";
    }
    void terrainRatio()
    {
        QFETCH(double, height);
        QFETCH(int, building);
        QFETCH(QString, ratio);
        QCOMPARE(Fixed(TerrainWindRatio(height, building).Value(), 6), ratio);
    }

    void terrainRefusals_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("reason");
        const QString height =
            "Wysokość wywietrznika nad terenem musi być większa od zera – popraw wysokość.";
        QTest::newRow("z = 0") << 0.0 << 3 << height;
        QTest::newRow("z not finite") << double(NAN) << 3 << height;
        QTest::newRow("category 5") << 10.0 << 5
                                    << "Kategoria terenu musi być jedną z 0, I, II, III, IV "
                                       "(0..4), a jest 5.";
    }
    void terrainRefusals()
    {
        QFETCH(double, height);
        QFETCH(int, category);
        QFETCH(QString, reason);
        QCOMPARE(QString::fromStdString(TerrainWindRatio(height, category).Reason()), reason);
    }

    void weibullWorkedExample()
    {
        const Weibull weibull = WeibullFromMean(3.5, 2.0).Value();
        QCOMPARE(Fixed(weibull.scale, 3), "3.949");
        QCOMPARE(Fixed(WeibullExceedance(weibull, 2.0), 3), "0.774");
        QCOMPARE(Fixed(WeibullExceedance(weibull, 4.0), 3), "0.359");
        QCOMPARE(QString::fromStdString(WeibullFromMean(0.0).Reason()),
                 "Średnia prędkość wiatru musi być większa od zera – popraw wiatr.");
    }

    void needShare_data()
    {
        QTest::addColumn<double>("need");
        QTest::addColumn<int>("reach");
        QTest::addColumn<QString>("ventilatorWind");
        QTest::addColumn<QString>("share");
        QTest::newRow("met from a wind on")
            << 100.0 << static_cast<int>(NeedReach::Crossing) << "2.6142"
            << "0.581203";
        QTest::newRow("met from a stronger wind on")
            << 150.0 << static_cast<int>(NeedReach::Crossing) << "6.6420"
            << "0.030106";
        QTest::newRow("met in a calm") << 50.0 << static_cast<int>(NeedReach::MetInCalm) << "0.0000"
                                       << "1.000000";
        QTest::newRow("never met") << 100000.0 << static_cast<int>(NeedReach::NeverMet) << "0.0000"
                                   << "0.000000";
    }
    void needShare()
    {
        QFETCH(double, need);
        QFETCH(int, reach);
        QFETCH(QString, ventilatorWind);
        QFETCH(QString, share);
        const Weibull weibull = WeibullFromMean(3.5).Value();
        const WeibullCase c = Building(need);
        const WindShare result = WeibullNeedShare(c, LookUpVentilator(5), weibull).Value();
        QCOMPARE(static_cast<int>(result.reach), reach);
        QCOMPARE(Fixed(result.ventilatorWind, 4), ventilatorWind);
        QCOMPARE(Fixed(result.share, 6), share);
        QVERIFY(result.monotone);
        const double expected =
            reach == static_cast<int>(NeedReach::NeverMet)
                ? 0.0
                : std::exp(-std::pow(result.stationWind / weibull.scale, weibull.shape));
        QVERIFY(std::fabs(result.share - expected) <= 1e-6);
        QCOMPARE(result.stationWind, result.ventilatorWind / c.windRatio);
    }
};

QTEST_GUILESS_MAIN(TestWindTerrain)
#include "test_wind_terrain.moc"
