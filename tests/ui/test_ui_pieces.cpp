// SPDX-License-Identifier: GPL-3.0-or-later
// The one red of a refused input, the shared widths of a printed table and
// the two CSV forms as the save dialog offers them.
#include "files/csv.h"
#include "test_main.h"
#include "ui/paged_table.h"
#include "ui/refused_field.h"

#include <QBrush>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestUiPieces : public QObject {
    Q_OBJECT
private slots:
    void markRefused_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("tip");
        QTest::newRow("refused") << "Wysokość H musi być większa od zera."
                                 << "QLineEdit { border: 2px solid #d00000; }"
                                 << "Wysokość H musi być większa od zera.";
        QTest::newRow("accepted") << ""
                                  << ""
                                  << "Pozostaw puste";
    }
    void markRefused()
    {
        QFETCH(QString, reason);
        QLineEdit edit;
        edit.setStyleSheet("QLineEdit { border: 2px solid #d00000; }");
        MarkRefused(&edit, reason, "Pozostaw puste");
        QTEST(edit.styleSheet(), "style");
        QTEST(edit.toolTip(), "tip");
    }

    void reasonsAndCells()
    {
        QLabel label;
        ShowReasonsIn(&label, true);
        QCOMPARE(label.styleSheet(), QStringLiteral("color: #b00000; font-weight: bold"));
        ShowReasonsIn(&label);
        QCOMPARE(label.styleSheet(), QStringLiteral("color: #b00000"));
        QCOMPARE(RefusedCellData(Qt::BackgroundRole).value<QBrush>().color(), QColor("#ffc8c8"));
        QCOMPARE(RefusedCellData(Qt::ForegroundRole).value<QBrush>().color(), QColor("#b00000"));
        QVERIFY(!RefusedCellData(Qt::DisplayRole).isValid());
    }

    void sharedWidths()
    {
        QCOMPARE(SharedWidths(170, {8, 9, 0}), (std::vector<int>{80, 90, 0}));
        QCOMPARE(SharedWidths(100, {1, 1, 1}), (std::vector<int>{33, 33, 33}));
        QCOMPARE(SharedWidths(100, {0, 0}), (std::vector<int>{0, 0}));
        QCOMPARE(TableWidth({{80, 90, 7}}), 177);
    }

    void csvForms()
    {
        QCOMPARE(CsvSeparator(CsvForm::Plain), ',');
        QCOMPARE(CsvSeparator(CsvForm::Polish), ';');
        QCOMPARE(QString::fromUtf8(CsvFilter(CsvForm::Plain)),
                 QStringLiteral("CSV – przecinek, kropka dziesiętna (*.csv)"));
        QCOMPARE(
            QString::fromUtf8(CsvFilter(CsvForm::Polish)),
            QStringLiteral("CSV dla polskiego arkusza – średnik, przecinek dziesiętny (*.csv)"));
    }
};

WYW_GUI_TEST_MAIN(TestUiPieces)
#include "test_ui_pieces.moc"
