// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison table without a window: its cells in the report's formats,
// its sorting and its CSV text.
#include "compare/comparison_rows.h"
#include "compare_states.h"
#include "report/report_lines.h"

#include <QtTest>

#include <algorithm>

namespace {

std::string ReportText(const CalcState& state)
{
    std::string text;
    for (const ReportLine& line : BuildReport(state, ReportVariant::Screen))
        text += line.text + "\n";
    return text;
}

ComparisonRow Row(int number, OperatingPointStatus status, double flowPerHour = 0.0,
                  double suction = 0.0, double velocity = 0.0)
{
    ComparisonRow row;
    row.number = number;
    row.name = VentilatorCaption(number);
    row.point.status = status;
    if (status == OperatingPointStatus::Refused)
        row.point.refusal = Refusal::Resistance;
    row.point.flowPerHour = flowPerHour;
    row.point.ventilatorSuction = suction;
    row.point.ductVelocity = velocity;
    row.nominalDiameter = LookUpVentilator(number).NominalDiameter;
    row.fit = FitToDuct(row.nominalDiameter, 0.16);
    return row;
}

using Runs = std::vector<std::pair<int, int>>;

std::vector<int> Numbers(const std::vector<ComparisonRow>& rows, const std::vector<int>& order)
{
    std::vector<int> numbers;
    for (int position : order)
        numbers.push_back(rows[static_cast<std::size_t>(position)].number);
    return numbers;
}

} // namespace

class TestComparisonTable : public QObject {
    Q_OBJECT
private slots:
    void headers()
    {
        const char* expected[] = {
            "Nr",      "Wywietrznik", "Q [m3/s]",   "Qh [m3/h]", "DPsw [Pa]",
            "c [m/s]", "Dn [m]",      "Dn wobec D", "Qh wym.",   "v dla Qh wym. [m/s]"};
        for (int column = 0; column < kComparisonColumnCount; ++column)
            QCOMPARE(ComparisonHeader(column), std::string_view(expected[column]));
        QCOMPARE(ComparisonHeader(kColumnYearShare), std::string_view("Godziny spełnienia [%]"));
        QCOMPARE(ComparisonHeader(kTableColumnCount), std::string_view());
    }

    // Each row's cells stand in the single-model report of the same model.
    void cellsAgreeWithTheReport_data()
    {
        QTest::addColumn<bool>("hall");
        QTest::newRow("hall") << true;
        QTest::newRow("building") << false;
    }
    void cellsAgreeWithTheReport()
    {
        QFETCH(bool, hall);
        const CalcState state = hall ? HallState(1.2, 4.0, 0.16, 5.0) : BuildingState(4.0);
        const std::vector<ComparisonRow> rows = BuildComparisonRows(state);
        QCOMPARE(static_cast<int>(rows.size()), kVentilatorCount);
        for (const ComparisonRow& row : rows) {
            QVERIFY(row.HasPoint());
            const std::string report = ReportText(ChosenState(state, row.number));
            QCOMPARE(ComparisonCell(row, kColumnNumber), std::to_string(row.number));
            QVERIFY(report.find("   Nazwa wywietrznika = " +
                                std::string(LookUpVentilator(row.number).Name) + "\n") !=
                    std::string::npos);
            QVERIFY(report.find("Q = " + ComparisonCell(row, kColumnFlow) + " [m3/s]") !=
                    std::string::npos);
            QVERIFY(report.find("Qh = " + ComparisonCell(row, kColumnFlowPerHour) + " [m3/h]") !=
                    std::string::npos);
            QVERIFY(report.find("DPsw = " + ComparisonCell(row, kColumnSuction) + " [Pa]") !=
                    std::string::npos);
            QVERIFY(report.find("c = " + ComparisonCell(row, kColumnVelocity) + " [m/s]") !=
                    std::string::npos);
        }
        // The worked hall case.
        if (hall) {
            QCOMPARE(ComparisonCell(rows[4], kColumnFlowPerHour), std::string("153.3861"));
            QCOMPARE(ComparisonCell(rows[4], kColumnFlow), std::string("0.0426"));
        }
    }

