// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program driven through its menu with keys, as a user would: the
// calculation wizard from "&Nowe obliczenia" to the report, the ventilator
// command, the comparison of ventilators and the printout.
#include "app_test_support.h"
#include "scripted_user.h"

#include "app/main_window.h"
#include "app/program_windows.h"
#include "calc/derived.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "compare/compare_window.h"
#include "dialogs/ventilator_dialog.h"
#include "report/report_draw.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

using Step = ScriptedUser::Step;

// The items of "&Obliczenia" by keys. "&Wybierz tylko wywietrznik" and
// "&Wydruk wyników" share their accelerator: W moves between them.
const QList<Qt::Key> kNewCalculation = {Qt::Key_N};
const QList<Qt::Key> kVentilatorOnly = {Qt::Key_W, Qt::Key_Return};
const QList<Qt::Key> kPrint = {Qt::Key_W, Qt::Key_W, Qt::Key_Return};
const QList<Qt::Key> kCompare = {Qt::Key_P};

// A value file remembered from an earlier run; true when written.
bool Remember(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return name.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Typing once the window is active: each key goes to whatever has the focus.
void TypeKeys(QWidget* window, const char* keys)
{
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCoreApplication::processEvents();
    for (const char* key = keys; *key != '\0'; ++key)
        QTest::keyClick(QApplication::focusWidget(), *key);
}

struct Program {
    TemporaryWorkingDirectory directory;
    bool remembered;
    CalcState state;
    ProgramWindows windows{state, QStringList{directory.path()}};

    explicit Program(const QString& valueFile = {}, const QByteArray& lines = {})
        : remembered(Remember(valueFile, lines))
    {
        windows.Main().show();
        QApplication::setActiveWindow(&windows.Main());
    }

    // Opens "&Obliczenia" with Alt+O and picks an item with keys: its
    // accelerator, where two items share "W" pressed again to reach the second,
    // then Enter.
    void Menu(const QList<Qt::Key>& keys)
    {
        // Without a window manager nobody gives the focus back after a modal
        // window closes: activate the main window as a click on it would.
        windows.Main().activateWindow();
        QApplication::setActiveWindow(&windows.Main());
        QTest::keyClick(&windows.Main(), Qt::Key_O, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY2(menu, "the menu did not open");
        for (Qt::Key key : keys)
            QTest::keyClick(menu, key);
    }

    // Runs the user's script while the menu command runs.
    QStringList Run(const QList<Qt::Key>& keys, QList<Step> steps)
    {
        ScriptedUser user(std::move(steps));
        Menu(keys);
        const bool done = QTest::qWaitFor(
            [&] { return user.Failure().isEmpty() && !QApplication::activeModalWidget(); }, 10000);
        if (!done || !user.Failure().isEmpty())
            QTest::qFail(qPrintable("the user's script: " + user.Failure()), __FILE__, __LINE__);
        return user.Seen();
    }

    // The report as the main window draws it: (y, text) of every line.
    QMap<int, QString> Report()
    {
        RecordingCanvas canvas;
        windows.Main().Paint(canvas);
        QMap<int, QString> lines;
        for (const DrawnText& text : canvas.Texts()) {
            if (text.text != " ")
                lines.insert(text.y, text.text);
        }
        return lines;
    }

    QByteArray File(const QString& name)
    {
        QFile file(directory.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }
};

int Row(int row)
{
    return kScreenReportLayout.y0 + kScreenReportLayout.rowStep * row;
}

// The steps of a hall with a round duct; the ventilator step is left out.
QList<Step> HallSteps(const QString& diameter, const QString& length, const char* inlet,
                      const QString& wind = "10")
{
    return {
        {"OKBottomDlg3",
         [](QWidget* w) {
             Choose(w, "RadioButton2");
             PressEnter(w);
         }},
        {"OKBottomDlg",
         [=](QWidget* w) {
             TypeInto(w, "Edit1", "1.2");
             TypeInto(w, "Edit2", wind);
             PressEnter(w);
         }},
        {"OKBottomDlg333",
         [](QWidget* w) {
             Choose(w, "RadioButton2");
             PressEnter(w);
         }},
        {"Form4",
         [=](QWidget* w) {
             TypeInto(w, "Edit1", diameter);
             PressEnter(w);
         }},
        {"OKBottomDlg33333", [](QWidget* w) { PressEnter(w); }},
        {"OKBottomDlg3333", [](QWidget* w) { PressEnter(w); }},
        {"Form2",
         [=](QWidget* w) {
             TypeInto(w, "Edit1", length);
             Choose(w, inlet);
             PressEnter(w);
         }},
    };
}

Step Ventilator(const char* button)
{
    return {"OKBottomDlg_wyw", [=](QWidget* w) {
                Choose(w, button);
                PressEnter(w);
            }};
}

Step CloseFailureBox(QString* text, QString* caption, QWidget** parent)
{
    return {"CalculationFailure", [=](QWidget* w) {
                *text = static_cast<QMessageBox*>(w)->text();
                *caption = w->windowTitle();
                *parent = w->parentWidget();
                QVERIFY(static_cast<QMessageBox*>(w)->icon() == QMessageBox::NoIcon);
                PressEnter(w);
            }};
}

} // namespace

class TestWholeProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    void hallFromNewCalculationToTheReport()
    {
        Program p;
        p.Run(kNewCalculation, HallSteps("0.16", "5", "RadioButton1", "4")
                                   << Ventilator("RadioButton5"));

        const QMap<int, QString> report = p.Report();
        QCOMPARE(report.size(), 13);
        QCOMPARE(report.value(Row(3)), QString("   Nazwa wywietrznika = KALMO-160"));
        QCOMPARE(report.value(Row(6)), QString("   Kanał okrągły o średnicy = 0.16 [m]"));
        QCOMPARE(report.value(Row(8)), QString("   Hala o długości kanału = 5.00 [m] i  wlocie "
                                               "ostrokrawędziowym z kołnierzem."));
        QCOMPARE(report.value(Row(12)), QString("   Wydajność godzinowa   Qh = 153.3861 [m3/h]"));
        QCOMPARE(report.value(Row(14)), QString("   Prędkość w kanale   c = 2.1191 [m/s]"));
        QCOMPARE(p.state.IsHall, true);
        QCOMPARE(p.state.ResultsPrintable, true);
        QCOMPARE(p.File("dialog.sav"), QByteArray("1.20\n4.0\n"));
        QCOMPARE(p.File("dialog22.sav"), QByteArray("0.16\n"));
        QCOMPARE(p.File("dialog3.sav"), QByteArray("5.00\n"));
    }

    void buildingWithWeatherDataAndRectangularDuct()
    {
        Program p;
        const QList<Step> steps = {
            {"OKBottomDlg3",
             [](QWidget* w) {
                 Choose(w, "RadioButton1");
                 PressEnter(w);
             }},
            {"Form3",
             [](QWidget* w) {
                 TypeInto(w, "Edit1", "20");
                 TypeInto(w, "Edit2", "1013");
                 TypeInto(w, "Edit3", "60");
                 TypeInto(w, "Edit4", "4");
                 PressEnter(w);
             }},
            {"OKBottomDlg333", [](QWidget* w) { PressEnter(w); }},
            {"Form1",
             [](QWidget* w) {
                 TypeInto(w, "Edit1", "0.2");
                 TypeInto(w, "Edit2", "0.3");
                 PressEnter(w);
             }},
            {"OKBottomDlg33333",
             [](QWidget* w) {
                 Choose(w, "RadioButton6");
                 PressEnter(w);
             }},
            {"OKBottomDlg3333",
             [](QWidget* w) {
                 Choose(w, "RadioButton2");
                 PressEnter(w);
             }},
            {"Form22",
             [](QWidget* w) {
                 TypeInto(w, "Edit1", "3");
                 TypeInto(w, "Edit2", "5");
                 TypeInto(w, "Edit3", "0.2");
                 TypeInto(w, "Edit4", "0.25");
                 TypeInto(w, "Edit5", "4,6"); // a decimal comma counts as the point
                 PressEnter(w);
             }},
            Ventilator("RadioButton14"),
        };
        p.Run(kNewCalculation, steps);

        // The same inputs put together by hand give the same numbers.
        CalcState expected;
        ApplyTypedAir(expected, AirDensityFromWeather(20, 1013, 60).density, 4.0);
        ApplyRectangularDuct(expected, 0.2, 0.3);
        expected.DuctRoughness = 10.0;
        ApplyStoreys(expected, 3.0, 5);
        ApplyRectangularGrille(expected, 0.2, 0.25, 4.6);
        const OperatingPoint point = EvaluateOperatingPoint(expected, LookUpVentilator(14));
        QCOMPARE(point.status, OperatingPointStatus::Found);
        QCOMPARE(p.state.FlowPerHour, point.flowPerHour);
        QCOMPARE(p.state.IsHall, false);

        const QMap<int, QString> report = p.Report();
        QCOMPARE(report.size(), 18);
        QCOMPARE(report.value(Row(3)), QString("   Nazwa wywietrznika = KALMO-200"));
        QCOMPARE(report.value(Row(4)), QString("   Gęstość powietrza = 1.198 [kg/m3]"));
        QCOMPARE(report.value(Row(8)), QString("   Rodzaj materiału: cegła"));
        QCOMPARE(report.value(Row(10)), QString("   Ilość kondygnacji = 5 [-]"));
        QCOMPARE(report.value(Row(12)),
                 QString("   Kratka prostokątna o wymiarach = 0.20 [m] x 0.25 [m]"));
        QCOMPARE(report.value(Row(13)), QString("   Współczynnik strat kratki = 4.60 [-]"));
        QCOMPARE(report.value(Row(17)),
                 "   Wydajność godzinowa   Qh = " +
                     QString::fromStdString(FormatFixed(point.flowPerHour, 4)) + " [m3/h]");
        QVERIFY(report.value(Row(19)).endsWith(" [m/s] dla średnicy równoważnej."));
        QCOMPARE(p.File("dialog1.sav"), QByteArray("20\n1013\n60\n4.0\n"));
        QCOMPARE(p.File("dialog2.sav"), QByteArray("0.20\n0.30\n"));
        QCOMPARE(p.File("dialog33.sav"), QByteArray("3.00\n5\n0.20\n0.25\n4.60\n"));
    }

    // Typing replaces the remembered values, and a decimal comma counts as
    // the point.
    void typingOverRememberedValuesWithDecimalCommas()
    {
        Program p("dialog.sav", "1.30\n5.0\n");
        QVERIFY(p.remembered);
        p.Run(kNewCalculation, {
                                   {"OKBottomDlg3", [](QWidget* w) { PressEnter(w); }},
                                   {"OKBottomDlg", [](QWidget* w) { TypeKeys(w, "1,2\t4,5\r"); }},
                                   {"OKBottomDlg333", [](QWidget* w) { PressEscape(w); }},
                               });
        QCOMPARE(p.File("dialog.sav"), QByteArray("1.20\n4.5\n"));
        QCOMPARE(p.state.AirDensity, 1.2);
        QCOMPARE(p.state.WindSpeed, 4.5);
    }

    // A cancel at any step ends the chain: the report is withdrawn, what the
    // confirmed dialogs wrote stays, and no later dialog is shown.
    void cancelAtEveryStep_data()
    {
        QTest::addColumn<int>("steps"); // confirmed before the cancel
        QTest::addColumn<bool>("escape");
        QTest::newRow("density mode, Esc") << 0 << true;
        QTest::newRow("typed density, Anuluj") << 1 << false;
        QTest::newRow("duct shape, Esc") << 2 << true;
        QTest::newRow("round duct, Anuluj") << 3 << false;
        QTest::newRow("material, Esc") << 4 << true;
        QTest::newRow("installation type, Anuluj") << 5 << false;
        QTest::newRow("hall, Anuluj") << 6 << false;
        QTest::newRow("ventilator, Esc") << 7 << true;
    }
    void cancelAtEveryStep()
    {
        QFETCH(int, steps);
        QFETCH(bool, escape);
        Program p;
        // A finished calculation first, so that there is a report to withdraw.
        p.Run(kNewCalculation, HallSteps("0.16", "5", "RadioButton1")
                                   << Ventilator("RadioButton5"));
        QCOMPARE(p.state.ResultsShown, true);
        const CalcState before = p.state;

        QList<Step> chain = HallSteps("0.2", "7", "RadioButton3") << Ventilator("RadioButton6");
        QList<Step> script = chain.mid(0, steps);
        script << Step{chain[steps].window, [=](QWidget* w) {
                           if (escape)
                               PressEscape(w);
                           else
                               ChooseCancel(w);
                       }};
        const QStringList seen = p.Run(kNewCalculation, script);
        QCOMPARE(seen.size(), steps + 1);
        QCOMPARE(p.state.ResultsShown, false);
        QCOMPARE(p.state.ResultsPrintable, false);
        QCOMPARE(p.state.IsHall, steps == 7); // set once the hall is confirmed
        QVERIFY(p.Report().isEmpty());
        // Confirmed dialogs wrote their values; later ones kept the old ones.
        QCOMPARE(p.state.DuctDiameter, steps > 3 ? 0.2 : before.DuctDiameter);
        QCOMPARE(p.state.DuctLength, steps > 6 ? 7.0 : before.DuctLength);
        QCOMPARE(p.state.VentilatorIndex, 5);
        QCOMPARE(p.state.VentilatorName, std::string_view("KALMO-160"));
    }

    void ventilatorWithoutOperatingPointAfterNewCalculation()
    {
        Program p;
        QString text, caption;
        QWidget* parent = &p.windows.Main();
        p.Run(kNewCalculation, HallSteps("0.1", "1", "RadioButton3")
                                   << Ventilator("RadioButton1")
                                   << CloseFailureBox(&text, &caption, &parent));
        QCOMPARE(text, QString("Niewłaściwe obliczenia!!!"));
        QCOMPARE(caption, QString("Program doboru wywietrznikow Firmy KORVANT"));
        QCOMPARE(parent, nullptr);
        QCOMPARE(p.state.ResultsShown, false);
        QVERIFY(p.Report().isEmpty());
        QCOMPARE(p.state.VentilatorName, std::string_view("KALMO 100"));
    }

    // Run alone after a success, a model without an operating point withdraws
    // the report rather than showing the earlier results under its name.
    void ventilatorWithoutOperatingPointAfterASuccess()
    {
        Program p;
        p.Run(kNewCalculation, HallSteps("0.1", "1", "RadioButton3") << Ventilator("RadioButton5"));
        QCOMPARE(p.state.ResultsShown, true);
        const double earlier = p.state.FlowPerHour;

        QString text, caption;
        QWidget* parent = nullptr;
        p.Run(kVentilatorOnly,
              {Ventilator("RadioButton1"), CloseFailureBox(&text, &caption, &parent)});
        QCOMPARE(text, QString("Niewłaściwe obliczenia!!!"));
        QCOMPARE(p.state.VentilatorName, std::string_view("KALMO 100"));
        QCOMPARE(p.state.FlowPerHour, earlier);
        QCOMPARE(p.state.ResultsShown, false);
        QCOMPARE(p.state.ResultsPrintable, false);
        QVERIFY(p.Report().isEmpty());

        // Another model on the same inputs brings a report back.
        p.Run(kVentilatorOnly, {Ventilator("RadioButton6")});
        QCOMPARE(p.state.ResultsShown, true);
        QCOMPARE(p.Report().value(Row(3)), QString("   Nazwa wywietrznika = LUMA-160"));
        QCOMPARE(p.state.IsHall, true); // the ventilator command leaves it alone
    }

    void cancellingTheVentilatorChoiceAloneChangesNothing()
    {
        Program p;
        p.Run(kNewCalculation, HallSteps("0.16", "5", "RadioButton1")
                                   << Ventilator("RadioButton5"));
        const CalcState before = p.state;
        p.Run(kVentilatorOnly, {{"OKBottomDlg_wyw", [](QWidget* w) {
                                     Choose(w, "RadioButton20");
                                     ChooseCancel(w);
                                 }}});
        QVERIFY(p.state == before);
        QCOMPARE(p.Report().value(Row(3)), QString("   Nazwa wywietrznika = KALMO-160"));
        // The dialog shows the button last clicked; the index the confirmed one.
        QVERIFY(p.windows.Ventilator().findChild<QRadioButton*>("RadioButton20")->isChecked());
        QCOMPARE(p.state.VentilatorIndex, 5);
    }

    void ventilatorCommandRightAfterStartUp()
    {
        Program p;
        QString text, caption;
        QWidget* parent = nullptr;
        p.Run(kVentilatorOnly,
              {Ventilator("RadioButton1"), CloseFailureBox(&text, &caption, &parent)});
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("Niewłaściwe obliczenia!!!"));
        QVERIFY2(lines[1].contains("Gęstość powietrza"), qPrintable(lines[1]));
        QCOMPARE(p.state.VentilatorIndex, 1);
        QCOMPARE(p.state.VentilatorName, std::string_view("KALMO 100"));
        QCOMPARE(p.state.ResultsShown, false);
        QVERIFY(p.Report().isEmpty());
    }

    void printoutAfterTheWizard()
    {
        Program p;
        p.Run(kNewCalculation, HallSteps("0.16", "5", "RadioButton1", "4")
                                   << Ventilator("RadioButton5"));
        const QString pdf = p.directory.filePath("raport.pdf");
        p.windows.Printer().setOutputFormat(QPrinter::PdfFormat);
        p.windows.Printer().setOutputFileName(pdf);
        // "&Wydruk wyników", confirmed with the print dialog's OK button.
        p.Run(kPrint, {{"PrintDialog", [](QWidget* w) {
                            auto* buttons = w->findChild<QDialogButtonBox*>();
                            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok),
                                              Qt::LeftButton);
                        }}});
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(text.contains("Nazwa wywietrznika= KALMO-160"), qPrintable(text));
        QVERIFY2(text.contains("Qh = 153.3861 [m3/h]"), qPrintable(text));
        QVERIFY(!text.contains("Rodzaj materia")); // a hall printout has no material line
    }

    // Choosing a model in the comparison is a confirmed ventilator choice: the
    // report and the choice dialog follow it.
    void comparisonChoosesTheVentilator()
    {
        Program p;
        p.Run(kNewCalculation, HallSteps("0.16", "5", "RadioButton1")
                                   << Ventilator("RadioButton5"));
        p.Run(kCompare, {{"CompareForm", [](QWidget* w) {
                              auto* compare = static_cast<CompareWindow*>(w);
                              compare->SelectModel(14);
                              Choose(w, "ChooseButton");
                              PressEscape(w);
                          }}});
        QCOMPARE(p.state.VentilatorIndex, 14);
        QCOMPARE(p.Report().value(Row(3)), QString("   Nazwa wywietrznika = KALMO-200"));
        QVERIFY(p.windows.Ventilator().findChild<QRadioButton*>("RadioButton14")->isChecked());
        const OperatingPoint point = EvaluateOperatingPoint(p.state, LookUpVentilator(14));
        QCOMPARE(p.state.FlowPerHour, point.flowPerHour);
    }
};

WYW_GUI_TEST_MAIN(TestWholeProgram)
#include "test_whole_program.moc"
