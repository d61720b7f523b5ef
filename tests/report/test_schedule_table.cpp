// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/schedule_export.h"
#include "report/schedule_table.h"

#include "calc/schedule_cells.h"
#include "calc/schedule_risers.h"

#include <QtTest>

namespace {

// A top-storey flat: a gas kitchen under a weak ventilator beside a bathroom
// under a strong one, one small inlet, judged at the design wind.
Schedule GasKitchenFlat()
{
    Schedule s;
    s.building.storeyHeight = 2.8;
    s.building.condition = ScheduleCondition::Wind;
    ScheduleRow kitchen;
    kitchen.label = "Kuchnia";
    kitchen.storey = 5;
    kitchen.room = 1;
    kitchen.model = 7;
    kitchen.flat = "M5";
    ScheduleRow bathroom = kitchen;
    bathroom.label = "Łazienka";
    bathroom.room = 5;
    bathroom.diameter = 0.2;
    bathroom.model = 14;
    ScheduleRow open = bathroom;
    open.label = "Otwarte";
    open.flat.clear();
    s.rows = {kitchen, bathroom, open};
    FlatSupply supply;
    supply.flat = "M5";
    supply.storey = 5;
    supply.inlets = 1;
    supply.inletFlow = 10.0;
    s.flats = {supply};
    return s;
}

// The template's WC riser alone, in open rooms, with a need typed that no
// model meets on the top storey without wind.
Schedule ShortTopStorey()
{
    const Schedule t = ScheduleTemplate();
    Schedule s;
    s.building = t.building;
    s.building.condition = ScheduleCondition::Calm;
    s.building.oneModelPerRiser = true;
    for (std::size_t i = 10; i < 15; ++i) {
        ScheduleRow row = t.rows[i];
        row.flat.clear();
        row.model = 0;
        row.room = 0;
        row.typedNeed = 30.0;
        s.rows.push_back(row);
    }
    return s;
}

QString Cell(const Schedule& s, const ScheduleResult& r, std::size_t row, SheetColumn column)
{
    return QString::fromStdString(ScheduleCell(s.rows[row], r.rows[row], column));
}

} // namespace

class TestScheduleTable : public QObject {
    Q_OBJECT
private slots:
    // The flat, its underpressure by condition, the backdraught verdict, and
    // the lines of the printout and the text; a row without a flat as before.
    void flatColumnsAndLines()
    {
        const Schedule s = GasKitchenFlat();
        const ScheduleResult r = ComputeSchedule(s);
        QCOMPARE(Cell(s, r, 0, SheetColumn::Flat), QStringLiteral("M5"));
        QCOMPARE(Cell(s, r, 0, SheetColumn::Verdict), QStringLiteral("ciąg wsteczny"));
        QCOMPARE(Cell(s, r, 1, SheetColumn::Underpressure), QStringLiteral("0.93 / 5.20 / 6.12"));
        QCOMPARE(Cell(s, r, 2, SheetColumn::Underpressure), QStringLiteral("–"));
        QCOMPARE(Cell(s, r, 2, SheetColumn::Flat), QString());
        const QString text = QString::fromStdString(ScheduleText(s, r));
        QVERIFY(text.contains("\nNIEBEZPIECZEŃSTWO: ciąg wsteczny w kuchni z kuchenką gazową "
                              "Kuchnia (mieszkanie M5, kondygnacja 5; "));
        QVERIFY(text.contains("\nMieszkanie M5 (kondygnacja 5): nawiewniki 1 × 10.0 m3/h przy "
                              "10.00 Pa, nieszczelności 0.0 m3/h przy 10.00 Pa; "));
        const QString csv = QString::fromStdString(ScheduleCsv(s, r, CsvForm::Polish));
        QVERIFY(csv.contains(";M5;"));
    }

