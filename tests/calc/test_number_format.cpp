// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_format.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <random>

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void fixed_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("density") << 1.2 << 3 << "1.200";
        QTest::newRow("two decimals") << 0.1234 << 2 << "0.12";
        QTest::newRow("wind 3.26") << 3.26 << 1 << "3.3";
        QTest::newRow("no padding") << 5.0 << 2 << "5.00";
        QTest::newRow("negative") << -3.0 << 1 << "-3.0";
        QTest::newRow("negative zero") << -0.0 << 2 << "-0.00";
        QTest::newRow("half to even below") << 0.125 << 2 << "0.12";
        QTest::newRow("binary above half") << 0.135 << 2 << "0.14";
        QTest::newRow("no grouping") << 1234567.0 << 2 << "1234567.00";
        QTest::newRow("1e25") << 1e25 << 2 << "10000000000000000905969664.00";
        QTest::newRow("Q") << 0.5 << 4 << "0.5000";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 2 << "inf";
    }
    void fixed()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatFixed(value, decimals)), text);
    }

    void whole()
    {
        QCOMPARE(FormatWhole(5), std::string("5"));
        QCOMPARE(FormatWhole(-2147483647 - 1), std::string("-2147483648"));
        QCOMPARE(FormatWhole(1000000), std::string("1000000"));
    }

    // Against printf of the "C" locale for random magnitudes.
    void agreesWithPrintf()
    {
        locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
        const locale_t previous = uselocale(c);
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> exponent(-12.0, 40.0);
        std::uniform_int_distribution<int> decimals(1, 4);
        char buffer[512];
        QString failure;
        for (int i = 0; i < 100000 && failure.isEmpty(); ++i) {
            double value = std::pow(10.0, exponent(random));
            if (i % 2)
                value = -value;
            const int d = decimals(random);
            std::snprintf(buffer, sizeof buffer, "%1.*f", d, value);
            if (FormatFixed(value, d) != buffer)
                failure = QString("%1 with %2 decimals").arg(value, 0, 'g', 17).arg(d);
        }
        uselocale(previous);
        freelocale(c);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "test_number_format.moc"
