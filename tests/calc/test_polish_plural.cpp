// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/polish_plural.h"

#include <QtTest>

class TestPolishPlural : public QObject {
    Q_OBJECT
private slots:
    void forms_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("storeys");
        QTest::addColumn<QString>("ducts");
        QTest::newRow("1") << 1 << "1 kondygnacja"
                           << "1 przewód";
        QTest::newRow("2") << 2 << "2 kondygnacje"
                           << "2 przewody";
        QTest::newRow("4") << 4 << "4 kondygnacje"
                           << "4 przewody";
        QTest::newRow("5") << 5 << "5 kondygnacji"
                           << "5 przewodów";
        QTest::newRow("11") << 11 << "11 kondygnacji"
                            << "11 przewodów";
        QTest::newRow("12") << 12 << "12 kondygnacji"
                            << "12 przewodów";
        QTest::newRow("14") << 14 << "14 kondygnacji"
                            << "14 przewodów";
        QTest::newRow("21") << 21 << "21 kondygnacji"
                            << "21 przewodów";
        QTest::newRow("22") << 22 << "22 kondygnacje"
                            << "22 przewody";
        QTest::newRow("25") << 25 << "25 kondygnacji"
                            << "25 przewodów";
        QTest::newRow("112") << 112 << "112 kondygnacji"
                             << "112 przewodów";
        QTest::newRow("122") << 122 << "122 kondygnacje"
                             << "122 przewody";
        QTest::newRow("0") << 0 << "0 kondygnacji"
                           << "0 przewodów";
    }
    void forms()
    {
        QFETCH(int, count);
        QFETCH(QString, storeys);
        QFETCH(QString, ducts);
        QCOMPARE(QString::fromStdString(Counted(count, kStoreyNoun)), storeys);
        QCOMPARE(QString::fromStdString(Counted(count, kDuctNoun)), ducts);
    }
};

QTEST_GUILESS_MAIN(TestPolishPlural)
#include "test_polish_plural.moc"
