#include "compare/compare_window.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"
#include "test_main.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestScheduleWindow : public QObject {
    Q_OBJECT
private slots:
    void drive();
};

// A designer's session: the example building, one more storey typed, a model
// chosen in the table, a riser added, the Polish CSV and the printout.
void TestScheduleWindow::drive()
{
    ScheduleWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // On a screen smaller than the designed 1560 x 860 (here 800 x 800) the
    // window, its buttons included, stays on the screen; so does the comparison.
    CalcState state;
    ResetCalcState(state);
    CompareWindow compare(state, {});
    for (const QWidget* shown : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&compare)})
        QVERIFY(window.screen()->availableGeometry().size().expandedTo(shown->size()) ==
                window.screen()->availableGeometry().size());
    window.findChild<QPushButton*>("TemplateButton")->click();
    ScheduleTableModel& model = window.Model();
    QCOMPARE(model.rowCount(), 15);
    // The example's flats; the walk below is about the ducts in open rooms.
    QCOMPARE(window.CurrentSchedule().flats.size(), std::size_t{5});
    Schedule open = window.CurrentSchedule();
    open.flats.clear();
    for (ScheduleRow& row : open.rows)
        row.flat.clear();
    window.SetSchedule(open);
    QCOMPARE(model.index(0, ScheduleTableModel::Length).data().toString(), QStringLiteral("14.00"));

    // The bathroom of the top storey: its LUMA-160 fails on a calm day, and
    // so does every other model.
    const QModelIndex ventilator = model.index(9, ScheduleTableModel::Ventilator);
    const QModelIndex verdict = model.index(9, ScheduleTableModel::Verdict);
    QCOMPARE(verdict.data().toString(), QStringLiteral("NIE SPEŁNIA"));
    window.Table().setCurrentIndex(ventilator);
    window.Table().edit(ventilator);
    auto* choice = window.Table().findChild<QComboBox*>("ChoiceEditor");
    QVERIFY(choice);
    QCOMPARE(choice->itemText(0), QStringLiteral("dobierz"));
    choice->setCurrentIndex(0);
    emit choice->activated(0);
    QCOMPARE(model.CurrentSchedule().rows[9].model, 0);
    QCOMPARE(ventilator.data().toString(), QStringLiteral("dobierz: brak; najbliżej 6 LUMA-160"));
    QCOMPARE(verdict.data().toString(), QStringLiteral("NIE SPEŁNIA"));

    auto* storeys = window.findChild<QLineEdit*>("StoreysEdit");
    storeys->selectAll();
    QTest::keyClicks(storeys, "6");
    // The lowest duct now runs through six storeys, the bathroom of storey 5
    // through two, long enough for a model to meet 50 m3/h.
    QCOMPARE(model.index(0, ScheduleTableModel::Length).data().toString(), QStringLiteral("16.80"));
    QCOMPARE(model.index(9, ScheduleTableModel::Length).data().toString(), QStringLiteral("5.60"));
    QCOMPARE(verdict.data().toString(), QStringLiteral("spełnia"));
    QVERIFY(ventilator.data().toString().startsWith("dobierz: "));

    window.Table().setCurrentIndex(model.index(9, 0));
    window.findChild<QPushButton*>("AddRiserButton")->click();
    QCOMPARE(model.rowCount(), 21);
    QCOMPARE(model.index(20, ScheduleTableModel::Label).data().toString(),
             QStringLiteral("Łazienka k6"));
    QVERIFY(
        window.findChild<QLabel*>("ScheduleSummary")->text().startsWith("Liczba przewodów: 21\n"));

    QTemporaryDir dir;
    QVERIFY(window.ExportCsv(dir.filePath("z.csv"), true));
    QFile csv(dir.filePath("z.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readLine(),
             QByteArray("\xEF\xBB\xBFPrzewód;Kondygnacja;Mieszkanie;Pomieszczenie;Wymagane Qh "
                        "[m3/h];Kanał [m];Materiał;Kratka [m];Wywietrznik;L [m];"
                        "Qh bezwietrzny [m3/h];Qh wiatr [m3/h];"
                        "Qh wiatr + ciąg [m3/h];pf bezwietrzny / wiatr / wiatr + ciąg [Pa];"
                        "Ocena;Uwagi\r\n"));
    QCOMPARE(csv.readLine(),
             QByteArray("Kuchnia k1;1;;Kuchnia z oknem zewnętrznym, kuchenka gazowa lub "
                        "węglowa;70,0;0,140×0,270;Cegła;prostokątna 0,200×0,200, ζ = 2,00;"
                        "dobierz: 9 BIVA-150 wzdluznie;16,80;74,8;36,7;81,5;–;spełnia;"
                        "Dobrano BIVA-150 wzdluznie (nr 9).\r\n"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("z.pdf"));
    QVERIFY(window.Print(printer));
    QFile pdf(dir.filePath("z.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    // 21 ducts take two pages.
    QCOMPARE(pdf.readAll().count("/Type /Page\n"), 2);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);

    // The example replaces the table only when the user says Yes; Enter says No.
    for (const bool yes : {false, true}) {
        QTimer::singleShot(0, [yes] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box || box->objectName() != "ReplaceScheduleQuestion")
                return modal ? void(modal->close()) : void();
            if (yes)
                box->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(box, Qt::Key_Return);
        });
        window.findChild<QPushButton*>("TemplateButton")->click();
        QCOMPARE(model.rowCount(), yes ? 15 : 21);
    }
}

WYW_GUI_TEST_MAIN(TestScheduleWindow)
#include "test_schedule_window.moc"
