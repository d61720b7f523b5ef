// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/field_conversion.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

// The reference: the C library under the "C" locale, whatever the environment.
class CLocale {
public:
    CLocale()
        : locale_(newlocale(LC_ALL_MASK, "C", nullptr))
    {
    }
    ~CLocale() { freelocale(locale_); }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;
    locale_t get() const { return locale_; }

private:
    locale_t locale_;
};

class TestFieldConversion : public QObject {
    Q_OBJECT
private slots:
    void real_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "1.2" << 1.2;
        QTest::newRow("integer") << "4" << 4.0;
        QTest::newRow("leading blanks") << " \t\n 3.5" << 3.5;
        QTest::newRow("plus") << "+2.5" << 2.5;
        QTest::newRow("minus") << "-3" << -3.0;
        QTest::newRow("decimal comma stops") << "1,5" << 1.0;
        QTest::newRow("comma 4,6") << "4,6" << 4.0;
        QTest::newRow("trailing text") << "12.5m" << 12.5;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("point last") << "5." << 5.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent sign") << "2.5E-2" << 0.025;
        QTest::newRow("exponent without digits") << "7e" << 7.0;
        QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
        QTest::newRow("letters") << "Edit1" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("inf is no number") << "inf" << 0.0;
        QTest::newRow("nan is no number") << "nan" << 0.0;
        QTest::newRow("hexadecimal") << "0x1A" << 0.0;
        QTest::newRow("1e25") << "1e25" << 1e25;
        QTest::newRow("written 1e25") << "10000000000000000905969664.00" << 1e25;
        QTest::newRow("overflow") << "1e400" << std::numeric_limits<double>::infinity();
        QTest::newRow("negative overflow") << "-1e400" << -std::numeric_limits<double>::infinity();
        QTest::newRow("long overflow")
            << "123456789e99999999999999999999" << std::numeric_limits<double>::infinity();
        QTest::newRow("underflow") << "1e-400" << 0.0;
        QTest::newRow("underflow with zeros") << "0.000001e-399" << 0.0;
        QTest::newRow("subnormal") << "4e-320" << 4e-320;
        QTest::newRow("many digits") << "0.1000000000000000055511151231257827" << 0.1;
        QTest::newRow("sign then blank") << "- 3" << 0.0;
    }
    void real()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const double converted = ConvertReal(text.toStdString());
        QCOMPARE(converted, value);
        QCOMPARE(std::signbit(converted), std::signbit(value));
    }

    // A dialog's real field also takes a decimal comma for the point.
    void fieldReal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("1,2") << "1,2" << 1.2;
        QTest::newRow("0,16") << "0,16" << 0.16;
        QTest::newRow("comma and exponent") << "4,5e-1" << 0.45;
        QTest::newRow("second comma ends it") << "1,2,3" << 1.2;
        QTest::newRow("comma first") << ",5" << 0.5;
        QTest::newRow("point stays") << "1.5,3" << 1.5;
        QTest::newRow("letters") << "abc" << 0.0;
    }
    void fieldReal()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(ConvertFieldReal(text.toStdString()), value);
    }

    void whole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "20" << 20;
        QTest::newRow("fraction dropped") << "20.7" << 20;
        QTest::newRow("storeys 3.5") << "3.5" << 3;
        QTest::newRow("storeys 3,5") << "3,5" << 3;
        QTest::newRow("humidity 55.5") << "55.5" << 55;
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("blanks") << "  12x" << 12;
        QTest::newRow("letters") << "Edit2" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("exponent ignored") << "1e3" << 1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("saturates up") << "2147483648" << 2147483647;
        QTest::newRow("saturates far up") << "99999999999999999999999" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << -2147483647 - 1;
        QTest::newRow("saturates down") << "-99999999999" << -2147483647 - 1;
    }
    void whole()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(ConvertWhole(text.toStdString()), value);
    }

    // Random texts made of the characters that matter, against strtod and
    // strtol of the "C" locale (their C99 extensions filtered out).
    void agreesWithTheCLibrary()
    {
        const CLocale c;
        std::mt19937 random(20261207);
        const std::string alphabet = "0123456789.+-eE x,";
        for (int round = 0; round < 200000; ++round) {
            std::string text;
            const int length = std::uniform_int_distribution<int>(0, 14)(random);
            for (int i = 0; i < length; ++i)
                text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() -
                                                                                   1)(random)];
            // The classic conversion reads "0x1A" as 0: no hexadecimal numbers.
            std::string classic = text;
            const std::size_t start = classic.find_first_not_of(" ");
            const std::size_t digits =
                start == std::string::npos
                    ? start
                    : start + (classic[start] == '+' || classic[start] == '-');
            if (digits != std::string::npos && classic.compare(digits, 2, "0x") == 0)
                classic.resize(digits + 1);
            const double expected = strtod_l(classic.c_str(), nullptr, c.get());
            const double actual = ConvertReal(text);
            if (!(actual == expected && std::signbit(actual) == std::signbit(expected)))
                QFAIL(qPrintable(QString("real \"%1\": %2 instead of %3")
                                     .arg(QString::fromStdString(text))
                                     .arg(actual, 0, 'g', 17)
                                     .arg(expected, 0, 'g', 17)));
            const long whole = strtol_l(text.c_str(), nullptr, 10, c.get());
            const long limited = std::clamp<long>(whole, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max());
            if (ConvertWhole(text) != limited)
                QFAIL(qPrintable(QString("whole \"%1\"").arg(QString::fromStdString(text))));
        }
    }
};

QTEST_GUILESS_MAIN(TestFieldConversion)
#include "test_field_conversion.moc"
