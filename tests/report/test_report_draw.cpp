// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_draw.h"
#include "sample_states.h"

#include <QtTest>

namespace {

QList<int> Ys(const RecordingCanvas& canvas)
{
    QList<int> ys;
    for (const DrawnText& text : canvas.Texts())
        ys << text.y;
    return ys;
}

QList<int> Xs(const RecordingCanvas& canvas)
{
    QList<int> xs;
    for (const DrawnText& text : canvas.Texts())
        xs << text.x;
    return xs;
}

QList<int> Ranges(std::initializer_list<std::pair<int, int>> ranges, int y0, int step)
{
    QList<int> ys;
    for (const auto& [from, to] : ranges) {
        for (int row = from; row <= to; ++row)
            ys << y0 + step * row;
    }
    return ys;
}

} // namespace

Q_DECLARE_METATYPE(CalcState)
Q_DECLARE_METATYPE(ReportVariant)

class TestReportDraw : public QObject {
    Q_OBJECT
private slots:
    void layoutsOfWindowAndPaper()
    {
        QCOMPARE(kScreenReportLayout.x, 20);
        QCOMPARE(kScreenReportLayout.y0, 50);
        QCOMPARE(kScreenReportLayout.rowStep, 20);
        QCOMPARE(kPrinterReportLayout.x, 200);
        QCOMPARE(kPrinterReportLayout.y0, 200);
        QCOMPARE(kPrinterReportLayout.rowStep, 120);
    }

    void reportPositions_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<ReportVariant>("variant");
        QTest::addColumn<QList<int>>("ys");

        // Screen: hall with a round duct, rows 0, 2..8, 10..14; the velocity
        // line on row 14 at y = 330.
        QTest::newRow("screen, hall, round duct") << HallRoundDuct() << ReportVariant::Screen
                                                  << Ranges({{0, 0}, {2, 8}, {10, 14}}, 50, 20);
        // Screen: building with a rectangular duct, rows 0, 2..13, 15..19; the
        // lowest line at y = 430.
        QTest::newRow("screen, building, rectangular duct")
            << BuildingRectangular() << ReportVariant::Screen
            << Ranges({{0, 0}, {2, 13}, {15, 19}}, 50, 20);
        // Paper: hall with a round duct, rows 0, 2..7, 9..13, the last at 1760.
        QTest::newRow("paper, hall, round duct") << HallRoundDuct() << ReportVariant::Printer
                                                 << Ranges({{0, 0}, {2, 7}, {9, 13}}, 200, 120);
        // Paper: building with a rectangular duct, the last row at 2480.
        QTest::newRow("paper, building, rectangular duct")
            << BuildingRectangular() << ReportVariant::Printer
            << Ranges({{0, 0}, {2, 13}, {15, 19}}, 200, 120);
    }

    void reportPositions()
    {
        QFETCH(CalcState, state);
        QFETCH(ReportVariant, variant);
        QFETCH(QList<int>, ys);

        const ReportLayout layout =
            variant == ReportVariant::Screen ? kScreenReportLayout : kPrinterReportLayout;
        const std::vector<ReportLine> lines = BuildReport(state, variant);
        RecordingCanvas canvas;
        DrawReport(canvas, lines, layout);

        QCOMPARE(Ys(canvas), ys);
        QCOMPARE(Xs(canvas), QList<int>(ys.size(), layout.x));
        QCOMPARE(canvas.Texts().size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            QCOMPARE(canvas.Texts()[i].text, QString::fromStdString(lines[i].text));
    }

    void windowTextsAtTheirRows()
    {
        RecordingCanvas canvas;
        DrawReport(canvas, BuildReport(HallRoundDuct(), ReportVariant::Screen),
                   kScreenReportLayout);
        const auto& texts = canvas.Texts();
        QCOMPARE(texts.front(), (DrawnText{20, 50,
                                           QStringLiteral("Program doboru wywietrzników firmy "
                                                          "KORVANT sp z o.o. Merlowice")}));
        QCOMPARE(texts[1], (DrawnText{20, 90, QStringLiteral("Dane do obliczeń:")}));
        QCOMPARE(texts[2],
                 (DrawnText{20, 110, QStringLiteral("   Nazwa wywietrznika = KALMO-160")}));
        QCOMPARE(texts.back(),
                 (DrawnText{20, 330, QStringLiteral("   Prędkość w kanale   c = 2.1191 [m/s]")}));
    }

    void paperTextsAtTheirRows()
    {
        RecordingCanvas canvas;
        DrawReport(canvas, BuildReport(BuildingRectangular(), ReportVariant::Printer),
                   kPrinterReportLayout);
        const auto& texts = canvas.Texts();
        QCOMPARE(texts.front().y, 200);
        QCOMPARE(texts[1], (DrawnText{200, 440, QStringLiteral("Dane do obliczeń:")}));
        QCOMPARE(texts[2],
                 (DrawnText{200, 560, QStringLiteral("   Nazwa wywietrznika= KALMO-160")}));
        // The storey lines have no blank after "=", the material row follows
        // the storey height (row 11 for a rectangular duct).
        const auto at = [&](int y) {
            for (const DrawnText& t : texts) {
                if (t.y == y)
                    return t.text;
            }
            return QString();
        };
        QCOMPARE(at(200 + 120 * 9), QStringLiteral("   Ilość kondygnacji=5 [-]"));
        QCOMPARE(at(200 + 120 * 10), QStringLiteral("   Wysokość jednej kondygnacji=3.00 [m]"));
        QCOMPARE(at(200 + 120 * 11),
                 QStringLiteral("   Rodzaj materiału: rura stalowa ocynkowana czysta"));
        QCOMPARE(at(200 + 120 * 15), QStringLiteral("Obliczone wartości"));
        QCOMPARE(texts.back().y, 2480);
        QVERIFY(texts.back().text.endsWith(QStringLiteral(" [m/s] dla średnicy równoważnej.")));
    }

    void anyPlaceAndStep()
    {
        const std::vector<ReportLine> lines{{0, "a"}, {3, "Łódź"}, {1, ""}};
        RecordingCanvas canvas;
        DrawReport(canvas, lines, 7, -3, 11);
        const std::vector<DrawnText> expected{
            {7, -3, QStringLiteral("a")},
            {7, 30, QStringLiteral("Łódź")},
            {7, 8, QString()},
        };
        QCOMPARE(canvas.Texts(), expected);
    }

    void nothingToDraw()
    {
        RecordingCanvas canvas;
        DrawReport(canvas, {}, kScreenReportLayout);
        QVERIFY(canvas.Texts().empty());
    }

    void recordingKeepsOrderUntilCleared()
    {
        RecordingCanvas canvas;
        canvas.DrawText(1, 2, QStringLiteral("x"));
        canvas.DrawText(-5, 0, QStringLiteral(" "));
        QCOMPARE(canvas.Texts().size(), std::size_t{2});
        QCOMPARE(canvas.Texts()[1], (DrawnText{-5, 0, QStringLiteral(" ")}));
        canvas.Clear();
        QVERIFY(canvas.Texts().empty());
    }
};

QTEST_APPLESS_MAIN(TestReportDraw)
#include "test_report_draw.moc"