    // The plain CSV: each value in a column of its own (the duct's and the
    // grille's kind, sizes and ζ, the model's number and caption, pf by
    // condition), the building's conditions repeated as the last columns.
    void plainCsvColumns()
    {
        const Schedule s = ScheduleTemplate();
        const QStringList lines =
            QString::fromStdString(ScheduleCsv(s, ComputeSchedule(s), CsvForm::Plain))
                .split("\r\n");
        QCOMPARE(lines.size(), 17); // the header, 15 ducts, nothing after the last line end
        QCOMPARE(lines.first(),
                 QStringLiteral("Przewód,Kondygnacja,Mieszkanie,Pomieszczenie,Wymagane Qh [m3/h],"
                                "Kanał,Średnica D [m],Bok a [m],Bok b [m],Materiał,Kratka,"
                                "Kratka: wysokość [m],Kratka: szerokość [m],Kratka: średnica [m],"
                                "Kratka: otwarcie [obr.],ζ kratki,Nr wywietrznika,Wywietrznik,"
                                "Dobór,L [m],Qh bezwietrzny [m3/h],Qh wiatr [m3/h],"
                                "Qh wiatr + ciąg [m3/h],pf bezwietrzny [Pa],pf wiatr [Pa],"
                                "pf wiatr + ciąg [Pa],Godziny spełnienia [%],Ocena,Uwagi,"
                                "Ro [kg/m3],t [°C],p [hPa],"
                                "φ [%],v [m/s],N,h [m],ti [°C],te [°C],Warunki oceny"));
        QCOMPARE(lines[15],
                 QStringLiteral("WC k5,5,M5,Oddzielne WC,30.0,okrągły,0.160,,,\"Nowa rura "
                                "odlewana, blacha stalowa, gładki cement \",regulowana KTV 160,,,,"
                                "20,3.94,14,KALMO-200,podany,2.80,5.5,15.9,17.1,0.87,4.69,5.53,,"
                                "NIE SPEŁNIA,Za mało nawiewu do mieszkania M5: potrzebne "
                                "nawiewniki 9 szt. (jest 4).,1.2000,,,,4.00,5,2.80,20.0,12.0,"
                                "wiatr + ciąg grawitacyjny"));
    }

    // The bill counts the ventilators of the ducts that meet their need; the
    // models of the failing ones are listed apart, to be verified.
    void billOfMaterials()
    {
        const Schedule s = ScheduleTemplate();
        const std::vector<std::string> lines = SummaryLines(s, ComputeSchedule(s));
        QCOMPARE(QString::fromStdString(lines[1]),
                 QStringLiteral("Bez wymaganej wydajności (wiatr + ciąg grawitacyjny): 2 przewody "
                                "– Kuchnia k5, WC k5."));
        QCOMPARE(QString::fromStdString(lines[3]),
                 QStringLiteral("Zestawienie wywietrzników (przewody spełniające wymaganie): "
                                "KALMO-200 (nr 14) – 13 szt."));
        QCOMPARE(QString::fromStdString(lines[4]),
                 QStringLiteral("Do weryfikacji (przewody niespełniające wymagania): KALMO-200 "
                                "(nr 14) – 2 szt."));
    }

