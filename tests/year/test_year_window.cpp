// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_charts.h"
#include "year/year_window.h"

#include "sample_states.h"
#include "test_main.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The building of the command line's run: 5 storeys of 3 m, a round duct of
// 0.16 m, KALMO-160.
CalcState Building()
{
    CalcState s = BuildingState();
    s.VentilatorIndex = 5;
    return s;
}

QStringList Shown(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

} // namespace

class TestYearWindow : public QObject {
    Q_OBJECT
private slots:
    // A new user's way: the file's name typed, the heating season and the
    // need chosen by their mnemonics, "Oblicz"; the figures are those of
    //   wywietrznik-cli --density 1.2 --wind 4 --round 0.16
    //     --building-rect 3,5,0.2,0.2,15 --model 5 --weather-file FILE
    //     --period heating --need 100
    void computesAsTheCommandLine()
    {
        YearWindow window(state_);
        window.Refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), "WeatherFilePath");
        QTest::keyClicks(QApplication::focusWidget(), WYW_WEATHER_FILE);
        QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
        QTest::keyClick(&window, Qt::Key_Q, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "100");
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY2(!window.Lines().empty(), qPrintable(window.Problem()));
        QCOMPARE(
            Shown(window.Lines()),
            (QStringList{"Wywietrznik: KALMO-160", "Stacja: Chicago Ohare Intl Ap",
                         "Okres: sezon grzewczy (1.10–30.04)",
                         "Teren stacji II, budynku III, z = 16.00 [m]: wiatr przy wywietrzniku = "
                         "0.8508 × wiatr na stacji",
                         "Wymagana wydajność Qh = 100.00 [m3/h]",
                         "Godziny spełnienia wymagania: 4753 z 5088 obliczonych (93.42 %)",
                         "Godziny bez przepływu w górę: 4", "Godziny bez danych: 0",
                         "Q50 = 147.25 [m3/h], Q90 = 108.78 [m3/h]",
                         "Udział miesięcy: I 100.0 % II 99.6 % III 98.5 % IV 83.5 % X 83.7 % XI "
                         "88.8 % XII 100.0 %",
                         "Najgorszy miesiąc: kwiecień (83.47 %)"}));
        QVERIFY(window.Problem().isEmpty());
        QCOMPARE(window.Charts().DurationView()->chart()->series().size(), 2);
        QCOMPARE(window.Charts().MonthsView()->chart()->series().size(), 1);
        QVERIFY(window.SharedWeather());
        QCOMPARE(window.CurrentPeriod(), HeatingSeason());

        // Both charts as a picture, and the printout into a whole PDF file.
        QTemporaryDir out;
        QVERIFY(window.SavePng(out.filePath("rok.png")));
        QCOMPARE(QImage(out.filePath("rok.png")).size(), QSize(1200, 1000));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(out.filePath("rok.pdf"));
        QVERIFY(window.Print(printer));
        QFile pdf(out.filePath("rok.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.readAll().trimmed().endsWith("%%EOF"));

        // What the calculation file keeps, and a window restored from it.
        const std::optional<WeatherSetting> kept = window.Setting();
        QVERIFY(kept);
        QCOMPARE(kept->source.path, std::string(WYW_WEATHER_FILE));
        QCOMPARE(kept->period, HeatingSeason());
        QCOMPARE(kept->need, std::optional<double>(100.0));
        QCOMPARE(kept->site.height, 16.0);
        YearWindow restored(state_);
        QSignalSpy edited(&restored, &YearWindow::Edited);
        restored.RestoreSetting(kept);
        QCOMPARE(edited.count(), 0);
        QVERIFY(restored.Setting() == kept);
        QCOMPARE(restored.Lines(), window.Lines());

        // A damaged file: its reason in the window, no results.
        QTemporaryDir dir;
        QFile whole(WYW_WEATHER_FILE);
        QFile damaged(dir.filePath("uszkodzony.epw"));
        QVERIFY(whole.open(QIODevice::ReadOnly) && damaged.open(QIODevice::WriteOnly));
        damaged.write(whole.read(5000));
        damaged.close();
        auto* path = window.findChild<QLineEdit*>("WeatherFilePath");
        path->selectAll();
        QTest::keyClicks(path, dir.filePath("uszkodzony.epw"));
        QTest::keyClick(path, Qt::Key_Return);
        QVERIFY(window.Lines().empty());
        QVERIFY(!window.SharedWeather());
        QCOMPARE(window.Problem(), QString("Nie można użyć pliku pogodowego „%1”: wiersz 28: za "
                                           "mało pól (6, potrzeba co najmniej 22).")
                                       .arg(dir.filePath("uszkodzony.epw")));
    }

private:
    CalcState state_ = Building();
};

WYW_GUI_TEST_MAIN(TestYearWindow)
#include "test_year_window.moc"