    // The winds at which a model reaches the need: searched up to
    // max(15, 1.5 v), written as the table shows them.
    void windRanges_data()
    {
        QTest::addColumn<double>("wind");
        QTest::addColumn<std::vector<double>>("flows"); // at 0, 0.1, ... m/s; the need is 100
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        std::vector<double> rising(151, 50.0);
        std::fill(rising.begin() + 24, rising.end(), 120.0);
        std::vector<double> between(151, 50.0);
        std::fill(between.begin() + 82, between.begin() + 134, 120.0);
        std::vector<double> storm(301, -1.0);
        storm[300] = 200.0;
        QTest::newRow("from 2.4 on") << 4.0 << rising << 150 << "≥ 2.4";
        QTest::newRow("8.2 to 13.3") << 4.0 << between << 150 << "8.2–13.3";
        QTest::newRow("none") << 4.0 << std::vector<double>(151, 50.0) << 150 << "–";
        QTest::newRow("wind 20: up to 30") << 20.0 << storm << 300 << "≥ 30.0";
    }
    void windRanges()
    {
        QFETCH(double, wind);
        QFETCH(std::vector<double>, flows);
        QFETCH(int, steps);
        QFETCH(QString, text);
        QCOMPARE(NeedWindSteps(wind), steps);
        QCOMPARE(QString::fromStdString(WindRangesText(WindsReachingNeed(flows, 100.0), steps)),
                 text);
    }

    // The cell "v dla Qh wym." shows at most two runs; where the chosen point
    // switches back and forth it says so, and the tooltip and the CSV list
    // every run. Flows of 120 m3/h on the runs, 50 elsewhere; the need is 100.
    void needWindShortText_data()
    {
        QTest::addColumn<Runs>("runs"); // steps of 0.1 m/s
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("all");
        QTest::newRow("two runs") << Runs{{24, 40}, {60, 150}} << "2.4–4.0, ≥ 6.0"
                                  << "2.4–4.0, ≥ 6.0";
        QTest::newRow("switching up to the end")
            << Runs{{129, 133}, {135, 137}, {140, 141}, {144, 150}}
            << "≥ 14.4 (12.9–14.4 zależnie od punktu pracy)"
            << "12.9–13.3, 13.5–13.7, 14.0–14.1, ≥ 14.4";
        QTest::newRow("switching, the last run the longest")
            << Runs{{129, 133}, {135, 137}, {140, 141}, {144, 149}}
            << "14.4–14.9 (12.9–14.4 zależnie od punktu pracy)"
            << "12.9–13.3, 13.5–13.7, 14.0–14.1, 14.4–14.9";
        QTest::newRow("switching after the longest")
            << Runs{{111, 120}, {122, 126}, {128, 128}, {134, 139}}
            << "11.1–12.0 (12.0–13.9 zależnie od punktu pracy)"
            << "11.1–12.0, 12.2–12.6, 12.8, 13.4–13.9";
    }
    void needWindShortText()
    {
        QFETCH(Runs, runs);
        QFETCH(QString, cell);
        QFETCH(QString, all);
        std::vector<double> flows(151, 50.0);
        for (const auto& [first, last] : runs)
            std::fill(flows.begin() + first, flows.begin() + last + 1, 120.0);
        ComparisonRow row = Row(5, OperatingPointStatus::Found, 60.0, 1.0, 1.0);
        row.neededFlowPerHour = 100.0;
        row.windSteps = 150;
        row.windRanges = WindsReachingNeed(flows, 100.0);
        QCOMPARE(QString::fromStdString(ComparisonShownCell(row, kColumnNeedWind)), cell);
        QCOMPARE(QString::fromStdString(ComparisonCell(row, kColumnNeedWind)), all);
        QCOMPARE(QString::fromStdString(NeedWindTip(row)),
                 "Wymagana wydajność osiągana przy v [m/s]: " + all);
    }