    // "jeden model w pionie" on the template with every model "dobierz": one
    // model a riser on the bill; without it, five models for three risers.
    void oneModelPerRiser_data()
    {
        QTest::addColumn<bool>("oneModel");
        QTest::addColumn<QString>("bill");
        QTest::addColumn<QString>("verify");
        QTest::addColumn<QString>("count");
        QTest::newRow("on") << true
                            << "Zestawienie wywietrzników (przewody spełniające wymaganie): "
                               "KALMO-100 (nr 1) – 4 szt."
                            << "Do weryfikacji (przewody niespełniające wymagania): KALMO-100 (nr "
                               "1) – 1 szt.; TRAVEN-140 (nr 2) – 5 szt.; TRAVEN/M-150 (nr 3) – 5 "
                               "szt."
                            << "Budynek wymaga 3 modeli wywietrzników.";
        QTest::newRow("off") << false
                             << "Zestawienie wywietrzników (przewody spełniające wymaganie): "
                                "KALMO-100 (nr 1) – 5 szt."
                             << "Do weryfikacji (przewody niespełniające wymagania): KALMO-100 "
                                "(nr 1) – 5 szt.; TRAVEN-140 (nr 2) – 1 szt.; TRAVEN/M-150 (nr "
                                "3) – 1 szt.; BIVA-150 wzdłużnie (nr 9) – 2 szt.; BIVA-150 "
                                "poprzecznie (nr 10) – 1 szt."
                             << "Budynek wymaga 5 modeli wywietrzników.";
    }
    void oneModelPerRiser()
    {
        QFETCH(bool, oneModel);
        Schedule s = ScheduleTemplate();
        s.building.oneModelPerRiser = oneModel;
        for (ScheduleRow& row : s.rows)
            row.model = 0;
        const ScheduleResult r = ComputeSchedule(s);
        const std::vector<std::string> lines = SummaryLines(s, r);
        QTEST(QString::fromStdString(lines[3]), "bill");
        QTEST(QString::fromStdString(lines[4]), "verify");
        QTEST(QString::fromStdString(lines[5]), "count");
        QCOMPARE(Risers(s.rows).size(), std::size_t{3});
        for (const std::vector<std::size_t>& riser : Risers(s.rows)) {
            for (std::size_t i : riser)
                QVERIFY(!oneModel || r.rows[i].model == r.rows[riser.front()].model);
        }
        QCOMPARE(Cell(s, r, 0, SheetColumn::Ventilator),
                 oneModel ? "dobierz: 3 TRAVEN/M-150" : "dobierz: 10 BIVA-150 poprzecznie");
    }

