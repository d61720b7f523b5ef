// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/derived.h"
#include "report/report_lines.h"
#include "sample_states.h"

#include <QtTest>

#include <limits>

namespace {

QList<int> Rows(const std::vector<ReportLine>& lines)
{
    QList<int> rows;
    for (const ReportLine& line : lines)
        rows << line.row;
    return rows;
}

QList<int> Span(int from, int to)
{
    QList<int> rows;
    for (int r = from; r <= to; ++r)
        rows << r;
    return rows;
}

QString TextAt(const std::vector<ReportLine>& lines, int row)
{
    for (const ReportLine& line : lines) {
        if (line.row == row)
            return QString::fromStdString(line.text);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(CalcState)
Q_DECLARE_METATYPE(ReportVariant)

class TestReportLines : public QObject {
    Q_OBJECT
private slots:
    void hallScreenReport()
    {
        const auto lines = BuildReport(HallRoundDuct(), ReportVariant::Screen);
        const QStringList expected = {
            "Program doboru wywietrzników firmy KORVANT sp z o.o. Merlowice",
            "Dane do obliczeń:",
            "   Nazwa wywietrznika = KALMO-160",
            "   Gęstość powietrza = 1.200 [kg/m3]",
            "   Prędkość wiatru = 4.00 [m/s]",
            "   Kanał okrągły o średnicy = 0.16 [m]",
            "   Rodzaj materiału: rura stalowa ocynkowana czysta",
            "   Hala o długości kanału = 5.00 [m] i  wlocie ostrokrawędziowym z kołnierzem.",
            "Obliczone wartości:",
            "   Wydajność sekundowa   Q = 0.5000 [m3/s]",
            "   Wydajność godzinowa   Qh = 1800.0000 [m3/h]",
            "   Podciśnienie wywietrznika   DPsw = 3.7752 [Pa]",
            "   Prędkość w kanale   c = 2.1191 [m/s]",
        };
        QStringList texts;
        for (const ReportLine& line : lines)
            texts << QString::fromStdString(line.text);
        QCOMPARE(texts, expected);
        QCOMPARE(Rows(lines), QList<int>{0} + Span(2, 8) + Span(10, 14));
    }

    void buildingScreenReport()
    {
        const auto lines = BuildReport(BuildingRectangular(), ReportVariant::Screen);
        QCOMPARE(Rows(lines), QList<int>{0} + Span(2, 13) + Span(15, 19));
        QCOMPARE(TextAt(lines, 6),
                 QString("   Kanał prostokątny o wymiarach = 0.20 [m] x 0.30 [m]"));
        QCOMPARE(TextAt(lines, 7), QString("   Średnica równoważna kanału = 0.24 [m]"));
        QCOMPARE(TextAt(lines, 8), QString("   Rodzaj materiału: rura stalowa ocynkowana czysta"));
        QCOMPARE(TextAt(lines, 9), QString("Budynek wielokondygnacyjny:"));
        QCOMPARE(TextAt(lines, 10), QString("   Ilość kondygnacji = 5 [-]"));
        QCOMPARE(TextAt(lines, 11), QString("   Wysokość jednej kondygnacji = 3.00 [m]"));
        QCOMPARE(TextAt(lines, 12),
                 QString("   Kratka prostokątna o wymiarach = 0.20 [m] x 0.25 [m]"));
        QCOMPARE(TextAt(lines, 13), QString("   Współczynnik strat kratki = 15.00 [-]"));
        QCOMPARE(TextAt(lines, 15), QString("Obliczone wartości:"));
        QCOMPARE(TextAt(lines, 19), QString("   Prędkość w kanale   c = 2.1191 [m/s] dla średnicy "
                                            "równoważnej."));
    }

    void printerVariant_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<QList<int>>("rows");
        CalcState hallRect = HallRoundDuct();
        hallRect.DuctRound = false;
        CalcState buildingRound = BuildingRectangular();
        buildingRound.DuctRound = true;
        QTest::newRow("hall, round duct")
            << HallRoundDuct() << (QList<int>{0} + Span(2, 7) + Span(9, 13));
        QTest::newRow("hall, rectangular duct")
            << hallRect << (QList<int>{0} + Span(2, 8) + Span(10, 14));
        QTest::newRow("building, round duct")
            << buildingRound << (QList<int>{0} + Span(2, 12) + Span(14, 18));
        QTest::newRow("building, rectangular duct")
            << BuildingRectangular() << (QList<int>{0} + Span(2, 13) + Span(15, 19));
    }
    void printerVariant()
    {
        QFETCH(CalcState, state);
        QFETCH(QList<int>, rows);
        const auto lines = BuildReport(state, ReportVariant::Printer);
        QCOMPARE(Rows(lines), rows);
        QCOMPARE(TextAt(lines, 3), QString("   Nazwa wywietrznika= KALMO-160"));
        QStringList texts;
        for (const ReportLine& line : lines)
            texts << QString::fromStdString(line.text);
        QVERIFY(texts.contains("Obliczone wartości"));
        QVERIFY(texts.contains("Dane do obliczeń:"));
        const bool material = texts.contains("   Rodzaj materiału: rura stalowa ocynkowana czysta");
        QCOMPARE(material, !state.IsHall); // on paper only in a building
    }

    void printerPrefixes()
    {
        CalcState building = BuildingRectangular();
        building.DuctRound = true;
        building.DuctDiameter = 0.16;
        const auto b = BuildReport(building, ReportVariant::Printer);
        QCOMPARE(TextAt(b, 6), QString("   Kanał okrągly o średnicy = 0.16 [m]"));
        QCOMPARE(TextAt(b, 8), QString("   Ilość kondygnacji=5 [-]"));
        QCOMPARE(TextAt(b, 9), QString("   Wysokość jednej kondygnacji=3.00 [m]"));
        QCOMPARE(TextAt(b, 10), QString("   Rodzaj materiału: rura stalowa ocynkowana czysta"));
        const auto h = BuildReport(HallRoundDuct(), ReportVariant::Printer);
        QCOMPARE(TextAt(h, 7), QString("   Hala o dlugości kanału = 5.00 [m] i  wlocie "
                                       "ostrokrawędziowym z kołnierzem."));
    }

    void materialTexts_data()
    {
        QTest::addColumn<double>("roughness");
        QTest::addColumn<QString>("text");
        const char* texts[] = {
            "   Rodzaj materiału: rura stalowa ocynkowana czysta",
            "   Rodzaj materiału: nowa rura odlewana, blacha stalowa, gładki cement ",
            "   Rodzaj materiału: zwyczajnie ocynkowana rura stalowa",
            "   Rodzaj materiału: stara rura stalowa zardzewiała",
            "   Rodzaj materiału: surowy cement lub deski ",
            "   Rodzaj materiału: cegła",
        };
        for (std::size_t i = 0; i < kDuctMaterials.size(); ++i)
            QTest::newRow(texts[i]) << kDuctMaterials[i].roughness << QString(texts[i]);
        QTest::newRow("no material keeps its row") << 0.0 << QString();
        QTest::newRow("near 1.8 is no material") << 1.8000000000000003 << QString();
    }
    void materialTexts()
    {
        QFETCH(double, roughness);
        CalcState s = HallRoundDuct();
        s.DuctRoughness = roughness;
        const auto lines = BuildReport(s, ReportVariant::Screen);
        QTEST(TextAt(lines, 7), "text");
        QCOMPARE(lines.back().row, 14); // later lines keep their rows
    }

    void inletTexts_data()
    {
        QTest::addColumn<double>("loss");
        QTest::addColumn<QString>("text");
        QTest::newRow("flange") << kHallInlets[0].lossCoefficient
                                << " wlocie ostrokrawędziowym z kołnierzem.";
        QTest::newRow("no flange")
            << kHallInlets[1].lossCoefficient << " wlocie ostrokrawędziowym bez kołnierza.";
        QTest::newRow("rounded") << kHallInlets[2].lossCoefficient << " wlocie zaokrąglonym.";
        QTest::newRow("none") << 0.3 << "";
    }
    void inletTexts()
    {
        QFETCH(double, loss);
        QFETCH(QString, text);
        CalcState s = HallRoundDuct();
        s.DuctLength = 12.5;
        s.LossCoefficient = loss;
        QCOMPARE(TextAt(BuildReport(s, ReportVariant::Screen), 8),
                 "   Hala o długości kanału = 12.50 [m] i " + text);
    }

    void roundGrilleHasThreeDecimals()
    {
        for (Installation type : {Installation::BuildingRound, Installation::BuildingAdjustable}) {
            CalcState s = BuildingRectangular();
            s.InstallationType = type;
            s.GrilleSizeA = 0.16;
            QCOMPARE(TextAt(BuildReport(s, ReportVariant::Screen), 12),
                     QString("   Kratka okrągła o średnicy = 0.160 [m]"));
        }
    }

    void flowPerSecondInExtendedPrecision()
    {
        QCOMPARE(FlowPerSecond(1800.0), 0.5);
        QCOMPARE(FlowPerSecond(0.0), 0.0);
        // Rounded once, from the extended product: not FlowPerHour / 3600.0 in
        // double (which differs here in the last bit).
        for (double qh : {153.38608, 616.4468, 123.8167, 1e-300, 7.0}) {
            const long double exact = static_cast<long double>(qh) * (1.0L / 3600.0L);
            QCOMPARE(FlowPerSecond(qh), static_cast<double>(exact));
        }
    }

    void emptyNameAndAbsurdValues()
    {
        CalcState s = HallRoundDuct();
        s.VentilatorName = {};
        s.AirDensity = 1e300;
        s.FlowPerHour = -1e300;
        const auto lines = BuildReport(s, ReportVariant::Screen);
        QCOMPARE(TextAt(lines, 3), QString("   Nazwa wywietrznika = "));
        const QString density = TextAt(lines, 4);
        QVERIFY(
            density.startsWith("   Gęstość powietrza = 1000000000000000052504760255204420248704"));
        QVERIFY(density.endsWith(".000 [kg/m3]"));
        QVERIFY(density.size() > 299); // built whole, nothing cut or overrun
        QVERIFY(TextAt(lines, 11).startsWith("   Wydajność sekundowa   Q = -"));
    }
};

QTEST_GUILESS_MAIN(TestReportLines)
#include "test_report_lines.moc"
