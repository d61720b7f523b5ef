// SPDX-License-Identifier: GPL-3.0-or-later
// Proves that the tests really run under the Polish locale, where the C library
// writes and reads a decimal comma, and that our conversions ignore it.
#include "calc/field_conversion.h"
#include "calc/number_format.h"

#include <QtTest>

#include <clocale>
#include <cstdio>
#include <cstdlib>

class TestLocale : public QObject {
    Q_OBJECT
private slots:
    void polishLocaleIsActive()
    {
        // QCoreApplication has taken the locale from the environment.
        const std::lconv* conventions = std::localeconv();
        QCOMPARE(QByteArray(conventions->decimal_point), QByteArray(","));
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%1.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1,50"));
        QCOMPARE(std::atof("1.5"), 1.0);
    }

    void ourConversionsIgnoreTheLocale()
    {
        QCOMPARE(ConvertReal("1.5"), 1.5);
        QCOMPARE(ConvertReal("1,5"), 1.0);
        QCOMPARE(FormatFixed(1.5, 2), std::string("1.50"));
        QCOMPARE(FormatFixed(-1234567.891, 1), std::string("-1234567.9"));
    }
};

QTEST_GUILESS_MAIN(TestLocale)
#include "test_locale.moc"
