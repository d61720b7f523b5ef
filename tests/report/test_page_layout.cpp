// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/page_layout.h"

#include <QtTest>

namespace {

// A character a unit wide, whatever its bytes.
double Chars(std::string_view text)
{
    return static_cast<double>(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).size());
}

QStringList Wrapped(const QString& text, double limit)
{
    QStringList lines;
    for (const std::string& line : WrapText(text.toStdString(), limit, Chars))
        lines << QString::fromStdString(line);
    return lines;
}

// A long schedule: a title and 9 condition lines, a gap, `rows` rows of three
// lines, a gap, the summary's heading and 12 lines (heights in points).
std::vector<PrintBlock> LongSchedule(std::size_t rows)
{
    std::vector<PrintBlock> blocks(10, PrintBlock{10.0, false, false});
    blocks.push_back({5.0, false, false});
    for (std::size_t i = 0; i < rows; ++i)
        blocks.push_back({34.0, true, false});
    blocks.push_back({5.0, false, false});
    blocks.push_back({10.0, false, true});
    blocks.insert(blocks.end(), 12, PrintBlock{10.0, false, false});
    return blocks;
}

} // namespace

class TestPageLayout : public QObject {
    Q_OBJECT
private slots:
    // Long labels wrap inside their cells: at blanks, inside a word only where
    // the word alone is wider, never losing a character.
    void wrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("blanks") << "Kuchnia z oknem zewnętrznym" << 10.0
                                << QStringList{"Kuchnia z", "oknem", "zewnętrzny", "m"};
        QTest::newRow("long label") << "Pion_klatki_B/Łazienka k12" << 8.0
                                    << QStringList{"Pion_kla", "tki_B/Ła", "zienka", "k12"};
        QTest::newRow("fits") << "0.140×0.270" << 11.0 << QStringList{"0.140×0.270"};
        QTest::newRow("line break") << "a b\nc" << 10.0 << QStringList{"a b", "c"};
        QTest::newRow("empty") << "" << 5.0 << QStringList{""};
    }
    void wrap()
    {
        QFETCH(QString, text);
        QFETCH(double, limit);
        QTEST(Wrapped(text, limit), "lines");
    }

    // The pages of a long schedule, counted before anything is painted; the
    // summary's heading never ends a page, whatever the number of rows.
    void pages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        // Page 1: the lines (105), the header and 2 rows (68); each next page
        // the header and 5 rows (190); the summary after a gap of 5.
        QTest::newRow("100 rows") << 100 << 22;
        QTest::newRow("3 rows") << 3 << 2;
        // Page 2 ends at 195: the heading alone would fit, with its first line not.
        QTest::newRow("heading at the foot") << 7 << 3;
    }
    void pages()
    {
        QFETCH(int, rows);
        const std::vector<PrintBlock> blocks = LongSchedule(static_cast<std::size_t>(rows));
        const std::vector<PrintPage> pages = Paginate(blocks, 210.0, 20.0);
        QTEST(static_cast<int>(pages.size()), "pages");
        QCOMPARE(PageNumberText(1, pages.size()), "strona 1 z " + std::to_string(pages.size()));
        std::size_t next = 0;
        for (const PrintPage& page : pages) {
            QCOMPARE(page.first, next);
            QVERIFY(page.last > page.first);
            QVERIFY(!blocks[page.last - 1].keepWithNext);
            double height = 0.0;
            for (std::size_t i = page.first; i < page.last; ++i)
                height += blocks[i].height + (HeaderAbove(blocks, page, i) ? 20.0 : 0.0);
            QVERIFY(height <= 210.0);
            next = page.last;
        }
        QCOMPARE(next, blocks.size());
    }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "test_page_layout.moc"
