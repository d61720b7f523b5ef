// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window with a year of weather: the column "Godziny
// spełnienia [%]" as the command line prints it, the suggestion by the share
// of hours, a refused share, and the workbook written by its button.
#include "compare_test_support.h"
#include "test_main.h"
#include "weather/weather_source.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <memory>

namespace {

// The building of the command line's case:
//   wywietrznik-cli --density 1.2 --wind 4 --round 0.16
//     --building-rect 3,5,0.2,0.2,15 --all --need 60 --wind-distribution 3.5,2
// with the command line's own site: II, III, z = L + 1 = 16 m.
void OpenWithDistribution(CompareWindow& form)
{
    Result<LoadedWeather> weather = LoadWeather(WindDistributionSource(3.5, 2.0));
    QVERIFY(weather);
    form.SetYearWeather(std::make_shared<const LoadedWeather>(std::move(weather).Value()),
                        Site{2, 3, 16.0}, WholeYear());
    QVERIFY(OpenWindow(form));
}

QString YearCell(CompareWindow& form, int model)
{
    const std::vector<int> numbers = ShownNumbers(form);
    const auto at = std::find(numbers.begin(), numbers.end(), model);
    return Cell(form, static_cast<int>(at - numbers.begin()), kColumnYearShare);
}

} // namespace

class TestCompareYear : public QObject {
    Q_OBJECT
private slots:
    void yearColumn_data()
    {
        QTest::addColumn<QString>("need");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("kalmo315"); // model 19
        QTest::addColumn<QString>("vesk315");  // model 20
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("problem");
        QTest::newRow("90 %") << "60"
                              << "90"
                              << "79.77"
                              << "64.99"
                              << "Proponowany: TRAVEN-140 (nr 2) – spośród modeli spełniających "
                                 "wymaganie Qh = 60.0 m3/h w co najmniej 90 % czasu ma najmniejszą "
                                 "średnicę Dn = 0.140 m; spełnia wymaganie w 100.00 % czasu "
                                 "(wymagane 90 %)."
                              << "";
        QTest::newRow("no need") << ""
                                 << "90"
                                 << ""
                                 << ""
                                 << ""
                                 << "";
        QTest::newRow("text share")
            << "60"
            << "abc"
            << "79.77"
            << "64.99"
            << "Proponowany: BIVA-160 wzdłużnie (nr 11)"
            << "Udział godzin „abc” nie jest liczbą. Wpisz liczbę od 0 do 100, np. 90 lub 92,5.";
        QTest::newRow("share over 100") << "60"
                                        << "100,5"
                                        << "79.77"
                                        << "64.99"
                                        << "Proponowany: BIVA-160 wzdłużnie (nr 11)"
                                        << "Udział godzin musi wynosić od 0 do 100 %.";
    }
    void yearColumn()
    {
        QFETCH(QString, need);
        QFETCH(QString, share);
        QFETCH(QString, kalmo315);
        QFETCH(QString, vesk315);
        QFETCH(QString, suggested);
        QFETCH(QString, problem);
        CalcState state = BuildingState(4.0);
        CompareWindow form(state, {});
        OpenWithDistribution(form);
        form.findChild<QLineEdit*>("YearShareEdit")->setText(share);
        form.findChild<QLineEdit*>("NeededFlowEdit")->setText(need);
        // The column follows a pause in typing the need.
        QTRY_COMPARE(YearCell(form, 19), kalmo315);
        QCOMPARE(YearCell(form, 20), vesk315);
        QVERIFY(!Table(form)->isColumnHidden(kColumnYearShare));
        const QString shown = form.findChild<QLabel*>("SuggestionLabel")->text();
        QVERIFY2(suggested.isEmpty() ? shown.isEmpty() : shown.startsWith(suggested),
                 qPrintable(shown));
        QCOMPARE(form.findChild<QLabel*>("ProblemLabel")->text(), problem);
        if (need.isEmpty())
            QCOMPARE(Table(form)
                         ->model()
                         ->headerData(kColumnYearShare, Qt::Horizontal, Qt::ToolTipRole)
                         .toString(),
                     QString("Wpisz wymaganą wydajność Qh: kolumna poda udział godzin okresu "
                             "pogody, w których model ją osiąga."));
        // Sorted by the column, as numbers: 100.00 before 79.77 before 6.13.
        if (!need.isEmpty()) {
            Table(form)->sortByColumn(kColumnYearShare, Qt::DescendingOrder);
            const std::vector<int> order = ShownNumbers(form);
            const auto place = [&](int model) {
                return std::find(order.begin(), order.end(), model) - order.begin();
            };
            QVERIFY(place(2) < place(19) && place(19) < place(22) && place(22) < place(23));
        }
        form.SetYearWeather(nullptr, {}, {});
        QVERIFY(Table(form)->isColumnHidden(kColumnYearShare));
    }

    // "Eksportuj XLSX…" writes the workbook, a zip archive.
    void xlsxButton()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = BuildingState(4.0);
        CompareWindow form(state, {});
        OpenWithDistribution(form);
        auto watch = WhenModal<QFileDialog>(
            [&](QFileDialog* dialog) { TypeFileName(dialog, directory.filePath("tabela")); });
        QTest::mouseClick(form.findChild<QPushButton*>("XlsxButton"), Qt::LeftButton);
        QVERIFY(watch->acted());
        QFile file(directory.filePath("tabela.xlsx"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK"));
    }
};

WYW_GUI_TEST_MAIN(TestCompareYear)
#include "test_compare_year.moc"
