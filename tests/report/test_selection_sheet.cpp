// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/selection_sheet.h"

#include "calc/inputs.h"

#include <QtTest>

namespace {

// wywietrznik-cli --density 1.2 --wind 4 --round 0.16
//   --building-rect 3,5,0.14,0.14,2 --model 5
CalcState WorkedCase()
{
    CalcState state;
    ApplyTypedAir(state, 1.2, 4.0);
    ApplyRoundDuct(state, 0.16);
    state.DuctRoughness = kDuctMaterials[0].roughness;
    InstallationInput building;
    building.kind = Installation::BuildingRectangular;
    building.storeyHeight = 3.0;
    building.storeys = 5;
    building.grilleHeight = 0.14;
    building.grilleWidth = 0.14;
    building.grilleLoss = 2.0;
    ApplyInstallation(state, building);
    return state;
}

SelectionSheet Sheet(bool stackSet, std::optional<double> need)
{
    const CalcState state = WorkedCase();
    return BuildSelectionSheet(CalculationSheetCase(state, 5, DefaultStackConditions(state),
                                                    kStackFromDefaults, stackSet, need));
}

} // namespace

class TestSelectionSheet : public QObject {
    Q_OBJECT
private slots:
    // Q, Qh, DPsw and c of each condition as the command line's JSON gives
    // them for the case (no --stack; --stack 20,12; --wind 0 --stack 20,12),
    // in the report's four decimals.
    void figuresEqualTheCommandLine_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("wiatr obliczeniowy") << 0
                                            << QStringList{"wiatr obliczeniowy (v = 4.00 [m/s])",
                                                           "0.0266", "95.8441", "4.5680", "1.3241"};
        QTest::newRow("bez wiatru") << 1
                                    << QStringList{"bez wiatru – sam ciąg grawitacyjny", "0.0278",
                                                   "99.9826", "0.0000", "1.3813"};
        QTest::newRow("wiatr + ciąg") << 2
                                      << QStringList{"wiatr + ciąg grawitacyjny (v = 4.00 [m/s])",
                                                     "0.0374", "134.8033", "4.0654", "1.8624"};
    }
    void figuresEqualTheCommandLine()
    {
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        const SelectionSheet sheet = Sheet(false, std::nullopt);
        QCOMPARE(sheet.results.rows.size(), std::size_t{3});
        QStringList shown;
        for (const std::string& cell : sheet.results.rows[static_cast<std::size_t>(row)])
            shown << QString::fromStdString(cell);
        QCOMPARE(shown, cells);
    }

    // The verdict is on the design wind unless the draught was set, and the
    // sheet names the draught it used and the norm of the need.
    void verdictAndAssumptions_data()
    {
        QTest::addColumn<bool>("stackSet");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("wind") << false << "Ocena: NIE SPEŁNIA";
        QTest::newRow("wind and draught") << true << "Ocena: spełnia";
    }
    void verdictAndAssumptions()
    {
        QFETCH(bool, stackSet);
        QFETCH(QString, verdict);
        const SelectionSheet sheet = Sheet(stackSet, 100.0);
        QCOMPARE(QString::fromStdString(sheet.verdict.at(0)),
                 QStringLiteral("Wymagana wydajność Qh = 100.0 [m3/h]"));
        QCOMPARE(QString::fromStdString(sheet.verdict.at(2)), verdict);
        QCOMPARE(QString::fromStdString(sheet.assumptions.at(2)),
                 QStringLiteral("Ciąg grawitacyjny Δps = g H (ρe − ρi) przy ti = 20.0 °C, te = "
                                "12.0 °C, H = 15.00 m (wartości domyślne: ti = 20 °C, te = 12 °C, "
                                "H = długość przewodu L)."));
        QCOMPARE(QString::fromStdString(sheet.assumptions.at(3)),
                 QStringLiteral("Wymagana wydajność według PN-83/B-03430 ze zmianą Az3:2000."));
    }

    // The index of a schedule's sheets: a row per duct, its sheet on page
    // 2 onwards.
    void indexOfTheTemplate()
    {
        const Schedule schedule = ScheduleTemplate();
        const SheetTable index = SheetIndex(schedule, ComputeSchedule(schedule));
        QCOMPARE(index.rows.size(), schedule.rows.size());
        QCOMPARE(QString::fromStdString(index.rows.front().front()), QStringLiteral("Kuchnia k1"));
        QCOMPARE(QString::fromStdString(index.rows.back().back()),
                 QString::number(schedule.rows.size() + 1));
    }
};

QTEST_APPLESS_MAIN(TestSelectionSheet)
#include "test_selection_sheet.moc"
