// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sentence.h"

#include <QtTest>

class TestSentence : public QObject {
    Q_OBJECT
private slots:
    // Reasons joined as sentences: a capital first, one full stop each.
    void joined_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("joined");
        QTest::newRow("two reasons") << "wiatr obliczeniowy: brak punktu pracy"
                                     << "bez wiatru: brak"
                                     << "Wiatr obliczeniowy: brak punktu pracy. Bez wiatru: brak.";
        QTest::newRow("no double stop") << "Dobrano KALMO-200 (nr 14)."
                                        << "za mało nawiewu."
                                        << "Dobrano KALMO-200 (nr 14). Za mało nawiewu.";
        QTest::newRow("Polish capital") << ""
                                        << "żaden nie ma punktu pracy"
                                        << "Żaden nie ma punktu pracy.";
        QTest::newRow("ellipsis") << "ciśnienie jest ujemne…"
                                  << ""
                                  << "Ciśnienie jest ujemne…";
    }
    void joined()
    {
        QFETCH(QString, first);
        QFETCH(QString, next);
        QTEST(QString::fromStdString(JoinSentences(first.toStdString(), next.toStdString())),
              "joined");
    }

    // A reason after a colon starts small, unless its first word is capitals.
    void small_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("small");
        QTest::newRow("word") << "Ciśnienie"
                              << "ciśnienie";
        QTest::newRow("Polish") << "Średnica"
                                << "średnica";
        QTest::newRow("model") << "KALMO-200"
                               << "KALMO-200";
        QTest::newRow("quote") << "„abc”"
                               << "„abc”";
    }
    void small()
    {
        QFETCH(QString, text);
        QTEST(QString::fromStdString(SmallFirst(text.toStdString())), "small");
    }
};

QTEST_GUILESS_MAIN(TestSentence)
#include "test_sentence.moc"