    void rowsWithoutAPoint_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("no operating point") << int(OperatingPointStatus::NoOperatingPoint);
        QTest::newRow("refused") << int(OperatingPointStatus::Refused);
    }
    void rowsWithoutAPoint()
    {
        QFETCH(int, status);
        // Values left in the point must not show.
        const ComparisonRow row = Row(7, OperatingPointStatus(status), 99.0, 9.0, 1.0);
        QVERIFY(!row.HasPoint());
        QCOMPARE(ComparisonCell(row, kColumnNumber), std::string("7"));
        QCOMPARE(ComparisonCell(row, kColumnName), std::string("OSTREL-160 wzdłużnie"));
        QCOMPARE(ComparisonCell(row, kColumnFlow), std::string("brak punktu pracy"));
        QCOMPARE(ComparisonCell(row, kColumnFlowPerHour), std::string());
        QCOMPARE(ComparisonCell(row, kColumnSuction), std::string());
        QCOMPARE(ComparisonCell(row, kColumnVelocity), std::string());
        QVERIFY(!ComparisonValue(row, kColumnFlowPerHour));
    }

    void realRowsWithoutAPoint()
    {
        // Models 1, 15, 18 and 19 find no point in a hall duct of 0.12 m, 1 m long, at 15 m/s.
        const std::vector<ComparisonRow> rows =
            BuildComparisonRows(HallState(1.2, 15.0, 0.12, 1.0));
        std::vector<int> missing;
        for (const ComparisonRow& row : rows) {
            if (!row.HasPoint()) {
                missing.push_back(row.number);
                QCOMPARE(ComparisonCell(row, kColumnFlow), std::string("brak punktu pracy"));
            }
        }
        QCOMPARE(missing, (std::vector<int>{1, 15, 18, 19}));
    }

    void sorting_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<std::vector<int>>("expected");
        // Rows: 1 (Qh 50), 2 none, 3 (Qh 80), 4 refused, 5 (Qh 50), 6 (Qh 20).
        QTest::newRow("Qh, largest first")
            << int(kColumnFlowPerHour) << true << std::vector<int>{3, 1, 5, 6, 2, 4};
        QTest::newRow("Qh, smallest first")
            << int(kColumnFlowPerHour) << false << std::vector<int>{6, 1, 5, 3, 2, 4};
        QTest::newRow("Q, largest first")
            << int(kColumnFlow) << true << std::vector<int>{3, 1, 5, 6, 2, 4};
        QTest::newRow("DPsw, smallest first")
            << int(kColumnSuction) << false << std::vector<int>{5, 1, 6, 3, 2, 4};
        QTest::newRow("c, largest first")
            << int(kColumnVelocity) << true << std::vector<int>{6, 3, 5, 1, 2, 4};
        QTest::newRow("Nr, descending")
            << int(kColumnNumber) << true << std::vector<int>{6, 5, 4, 3, 2, 1};
        QTest::newRow("Nr, ascending")
            << int(kColumnNumber) << false << std::vector<int>{1, 2, 3, 4, 5, 6};
        // KALMO-100, TRAVEN-140, TRAVEN/M-150, TRAVEN-150, KALMO-160, LUMA-160.
        QTest::newRow("name, ascending")
            << int(kColumnName) << false << std::vector<int>{1, 5, 6, 2, 4, 3};
        QTest::newRow("name, descending")
            << int(kColumnName) << true << std::vector<int>{3, 4, 2, 6, 5, 1};
    }
    void sorting()
    {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(std::vector<int>, expected);
        const std::vector<ComparisonRow> rows = {
            Row(1, OperatingPointStatus::Found, 50.0, 3.0, 1.0),
            Row(2, OperatingPointStatus::NoOperatingPoint),
            Row(3, OperatingPointStatus::Found, 80.0, 4.0, 2.0),
            Row(4, OperatingPointStatus::Refused),
            Row(5, OperatingPointStatus::Found, 50.0, 2.0, 2.0),
            Row(6, OperatingPointStatus::Found, 20.0, 3.5, 2.5),
        };
        QCOMPARE(Numbers(rows, SortedComparisonOrder(rows, column, descending)), expected);
    }

    void csvFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "KALMO-160"
                               << "KALMO-160";
        QTest::newRow("slash") << "VESK/M-315"
                               << "VESK/M-315";
        QTest::newRow("number") << "0.0426"
                                << "0.0426";
        QTest::newRow("blank") << "OSTREL-160 wzdluznie"
                               << "OSTREL-160 wzdluznie";
        QTest::newRow("trailing blank") << "TRAVEN /M-150 "
                                        << "TRAVEN /M-150 ";
        QTest::newRow("comma") << "a,b"
                               << "\"a,b\"";
        QTest::newRow("quote") << "a\"b"
                               << "\"a\"\"b\"";
        QTest::newRow("line break") << "a\nb"
                                    << "a\\u000ab";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("Polish letters") << "Wydajność"
                                        << "Wydajność";
    }
    void csvFields()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(QString::fromStdString(CsvField(text.toStdString())), field);
    }

    // Both forms, without and with a need of 100 m3/h (model 21 reaches it
    // from 3.7 m/s on and is suggested), with the conditions: columns in the
    // plain form, lines before the table in the Polish one.
    void csvText_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("need");
        QTest::addColumn<QString>("csv");
        QTest::newRow("plain")
            << int(CsvForm::Plain) << false
            << QString("Nr,Wywietrznik,Q [m3/s],Qh [m3/h],DPsw [Pa],c [m/s],"
                       "Dn [m],Dn wobec D,v [m/s],ti [°C],te [°C],H [m],"
                       "Δps [Pa]\r\n"
                       "21,VESK/M-315,0.5000,1800.0000,12.5000,3.0000,0.315,szerszy,4.00,20.0,"
                       "12.0,5.00,0.9500\r\n"
                       "3,TRAVEN/M-150,0.0189,67.9094,2.3561,0.9382,0.150,węższy,4.00,20.0,12.0,"
                       "5.00,0.9500\r\n"
                       "5,KALMO-160,brak punktu pracy,,,,0.160,równy,4.00,20.0,12.0,5.00,"
                       "0.9500\r\n");
        QTest::newRow("plain, need")
            << int(CsvForm::Plain) << true
            << QString("Nr,Wywietrznik,Q [m3/s],Qh [m3/h],DPsw [Pa],c [m/s],"
                       "Dn [m],Dn wobec D,Qh wym.,v dla Qh wym. [m/s],"
                       "v [m/s],ti [°C],te [°C],H [m],Δps [Pa],"
                       "Qh wym. [m3/h],Proponowany\r\n"
                       "21,VESK/M-315,0.5000,1800.0000,12.5000,3.0000,0.315,szerszy,tak,≥ 3.7,"
                       "4.00,20.0,12.0,5.00,0.9500,100.0,tak\r\n"
                       "3,TRAVEN/M-150,0.0189,67.9094,2.3561,0.9382,0.150,węższy,nie,–,4.00,20.0,"
                       "12.0,5.00,0.9500,100.0,\r\n"
                       "5,KALMO-160,brak punktu pracy,,,,0.160,równy,nie,–,4.00,20.0,12.0,"
                       "5.00,0.9500,100.0,\r\n");
        QTest::newRow("Polish, need")
            << int(CsvForm::Polish) << true
            << QString("Prędkość wiatru = 4.00 [m/s]\r\n"
                       "Ciąg grawitacyjny: ti = 20.0 [°C], te = 12.0 [°C], H = 5.00 [m], Δps = "
                       "0.9500 [Pa]\r\n"
                       "Wymagana wydajność Qh = 100.0 [m3/h]\r\n"
                       "Proponowany: VESK/M-315\r\n\r\n"
                       "Nr;Wywietrznik;Q [m3/s];Qh [m3/h];DPsw [Pa];c [m/s];"
                       "Dn [m];Dn wobec D;Qh wym.;v dla Qh wym. [m/s]\r\n"
                       "21;VESK/M-315;0,5000;1800,0000;12,5000;3,0000;0,315;szerszy;tak;≥ 3,7\r\n"
                       "3;TRAVEN/M-150;0,0189;67,9094;2,3561;0,9382;0,150;węższy;nie;–\r\n"
                       "5;KALMO-160;brak punktu pracy;;;;0,160;równy;nie;–\r\n");
    }
    void csvText()
    {
        QFETCH(int, form);
        QFETCH(bool, need);
        QFETCH(QString, csv);
        std::vector<ComparisonRow> rows = {
            Row(3, OperatingPointStatus::Found, 67.9094, 2.3561, 0.9382),
            Row(5, OperatingPointStatus::NoOperatingPoint),
            Row(21, OperatingPointStatus::Found, 1800.0, 12.5, 3.0),
        };
        for (ComparisonRow& row : rows) {
            row.neededFlowPerHour = need ? 100.0 : 0.0;
            row.windSteps = 150;
            if (row.number == 21)
                row.windRanges = {{37, 150}};
            row.needWind = row.number == 21 ? 3.7 : -1.0;
            row.suggested = need && row.number == 21;
        }
        ComparisonConditions conditions{4.0,           StackConditions{20.0, 12.0, 5.0},
                                        0.95,          need ? 100.0 : 0.0,
                                        need ? 21 : 0, need ? "Proponowany: VESK/M-315" : ""};
        const std::string text = ComparisonCsv(rows, {2, 0, 1, 7, -1}, conditions, CsvForm(form));
        QCOMPARE(QString::fromStdString(text), csv); // a byte order mark is not compared here
        QCOMPARE(text.rfind("\xEF\xBB\xBF", 0) == 0, CsvForm(form) == CsvForm::Polish);
    }
};

QTEST_GUILESS_MAIN(TestComparisonTable)
#include "test_comparison_rows.moc"