    // On "rok" the riser's rule does not apply (each duct's model is chosen by
    // its share of the year): the option changes no model and adds no remark,
    // where on the other conditions it does.
    void riserRuleLeavesTheYearAlone_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<bool>("applies");
        QTest::newRow("rok") << static_cast<int>(ScheduleCondition::Year) << false;
        QTest::newRow("wiatr + ciąg") << static_cast<int>(ScheduleCondition::WindStack) << true;
    }
    void riserRuleLeavesTheYearAlone()
    {
        QFETCH(int, condition);
        QFETCH(bool, applies);
        Schedule s = ScheduleTemplate();
        s.building.condition = static_cast<ScheduleCondition>(condition);
        for (ScheduleRow& row : s.rows)
            row.model = 0;
        const ScheduleResult apart = ComputeSchedule(s);
        s.building.oneModelPerRiser = true;
        const ScheduleResult riser = ComputeSchedule(s);
        bool changed = false;
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            changed = changed || riser.rows[i].model != apart.rows[i].model ||
                      riser.rows[i].note.find("Jeden model w pionie") != std::string::npos;
        }
        QCOMPARE(changed, applies);
    }

    // No model meets the top storey's need: the riser takes the smallest of
    // those that fail one storey, and says so; a fixed model is kept.
    void riserFewestFailures()
    {
        Schedule s = ShortTopStorey();
        ScheduleResult r = ComputeSchedule(s);
        for (std::size_t i = 0; i < 4; ++i)
            QCOMPARE(Cell(s, r, i, SheetColumn::Ventilator), "dobierz: 13 VESK-160");
        QCOMPARE(Cell(s, r, 4, SheetColumn::Ventilator), "dobierz: brak; najbliżej 13 VESK-160");
        QCOMPARE(Cell(s, r, 3, SheetColumn::Verdict), "spełnia");
        QCOMPARE(Cell(s, r, 4, SheetColumn::Note),
                 "Jeden model w pionie „WC”: VESK-160 (nr 13) nie zapewnia 30.0 m3/h (bez wiatru "
                 "– sam ciąg grawitacyjny) na tej kondygnacji. Żaden model nie spełnia wymagania "
                 "na wszystkich kondygnacjach pionu; ten nie spełnia go na 1 z 5.");
        s.rows[2].model = 2;
        r = ComputeSchedule(s);
        QCOMPARE(Cell(s, r, 2, SheetColumn::Ventilator), "2 TRAVEN-140");
        QCOMPARE(Cell(s, r, 0, SheetColumn::Ventilator), "dobierz: 13 VESK-160");
    }

    // The riser a label belongs to, as "Dodaj pion" writes the labels.
    void riserNames_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("riser");
        QTest::newRow("storey") << "Kuchnia k3"
                                << "Kuchnia";
        QTest::newRow("two digits") << "P1/Łazienka k12"
                                    << "P1/Łazienka";
        QTest::newRow("no suffix") << "WC"
                                   << "WC";
        QTest::newRow("no number") << "Pion k"
                                   << "Pion k";
        QTest::newRow("glued") << "Pionk3"
                               << "Pionk3";
    }
    void riserNames()
    {
        QFETCH(QString, label);
        QTEST(QString::fromStdString(RiserName(label.toStdString())), "riser");
    }

    // The distinct models with their Polish plural forms.
    void modelCount_data()
    {
        QTest::addColumn<int>("models");
        QTest::addColumn<QString>("line");
        QTest::newRow("1") << 1 << "Budynek wymaga 1 modelu wywietrznika.";
        QTest::newRow("2") << 2 << "Budynek wymaga 2 modeli wywietrzników.";
        QTest::newRow("5") << 5 << "Budynek wymaga 5 modeli wywietrzników.";
        QTest::newRow("0") << 0 << "";
    }
    void modelCount()
    {
        QFETCH(int, models);
        ScheduleSummary summary;
        for (int m = 0; m < models; ++m)
            ++(m % 2 == 0 ? summary.models : summary.toVerify)[static_cast<std::size_t>(m)];
        summary.models[0] += models > 0 ? 3 : 0; // a model counted once however many
        QTEST(QString::fromStdString(ModelCountLine(summary)), "line");
    }

    // The remarks read as sentences: one full stop each, a capital after it.
    void remarksAreSentences_data()
    {
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("inside");
        QTest::addColumn<QString>("note");
        QTest::newRow("refused") << 5000.0 << 20.0
                                 << "Popraw dane: wymiary kanału muszą być większe od zera i nie "
                                    "większe niż 1000 m – popraw parametry kanału.";
        const QString cold = "ciśnienie napędzające jest ujemne przy zerowym przepływie – "
                             "powietrze nie ruszy w górę kanału. Sprawdź temperatury ti i te: "
                             "ciąg grawitacyjny wspomaga wywietrznik, gdy ti jest wyższa od te.";
        QTest::newRow("cold inside") << 0.16 << 0.0
                                     << "Bez wiatru – sam ciąg grawitacyjny: " + cold +
                                            " Wiatr + ciąg grawitacyjny: " + cold;
    }
    void remarksAreSentences()
    {
        QFETCH(double, diameter);
        QFETCH(double, inside);
        Schedule s;
        s.building.condition = ScheduleCondition::Wind;
        s.building.inside = inside;
        ScheduleRow row;
        row.diameter = diameter;
        row.model = 14;
        s.rows = {row};
        QTEST(Cell(s, ComputeSchedule(s), 0, SheetColumn::Note), "note");
    }

    // A row that cannot be computed fails with its reason; a row on the year
    // without a weather is computed, but its share fails with the reason
    // (which a row failing later, in its flat, keeps).
    void failuresOfARow_data()
    {
        QTest::addColumn<double>("diameter");
        QTest::addColumn<QString>("flat");
        QTest::addColumn<QString>("computed");
        QTest::addColumn<QString>("year");
        QTest::newRow("refused") << 5000.0 << QString()
                                 << "Wymiary kanału muszą być większe od "
                                    "zera i nie większe niż 1000 m – "
                                    "popraw parametry kanału."
                                 << "";
        QTest::newRow("no flat") << 0.16 << "M9"
                                 << "mieszkanie „M9” na kondygnacji 1 nie ma danych nawiewu"
                                 << "brak danych pogodowych";
        QTest::newRow("no weather") << 0.16 << QString() << ""
                                    << "brak danych pogodowych";
    }
    void failuresOfARow()
    {
        QFETCH(double, diameter);
        QFETCH(QString, flat);
        QFETCH(QString, computed);
        Schedule s;
        s.building.condition = ScheduleCondition::Year;
        ScheduleRow row;
        row.diameter = diameter;
        row.flat = flat.toStdString();
        s.rows = {row};
        const RowResult r = ComputeSchedule(s).rows[0];
        QCOMPARE(r.computed.Failed(), !computed.isEmpty());
        QCOMPARE(QString::fromStdString(r.computed.Reason()), computed);
        QTEST(QString::fromStdString(r.yearShare.Reason()), "year");
    }

    // The sheet's list names a model by its caption and still reads the
    // catalogue's name that older tables wrote.
    void ventilatorCell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("caption");
        QTest::newRow("caption") << "7 OSTREL-160 wzdłużnie" << 7 << "7 OSTREL-160 wzdłużnie";
        QTest::newRow("catalogue name")
            << "7 OSTREL-160 wzdluznie" << 7 << "7 OSTREL-160 wzdłużnie";
        QTest::newRow("trailing blank") << "3 TRAVEN /M-150 " << 3 << "3 TRAVEN/M-150";
    }
    void ventilatorCell()
    {
        QFETCH(QString, text);
        QFETCH(int, model);
        QTEST(QString::fromStdString(VentilatorChoice(model)), "caption");
        const CellRead read =
            ReadCell(ScheduleRow{}, SheetColumn::Ventilator, text.toStdString(), 5, false);
        QCOMPARE(QString::fromStdString(read.reason), QString());
        QCOMPARE(read.row.model, model);
    }

    // The conditions named as the comparison names them, the storeys counted
    // in Polish, the models by their captions.
    void wordsOfTheSheet_data()
    {
        QTest::addColumn<int>("storeys");
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("building");
        QTest::addColumn<QString>("judged");
        QTest::addColumn<QString>("ventilator");
        QTest::newRow("1, calm, 7") << 1 << 0 << 7 << "Budynek: N = 1 kondygnacja po h = 3.00 [m]; "
                                    << "Warunki oceny: bez wiatru – sam ciąg grawitacyjny"
                                    << "7 OSTREL-160 wzdłużnie";
        QTest::newRow("3, wind, 3") << 3 << 1 << 3 << "Budynek: N = 3 kondygnacje po h = 3.00 [m]; "
                                    << "Warunki oceny: wiatr obliczeniowy"
                                    << "3 TRAVEN/M-150";
        QTest::newRow("12, both, 9")
            << 12 << 2 << 9 << "Budynek: N = 12 kondygnacji po h = 3.00 [m]; "
            << "Warunki oceny: wiatr + ciąg grawitacyjny"
            << "9 BIVA-150 wzdłużnie";
    }
    void wordsOfTheSheet()
    {
        QFETCH(int, storeys);
        QFETCH(int, condition);
        QFETCH(int, model);
        Schedule s;
        s.building.storeys = storeys;
        s.building.condition = static_cast<ScheduleCondition>(condition);
        ScheduleRow row;
        row.model = model;
        s.rows = {row};
        const std::vector<std::string> lines = ScheduleConditionLines(s.building);
        QFETCH(QString, building);
        QVERIFY2(QString::fromStdString(lines[2]).startsWith(building), lines[2].c_str());
        QTEST(QString::fromStdString(lines[4]), "judged");
        QTEST(Cell(s, ComputeSchedule(s), 0, SheetColumn::Ventilator), "ventilator");
    }
};

QTEST_GUILESS_MAIN(TestScheduleTable)
#include "test_schedule_table.moc"
