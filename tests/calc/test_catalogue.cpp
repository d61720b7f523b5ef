// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"

#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void rows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("loss");
        QTest::addColumn<double>("coef0");
        QTest::addColumn<double>("coef3");
        QTest::newRow("1 with a blank")
            << 1 << "KALMO 100" << 0.1 << 0.136738 << -0.497271 << -0.00835457;
        QTest::newRow("3 with blanks")
            << 3 << "TRAVEN /M-150 " << 0.15 << 2.063361 << -0.379537 << -0.0205671;
        QTest::newRow("7 plain letters")
            << 7 << "OSTREL-160 wzdluznie" << 0.16 << 0.410408 << -0.148695 << -0.0100936;
        QTest::newRow("8") << 8 << "OSTREL-160 poprzecznie" << 0.16 << 0.410408 << -0.188496
                           << -0.00966862;
        QTest::newRow("9 tiny cubic")
            << 9 << "BIVA-150 wzdluznie" << 0.15 << 2.602356 << -0.155936 << -0.0000185855;
        QTest::newRow("14") << 14 << "KALMO-200" << 0.2 << 0.063492 << -0.545978 << -0.000663187;
        QTest::newRow("22 quadratic") << 22 << "VESK-400" << 0.4 << 0.924122 << -0.409943 << 0.0;
        QTest::newRow("25") << 25 << "SAVO-250/W3" << 0.25 << 0.255229 << -0.261934 << 0.0064661;
        QTest::newRow("27") << 27 << "MIRT-160" << 0.16 << 0.191 << -0.482631 << 0.00274873;
    }
    void rows()
    {
        QFETCH(int, index);
        const VentilatorModel& model = LookUpVentilator(index);
        QTEST(QString::fromUtf8(model.Name.data(), model.Name.size()), "name");
        QTEST(model.NominalDiameter, "diameter");
        QTEST(model.VentilatorLoss, "loss");
        QTEST(model.Coef0, "coef0");
        QTEST(model.Coef3, "coef3");
    }

    void mountingsShareTheVentilator()
    {
        for (int first : {7, 9, 11}) {
            const VentilatorModel& a = LookUpVentilator(first);
            const VentilatorModel& b = LookUpVentilator(first + 1);
            QCOMPARE(a.NominalDiameter, b.NominalDiameter);
            QCOMPARE(a.VentilatorLoss, b.VentilatorLoss);
            QVERIFY(a.Coef0 != b.Coef0);
        }
    }

    void diameterMatchesTheSizeInTheName()
    {
        for (const VentilatorModel& model : kVentilatorCatalogue) {
            const QString name = QString::fromUtf8(model.Name.data(), model.Name.size());
            const QString millimetres = QString::number(qRound(model.NominalDiameter * 1000));
            QVERIFY2(name.contains(millimetres), qPrintable(name));
        }
    }

    void indexOutsideTheTableIsRefused_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0;
        QTest::newRow("28") << 28;
        QTest::newRow("negative") << -1;
        QTest::newRow("huge") << 2147483647;
    }
    void indexOutsideTheTableIsRefused()
    {
        QFETCH(int, index);
        const Result<const VentilatorModel*> found = FindVentilator(index);
        QVERIFY(found.Failed());
        QCOMPARE(
            QString::fromStdString(found.Reason()),
            QStringLiteral("Numer wywietrznika %1 spoza katalogu (dozwolone 1..27).").arg(index));
        QVERIFY(!IsVentilatorIndex(index));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
