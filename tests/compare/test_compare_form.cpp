// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window driven as a user would: the table against the
// single-model report, sorting, the current model, choosing a model, and the
// window without inputs.
#include "calc/number_format.h"
#include "compare_test_support.h"
#include "report/report_lines.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QString ReportLineWith(const CalcState& state, const QString& start)
{
    for (const ReportLine& line : BuildReport(state, ReportVariant::Screen)) {
        const QString text = QString::fromStdString(line.text);
        if (text.startsWith(start))
            return text;
    }
    return {};
}

// Models 1, 15, 18 and 19 find no point in a hall duct of 0.12 m, 1 m long, at 15 m/s.
CalcState StateWithMissingPoints()
{
    return HallState(1.2, 15.0, 0.12, 1.0);
}

int RowOf(CompareWindow& form, int model)
{
    const std::vector<int> numbers = ShownNumbers(form);
    const auto at = std::find(numbers.begin(), numbers.end(), model);
    return at == numbers.end() ? -1 : static_cast<int>(at - numbers.begin());
}

} // namespace

class TestCompareForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    // The needed flow in the hall example at 4 m/s: the rows that reach it,
    // the suggestion with its reason, model 5's cells.
    void neededFlow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("suggested");
        QTest::addColumn<int>("reaching");
        QTest::addColumn<QStringList>("model5"); // Dn, fit, reaches, wind
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("problem"); // the line above the table and the field's hint
        const QString line = "Proponowany: MIRT-160 (nr 27) – spośród modeli osiągających %1 "
                             "m3/h przy wietrze v = 4.00 m/s ma najmniejszą średnicę Dn = 0.160 "
                             "m, a przy niej najmniejszą wydajność Qh = 115.7007 m3/h.";
        const QString mend = " Wymagana wydajność wynika z normy: zwiększ przekrój przewodu, "
                             "zastosuj kratkę o mniejszym ζ, zapewnij dopływ powietrza "
                             "(nawiewniki) albo wspomaganie mechaniczne.";
        QTest::newRow("100") << "100" << 27 << 6 << QStringList{"0.160", "równy", "tak", "≥ 2.4"}
                             << line.arg("100.0") << QString();
        QTest::newRow("comma") << "100,5" << 27 << 6
                               << QStringList{"0.160", "równy", "tak", "≥ 2.4"} << line.arg("100.5")
                               << QString();
        QTest::newRow("none at 4 m/s")
            << "250" << 0 << 0 << QStringList{"0.160", "równy", "nie", "≥ 8.9"}
            << "Żaden wywietrznik nie osiąga wymaganej wydajności 250.0 m3/h przy wietrze v = "
               "4.00 m/s. Najmniejszej prędkości wiatru wymaga KALMO-200 (nr 14): v = 8.2 m/s." +
                   mend
            << QString();
        QTest::newRow("beyond 15 m/s")
            << "5000" << 0 << 0 << QStringList{"0.160", "równy", "nie", "–"}
            << "Żaden wywietrznik nie osiąga wymaganej wydajności 5000.0 m3/h przy wietrze v = "
               "4.00 m/s." +
                   mend
            << QString();
        QTest::newRow("empty") << "" << 0 << 0 << QStringList{"0.160", "równy", "", ""} << QString()
                               << QString();
        QTest::newRow("negative") << "-5" << 0 << 0 << QStringList{"0.160", "równy", "", ""}
                                  << QString() << "Wymagana wydajność musi być większa od zera.";
        QTest::newRow("text") << "abc" << 0 << 0 << QStringList{"0.160", "równy", "", ""}
                              << QString()
                              << "Wymagana wydajność „abc” nie jest liczbą. Wpisz liczbę, np. "
                                 "150 lub 150,5.";
        QTest::newRow("text after")
            << "150abc" << 0 << 0 << QStringList{"0.160", "równy", "", ""} << QString()
            << "Wymagana wydajność „150abc” nie jest liczbą. Wpisz "
               "liczbę, np. 150 lub 150,5.";
    }
    void neededFlow()
    {
        QFETCH(QString, typed);
        QFETCH(int, suggested);
        QFETCH(int, reaching);
        QFETCH(QStringList, model5);
        QFETCH(QString, reason);
        QFETCH(QString, problem);
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        int chosen = 0;
        CompareWindow form(state, [&](int index) { chosen = index; });
        QVERIFY(OpenWindow(form));
        ClickCell(form, RowOf(form, 6), kColumnFlow);
        auto* edit = form.findChild<QLineEdit*>("NeededFlowEdit");
        QVERIFY(edit->text().isEmpty());
        QTest::keyClicks(edit, typed);
        // Enter applies the field and chooses nothing.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(chosen, 0);
        auto* label = form.findChild<QLabel*>("SuggestionLabel");
        QCOMPARE(label->isVisible() ? label->text() : QString(), reason);
        auto* problemLabel = form.findChild<QLabel*>("ProblemLabel");
        QCOMPARE(problemLabel->isVisible() ? problemLabel->text() : QString(), problem);
        QCOMPARE(edit->styleSheet().contains("border"), !problem.isEmpty());
        if (!problem.isEmpty())
            QCOMPARE(edit->toolTip(), problem);
        QCOMPARE(Table(form)->isColumnHidden(kColumnNeedWind), reason.isEmpty());
        const int row5 = RowOf(form, 5);
        QStringList cells;
        for (int column : {kColumnDiameter, kColumnDuctFit, kColumnReachesNeed, kColumnNeedWind})
            cells << Cell(form, row5, column);
        QCOMPARE(cells, model5);
        int marked = 0;
        const QAbstractItemModel* table = Table(form)->model();
        for (int row = 0; row < kVentilatorCount; ++row) {
            const QColor colour = table->data(table->index(row, kColumnNumber), Qt::BackgroundRole)
                                      .value<QBrush>()
                                      .color();
            marked += colour == QColor(214, 240, 214) || colour == QColor(150, 215, 150);
        }
        QCOMPARE(marked, reaching);
        if (suggested != 0) {
            QCOMPARE(Cell(form, RowOf(form, suggested), kColumnName),
                     QString("MIRT-160 – proponowany"));
            ClickCell(form, RowOf(form, suggested), kColumnFlow);
            QTest::mouseClick(form.findChild<QPushButton*>("ChooseButton"), Qt::LeftButton);
            QCOMPARE(chosen, suggested);
        }
    }

    // "Karta doboru…": the selected model's sheet, one page of PDF.
    void sheetOfTheSelectedModel()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        form.Refresh();
        form.SelectModel(7);
        QTemporaryDir dir;
        const QString path = dir.filePath("karta.pdf");
        QVERIFY(form.SaveSheet(path, QStringLiteral("Hala"), QStringLiteral("W1")));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n"), 1);
        QCOMPARE(form.SheetCaseOf(7).model, 7);
    }

    void captionAndControls()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QCOMPARE(form.windowTitle(), QString("Porównanie wywietrzników"));
        QVERIFY(form.isModal());
        const char* buttons[][2] = {{"ChooseButton", "Wybierz"},
                                    {"CloseButton", "Zamknij"},
                                    {"PrintButton", "Drukuj tabelę…"},
                                    {"CsvButton", "Eksportuj CSV…"},
                                    {"SheetButton", "Karta doboru…"},
                                    {"SaveOperatingChartButton", "Zapisz wykres…"},
                                    {"SaveWindChartButton", "Zapisz wykres…"}};
        for (const auto& [name, text] : buttons) {
            auto* button = form.findChild<QPushButton*>(name);
            QVERIFY2(button != nullptr, name);
            QCOMPARE(button->text(), QString(text));
        }
        QStringList headers;
        form.Refresh();
        for (int column = 0; column < kComparisonColumnCount; ++column)
            headers << Table(form)->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headers,
                 (QStringList{"Nr", "Wywietrznik", "Q [m3/s]", "Qh [m3/h]", "DPsw [Pa]", "c [m/s]",
                              "Dn [m]", "Dn wobec D", "Qh wym.", "v dla Qh wym. [m/s]"}));
    }

    // Every row's cells stand in the single-model report of its model.
    void tableAgreesWithTheReport_data()
    {
        QTest::addColumn<bool>("hall");
        QTest::newRow("hall") << true;
        QTest::newRow("building") << false;
    }
    void tableAgreesWithTheReport()
    {
        QFETCH(bool, hall);
        const CalcState inputs = hall ? HallState(1.2, 4.0, 0.16, 5.0) : BuildingState(4.0);
        CalcState state = ChosenState(inputs, 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QCOMPARE(Table(form)->model()->rowCount(), kVentilatorCount);
        std::vector<int> numbers = ShownNumbers(form);
        std::sort(numbers.begin(), numbers.end());
        for (int i = 0; i < kVentilatorCount; ++i)
            QCOMPARE(numbers[static_cast<std::size_t>(i)], i + 1);

        for (int row = 0; row < kVentilatorCount; ++row) {
            const int model = Cell(form, row, kColumnNumber).toInt();
            const CalcState single = ChosenState(inputs, model);
            QCOMPARE(single.ResultsShown, true);
            QCOMPARE(Cell(form, row, kColumnName),
                     QString::fromUtf8(VentilatorCaption(model).data(),
                                       VentilatorCaption(model).size()));
            QCOMPARE(ReportLineWith(single, "   Wydajność sekundowa   Q = "),
                     "   Wydajność sekundowa   Q = " + Cell(form, row, kColumnFlow) + " [m3/s]");
            QCOMPARE(ReportLineWith(single, "   Wydajność godzinowa   Qh = "),
                     "   Wydajność godzinowa   Qh = " + Cell(form, row, kColumnFlowPerHour) +
                         " [m3/h]");
            QCOMPARE(ReportLineWith(single, "   Podciśnienie wywietrznika   DPsw = "),
                     "   Podciśnienie wywietrznika   DPsw = " + Cell(form, row, kColumnSuction) +
                         " [Pa]");
            QCOMPARE(ReportLineWith(single, "   Prędkość w kanale   c = "),
                     "   Prędkość w kanale   c = " + Cell(form, row, kColumnVelocity) + " [m/s]");
        }
        // The computation writes nothing into the state.
        QCOMPARE(state, ChosenState(inputs, 5));
    }

    void workedHallCaseRow()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        form.Refresh();
        const int row = RowOf(form, 5);
        QCOMPARE(Cell(form, row, kColumnName), QString("KALMO-160"));
        QCOMPARE(Cell(form, row, kColumnFlow), QString("0.0426"));
        QCOMPARE(Cell(form, row, kColumnFlowPerHour), QString("153.3861"));
        QCOMPARE(Cell(form, row, kColumnSuction), QString("3.7752"));
        QCOMPARE(Cell(form, row, kColumnVelocity), QString("2.1191"));
        // KALMO-160 draws the most air of all in this hall.
        QCOMPARE(row, 0);
    }

    // The hall example on a calm day: ticking the gravity draught (ti 20 °C,
    // te 12 °C, H = L = 5 m) gives the flow of the stack alone, and the
    // title says so; with te = ti nothing moves.
    void gravityDraughtGroup()
    {
        CalcState state = ChosenState(HallState(1.2, 0.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        form.Refresh();
        auto* enabled = form.findChild<QCheckBox*>("StackEnabled");
        enabled->setFocus();
        QTest::keyClick(enabled, Qt::Key_Space);
        QCOMPARE(form.windowTitle(), QString("Porównanie wywietrzników – wiatr + ciąg grawitacyjny "
                                             "(ti = 20.0 °C, te = 12.0 °C, H = 5.00 m)"));
        QCOMPARE(Cell(form, RowOf(form, 5), kColumnFlowPerHour), QString("101.6194"));
        auto* outside = form.findChild<QLineEdit*>("StackOutside");
        outside->selectAll();
        QTest::keyClicks(outside, "20,0");
        QCOMPARE(Cell(form, RowOf(form, 5), kColumnFlow), QString("brak punktu pracy"));
    }

    // With ti = te the point reached from rest is the exact smallest root;
    // the Qh's mark and tip name the report's own, other result.
    void gravityDraughtNamesTheReport()
    {
        CalcState state = ChosenState(HallState(1.2, 15.7, 0.17, 2.6), 6);
        CompareWindow form(state, {});
        form.findChild<QCheckBox*>("StackEnabled")->setChecked(true);
        form.findChild<QLineEdit*>("StackOutside")->setText("20");
        const QModelIndex qh = Table(form)->model()->index(RowOf(form, 6), kColumnFlowPerHour);
        QVERIFY(qh.data(Qt::DecorationRole).isValid());
        QCOMPARE(qh.data(Qt::ToolTipRole).toString(),
                 QString("Punkt pracy od spoczynku: Qh = 402.4465 m3/h.\nObliczenia raportu (bez "
                         "ciągu grawitacyjnego) podają Qh = 789.2906 [m3/h]."));
    }

    void sortedByQhAtOpeningWithMissingPointsLast()
    {
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QHeaderView* header = Table(form)->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), int(kColumnFlowPerHour));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        double previous = 1e300;
        for (int row = 0; row < 23; ++row) {
            const double qh = Cell(form, row, kColumnFlowPerHour).toDouble();
            QVERIFY(qh > 0.0 && qh <= previous);
            previous = qh;
        }
        const std::vector<int> numbers = ShownNumbers(form);
        QCOMPARE(std::vector<int>(numbers.begin() + 23, numbers.end()),
                 (std::vector<int>{1, 15, 18, 19}));
        for (int row = 23; row < kVentilatorCount; ++row) {
            QCOMPARE(Cell(form, row, kColumnFlow), QString("brak punktu pracy"));
            QCOMPARE(Cell(form, row, kColumnFlowPerHour), QString());
            QCOMPARE(Cell(form, row, kColumnSuction), QString());
            QCOMPARE(Cell(form, row, kColumnVelocity), QString());
        }
    }

    void sortByClickingHeaders_data()
    {
        QTest::addColumn<int>("column");
        for (int column :
             {int(kColumnFlow), int(kColumnFlowPerHour), int(kColumnSuction), int(kColumnVelocity)})
            QTest::addRow("%d", column) << column;
    }
    void sortByClickingHeaders()
    {
        QFETCH(int, column);
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QHeaderView* header = Table(form)->horizontalHeader();
        for (int click = 0; click < 2; ++click) {
            ClickHeader(form, column);
            QCOMPARE(header->sortIndicatorSection(), column);
            const bool descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
            const QAbstractItemModel* model = Table(form)->model();
            // Sorted by value in the indicated direction, the rows without a
            // point last, in their catalogue order.
            for (int row = 1; row < 23; ++row) {
                const double above =
                    model->data(model->index(row - 1, column), CompareTableModel::ValueRole)
                        .toDouble();
                const double below =
                    model->data(model->index(row, column), CompareTableModel::ValueRole).toDouble();
                QVERIFY(descending ? above >= below : above <= below);
                // The shown texts follow the values.
                QVERIFY(descending ? Cell(form, row - 1, column).toDouble() >=
                                         Cell(form, row, column).toDouble()
                                   : Cell(form, row - 1, column).toDouble() <=
                                         Cell(form, row, column).toDouble());
            }
            const std::vector<int> numbers = ShownNumbers(form);
            QCOMPARE(std::vector<int>(numbers.begin() + 23, numbers.end()),
                     (std::vector<int>{1, 15, 18, 19}));
        }
        // The two clicks sorted both ways.
        ClickHeader(form, column);
        const Qt::SortOrder third = header->sortIndicatorOrder();
        ClickHeader(form, column);
        QVERIFY(header->sortIndicatorOrder() != third);
    }

    void sortByNumberAndName()
    {
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickHeader(form, kColumnNumber);
        std::vector<int> numbers = ShownNumbers(form);
        if (Table(form)->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder)
            std::reverse(numbers.begin(), numbers.end());
        for (int i = 0; i < kVentilatorCount; ++i)
            QCOMPARE(numbers[static_cast<std::size_t>(i)], i + 1);

        ClickHeader(form, kColumnName);
        const bool descending =
            Table(form)->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder;
        for (int row = 1; row < kVentilatorCount; ++row) {
            const QByteArray above = Cell(form, row - 1, kColumnName).toUtf8();
            const QByteArray below = Cell(form, row, kColumnName).toUtf8();
            QVERIFY(descending ? above >= below : above <= below);
        }
    }

    void selectionFollowsSorting()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickCell(form, RowOf(form, 22), kColumnFlowPerHour);
        QCOMPARE(form.SelectedModel(), 22);
        ClickHeader(form, kColumnSuction);
        QCOMPARE(form.SelectedModel(), 22);
        ClickHeader(form, kColumnNumber);
        QCOMPARE(form.SelectedModel(), 22);
    }

    void currentModelHighlightedAndSelected_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("model 5") << 5;
        QTest::newRow("model 22") << 22;
        QTest::newRow("model 27") << 27;
    }
    void currentModelHighlightedAndSelected()
    {
        QFETCH(int, model);
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), model);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QCOMPARE(form.SelectedModel(), model);
        const QAbstractItemModel* table = Table(form)->model();
        int highlighted = 0;
        for (int row = 0; row < kVentilatorCount; ++row) {
            const bool current = Cell(form, row, kColumnNumber).toInt() == model;
            for (int column = 0; column < kComparisonColumnCount; ++column) {
                const QModelIndex index = table->index(row, column);
                const QVariant font = table->data(index, Qt::FontRole);
                const QVariant background = table->data(index, Qt::BackgroundRole);
                QCOMPARE(font.isValid() && font.value<QFont>().bold(), current);
                QCOMPARE(background.isValid(), current);
            }
            highlighted += current;
        }
        QCOMPARE(highlighted, 1);
        // The selected row is visible.
        QVERIFY(Table(form)->viewport()->rect().intersects(
            Table(form)->visualRect(table->index(RowOf(form, model), 0))));
    }

    void noHighlightWithoutAShownReport()
    {
        // A choice that found no point right after a new calculation: the
        // report is not shown, so no row is the report's model.
        CalcState state = StateWithMissingPoints();
        state.VentilatorIndex = 1;
        state.VentilatorName = LookUpVentilator(1).Name;
        QCOMPARE(state.ResultsShown, false);
        CompareWindow form(state, {});
        form.Refresh();
        const QAbstractItemModel* table = Table(form)->model();
        for (int row = 0; row < kVentilatorCount; ++row)
            QVERIFY(!table->data(table->index(row, 0), Qt::BackgroundRole).isValid());
        // The first row is selected instead.
        QCOMPARE(form.SelectedModel(), Cell(form, 0, kColumnNumber).toInt());
    }

    void chooseByDoubleClick()
    {
        const CalcState inputs = HallState(1.2, 4.0, 0.16, 5.0);
        CalcState state = ChosenState(inputs, 5);
        std::vector<int> chosen;
        CompareWindow form(state, [&](int index) {
            chosen.push_back(index);
            ChooseLikeTheMainWindow(state, index);
        });
        QVERIFY(OpenWindow(form));
        const int row = RowOf(form, 14);
        DoubleClickCell(form, row, kColumnFlowPerHour);
        QCOMPARE(chosen, std::vector<int>{14});
        // The state is that of a confirmed choice of model 14.
        const CalcState expected = ChosenState(inputs, 14);
        QCOMPARE(state.VentilatorIndex, 14);
        QCOMPARE(state.VentilatorName, std::string_view("KALMO-200"));
        QCOMPARE(state.FlowPerHour, expected.FlowPerHour);
        QCOMPARE(state.VentilatorSuction, expected.VentilatorSuction);
        QCOMPARE(state.DuctVelocity, expected.DuctVelocity);
        // The window stays open and shows model 14 as the current one.
        QVERIFY(form.isVisible());
        QCOMPARE(form.TableModel()->CurrentModel(), 14);
        QCOMPARE(form.SelectedModel(), 14);
        const QAbstractItemModel* table = Table(form)->model();
        QVERIFY(table->data(table->index(RowOf(form, 14), 1), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!table->data(table->index(RowOf(form, 5), 1), Qt::BackgroundRole).isValid());
    }

    void chooseByButton()
    {
        const CalcState inputs = BuildingState(4.0);
        CalcState state = ChosenState(inputs, 5);
        std::vector<int> chosen;
        CompareWindow form(state, [&](int index) {
            chosen.push_back(index);
            ChooseLikeTheMainWindow(state, index);
        });
        QVERIFY(OpenWindow(form));
        // Sort by DPsw first: the choice must follow the row, not its position.
        ClickHeader(form, kColumnSuction);
        ClickCell(form, RowOf(form, 9), kColumnVelocity);
        QCOMPARE(form.SelectedModel(), 9);
        QTest::mouseClick(form.findChild<QPushButton*>("ChooseButton"), Qt::LeftButton);
        QCOMPARE(chosen, std::vector<int>{9});
        QCOMPARE(state.VentilatorIndex, 9);
        QCOMPARE(state.FlowPerHour, ChosenState(inputs, 9).FlowPerHour);
        QCOMPARE(form.TableModel()->CurrentModel(), 9);
        // The user's sort stays while the window is open.
        QCOMPARE(Table(form)->horizontalHeader()->sortIndicatorSection(), int(kColumnSuction));

        // Enter in the table chooses nothing; the button does.
        Table(form)->scrollTo(Table(form)->model()->index(RowOf(form, 27), 0));
        ClickCell(form, RowOf(form, 27), kColumnFlow);
        QCOMPARE(form.SelectedModel(), 27);
        QTest::keyClick(Table(form), Qt::Key_Return);
        QCOMPARE(chosen, std::vector<int>{9});
        QTest::mouseClick(form.findChild<QPushButton*>("ChooseButton"), Qt::LeftButton);
        QCOMPARE(chosen, (std::vector<int>{9, 27}));
        QCOMPARE(state.VentilatorIndex, 27);
    }

    void reopeningSortsByQhAndSelectsTheCurrentModel()
    {
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, [&](int index) { ChooseLikeTheMainWindow(state, index); });
        QVERIFY(OpenWindow(form));
        ClickHeader(form, kColumnName);
        ClickCell(form, RowOf(form, 3), kColumnFlow);
        form.hide();
        form.Refresh();
        QCOMPARE(Table(form)->horizontalHeader()->sortIndicatorSection(), int(kColumnFlowPerHour));
        QCOMPARE(Table(form)->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(form.SelectedModel(), 5);
    }

    void closeButtonAndEscape_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Zamknij") << false;
        QTest::newRow("Esc") << true;
    }
    void closeButtonAndEscape()
    {
        QFETCH(bool, escape);
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        const CalcState before = state;
        bool called = false;
        CompareWindow form(state, [&](int) { called = true; });
        form.Refresh();
        auto watch = WhenModal<CompareWindow>([escape](CompareWindow* window) {
            if (escape)
                QTest::keyClick(window->findChild<QTableView*>("CompareTable"), Qt::Key_Escape);
            else
                QTest::mouseClick(window->findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(watch->acted());
        QVERIFY(!called);
        QCOMPARE(state, before);
    }

    void noInputsYet()
    {
        CalcState state;
        ResetCalcState(state);
        bool called = false;
        CompareWindow form(state, [&](int) { called = true; });
        QVERIFY(OpenWindow(form));
        auto* label = form.findChild<QLabel*>("NoDataLabel");
        QVERIFY(label != nullptr);
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(),
                 QString("Nie ma jeszcze obliczeń do porównania. Najpierw wykonaj Obliczenia → "
                         "Nowe obliczenia albo otwórz zapisane obliczenia."));
        QVERIFY(!Table(form)->isVisible());
        QCOMPARE(Table(form)->model()->rowCount(), 0);
        QVERIFY(!form.findChild<QPushButton*>("ChooseButton")->isEnabled());
        QVERIFY(!form.findChild<QPushButton*>("CsvButton")->isEnabled());
        QVERIFY(!form.findChild<QPushButton*>("SheetButton")->isEnabled());
        QVERIFY(!form.findChild<QPushButton*>("PrintButton")->isEnabled());
        QVERIFY(!form.findChild<QPushButton*>("SaveOperatingChartButton")->isEnabled());
        QVERIFY(form.findChild<QPushButton*>("CloseButton")->isEnabled());
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!called);

        // Once the inputs are held the same window shows the table.
        form.hide();
        state = HallState(1.2, 4.0, 0.16, 5.0);
        QVERIFY(OpenWindow(form));
        QVERIFY(!label->isVisible());
        QVERIFY(Table(form)->isVisible());
        QCOMPARE(Table(form)->model()->rowCount(), kVentilatorCount);
    }

    void refusedInputsName_data()
    {
        QTest::addColumn<double>("density");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no air") << 0.0 << 0.16
                                << "Gęstość powietrza musi być większa od zera – podaj "
                                   "parametry powietrza.";
        QTest::newRow("infinite duct") << 1.2 << qInf()
                                       << "Dane zawierają wartość, która nie jest poprawną "
                                          "liczbą – popraw je.";
    }
    void refusedInputsName()
    {
        QFETCH(double, density);
        QFETCH(double, diameter);
        QFETCH(QString, reason);
        // A report held whose inputs are refused names the reason.
        CalcState state = HallState(density, 4.0, diameter, 5.0);
        state.ResultsShown = true;
        CompareWindow form(state, {});
        form.Refresh();
        const QString text = form.findChild<QLabel*>("NoDataLabel")->text();
        QCOMPARE(text.split('\n').value(1), reason);
        QCOMPARE(form.findChild<QStackedWidget*>()->currentWidget()->objectName(),
                 QString("NoDataLabel"));
    }
};

WYW_GUI_TEST_MAIN(TestCompareForm)
#include "test_compare_form.moc"
