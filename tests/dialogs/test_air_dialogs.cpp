// SPDX-License-Identifier: GPL-3.0-or-later
// The air step: the density mode dialog, the typed density dialog with
// "dialog.sav" and the weather dialog with "dialog1.sav".
#include "dialogs/density_mode_dialog.h"
#include "dialogs/typed_density_dialog.h"
#include "dialogs/weather_dialog.h"

#include "calc/refusal.h"
#include "dialogs/value_file.h"
#include "input_dialog_support.h"
#include "test_main.h"

#include <QLabel>
#include <QRadioButton>

#include <cmath>

namespace {

bool Near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

// Types the texts into Edit1, Edit2, ... of the dialog and presses its OK.
void Confirm(OkCancelDialog& dialog, const QStringList& texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i)
        Type(Control<QLineEdit>(dialog, qPrintable(QString("Edit%1").arg(i + 1))), texts[i]);
    ClickOk(dialog);
}

QString FieldText(QDialog& dialog, const char* name)
{
    return Control<QLineEdit>(dialog, name)->text();
}

} // namespace

class TestAirDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    // --- "Wprowadzanie Ro" -------------------------------------------------

    void densityModeTexts()
    {
        CalcState state;
        DensityModeDialog dialog(state);
        auto* computed = Control<QRadioButton>(dialog, "RadioButton1");
        auto* typed = Control<QRadioButton>(dialog, "RadioButton2");
        QCOMPARE(computed->text(), QString("Niech program obliczy wartość Ro"));
        QCOMPARE(typed->text(), QString("Podać wartość Ro z klawiatuy"));
        QVERIFY(!computed->isChecked());
        QVERIFY(typed->isChecked());
        QVERIFY(Control<QWidget>(dialog, "RadioGroup1"));
    }

    void densityModeChoice()
    {
        CalcState state;
        DensityModeDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DensityEntered, true);

        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(Control<QRadioButton>(dialog, "RadioButton1"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state.DensityEntered, false);
        QCOMPARE(state.AirDensity, 0.0); // nothing else is written
    }

    void densityModeCancelKeepsChoiceShown()
    {
        CalcState state;
        state.DensityEntered = true;
        DensityModeDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(Control<QRadioButton>(dialog, "RadioButton1"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.DensityEntered, true);
        // Shown again, it offers what it showed when it was closed.
        QVERIFY(OpenDialog(dialog));
        QVERIFY(Control<QRadioButton>(dialog, "RadioButton1")->isChecked());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("RadioButton1"));
    }

    // --- "Dobór parametrów": typed density --------------------------------

    void typedDensityLabels()
    {
        WorkingDirectory dir;
        CalcState state;
        TypedDensityDialog dialog(state);
        QCOMPARE(Control<QLabel>(dialog, "Label1")->text(), QString("Proszę podać parametry"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains("Gęstość Ro [kg/m3]"));
        QVERIFY(labels.contains("Prędkość wiatru [m/s]"));
        QVERIFY(Control<QFrame>(dialog, "Bevel1"));
    }

    void typedDensityFirstStart()
    {
        WorkingDirectory dir;
        CalcState state;
        state.AirDensity = 9;
        state.WindSpeed = 9;
        TypedDensityDialog dialog(state);
        QCOMPARE(FieldText(dialog, "Edit1"), QString("Edit1"));
        QCOMPARE(FieldText(dialog, "Edit2"), QString("Edit2"));
        QVERIFY(OpenDialog(dialog));
        // The fields' names read as 0: a density of 0 is refused.
        MessageCatcher catcher;
        QTest::keyClick(Control<QLineEdit>(dialog, "Edit1"), Qt::Key_Return);
        QTRY_COMPARE(catcher.Messages().size(), 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(state.AirDensity, 9.0);
        QVERIFY(!FileBytes("dialog.sav"));
    }

    void typedDensityValues_data()
    {
        QTest::addColumn<QString>("density");
        QTest::addColumn<QString>("wind");
        QTest::addColumn<double>("storedDensity");
        QTest::addColumn<double>("storedWind");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("1.2 and 4") << "1.2"
                                   << "4" << 1.2 << 4.0 << QByteArray("1.20\n4.0\n");
        QTest::newRow("decimal comma") << "1,5"
                                       << "3,7" << 1.5 << 3.7 << QByteArray("1.50\n3.7\n");
        QTest::newRow("more decimals") << "0.1234"
                                       << "3.26" << 0.1234 << 3.26 << QByteArray("0.12\n3.3\n");
        QTest::newRow("letters after the number") << "1.2abc"
                                                  << "" << 1.2 << 0.0 << QByteArray("1.20\n0.0\n");
        QTest::newRow("blanks, exponent") << "  1.5e0x"
                                          << "0.05" << 1.5 << 0.05 << QByteArray("1.50\n0.1\n");
        QTest::newRow("5e0") << "5e0"
                             << "1e2" << 5.0 << 100.0 << QByteArray("5.00\n100.0\n");
    }
    void typedDensityValues()
    {
        QFETCH(QString, density);
        QFETCH(QString, wind);
        QFETCH(double, storedDensity);
        QFETCH(double, storedWind);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        TypedDensityDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, {density, wind});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.AirDensity, storedDensity);
        QCOMPARE(state.WindSpeed, storedWind);
        QCOMPARE(*FileBytes("dialog.sav"), file);
        // The fields keep the typed texts in this run.
        QCOMPARE(FieldText(dialog, "Edit1"), density);

        // The next start shows what the file holds and stores it unchanged.
        CalcState next;
        TypedDensityDialog restarted(next);
        const QList<QByteArray> lines = file.split('\n');
        QCOMPARE(FieldText(restarted, "Edit1"), QString(lines[0]));
        QCOMPARE(FieldText(restarted, "Edit2"), QString(lines[1]));
        QVERIFY(OpenDialog(restarted));
        ClickOk(restarted);
        QCOMPARE(*FileBytes("dialog.sav"), file);
    }

    void typedDensityRoundTripOf1e25()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog.sav", "10000000000000000905969664.00\r\n4.0\r\n"));
        CalcState state;
        TypedDensityDialog dialog(state);
        QCOMPARE(FieldText(dialog, "Edit1"), QString("10000000000000000905969664.00"));
        QVERIFY(OpenDialog(dialog));
        // Read back exactly, and then refused: no air is that dense.
        MessageCatcher catcher;
        ClickOk(dialog);
        QTRY_COMPARE(catcher.Messages().size(), 1);
        QCOMPARE(state.AirDensity, 0.0);
    }

    void typedDensityDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("edit1");
        QTest::addColumn<QString>("edit2");
        QTest::newRow("LF") << QByteArray("1.20\n4.0\n") << "1.20"
                            << "4.0";
        QTest::newRow("CR LF") << QByteArray("1.20\r\n4.0\r\n") << "1.20"
                               << "4.0";
        QTest::newRow("ends early") << QByteArray("1.20\n") << "1.20"
                                    << "Edit2";
        QTest::newRow("empty") << QByteArray() << "Edit1"
                               << "Edit2";
        QTest::newRow("letters only") << QByteArray("abc\nxyz\n") << "abc"
                                      << "xyz";
        QTest::newRow("extra lines") << QByteArray("1.20\n4.0\n7\n8\n") << "1.20"
                                     << "4.0";
        QTest::newRow("1000 characters") << QByteArray(1000, '5') + "\n4.0\n"
                                         << QString(int(kValueLineLimit), '5') << "4.0";
    }
    void typedDensityDamagedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, edit1);
        QFETCH(QString, edit2);
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog.sav", content));
        CalcState state;
        TypedDensityDialog dialog(state);
        QCOMPARE(FieldText(dialog, "Edit1"), edit1);
        QCOMPARE(FieldText(dialog, "Edit2"), edit2);
        // Confirmed with a density within bounds, the file becomes two
        // well-formed lines again.
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, {"1.2"});
        const QList<QByteArray> lines = FileBytes("dialog.sav")->split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[2].isEmpty());
    }

    void typedDensityUnwritableFile()
    {
        WorkingDirectory dir;
        QVERIFY(QDir().mkdir("dialog.sav"));
        CalcState state;
        TypedDensityDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        MessageCatcher catcher;
        Confirm(dialog, {"1.2", "4"});
        QTest::qWait(50);
        // The state is written and the dialog closes with OK, silently.
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state.AirDensity, 1.2);
        QCOMPARE(state.WindSpeed, 4.0);
        QVERIFY(catcher.Messages().isEmpty());
        QVERIFY(QFileInfo("dialog.sav").isDir());
    }

    void typedDensityCancelKeepsTexts()
    {
        WorkingDirectory dir;
        CalcState state;
        TypedDensityDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), "1.3");
        QTest::keyClick(Control<QLineEdit>(dialog, "Edit1"), Qt::Key_Escape);
        QVERIFY(dialog.isVisible()); // Esc is not bound to "Anuluj" here
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.AirDensity, 0.0);
        QVERIFY(!QFile::exists("dialog.sav"));
        QVERIFY(OpenDialog(dialog));
        QCOMPARE(FieldText(dialog, "Edit1"), QString("1.3"));
    }

    // --- "Dobór parametrów ": weather -------------------------------------

    void weatherLabels()
    {
        WorkingDirectory dir;
        CalcState state;
        WeatherDialog dialog(state);
        QCOMPARE(Control<QLabel>(dialog, "Label1")->text(),
                 QString("Proszę podać parametry do obliczenia gestości Ro"));
        QCOMPARE(Control<QLabel>(dialog, "Label4")->text(),
                 QString("Proszę podać parametry wiatru"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"Temperatura [°C]", "Ciśnienie baryczne [hPa]",
                                 "Wilgotność względna [%]", "Prędkość wiatru [m/s]"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        // The wind heading stands above the wind field.
        QVERIFY(Control<QLabel>(dialog, "Label4")->y() < Control<QLineEdit>(dialog, "Edit4")->y());
        QVERIFY(Control<QLabel>(dialog, "Label4")->y() > Control<QLineEdit>(dialog, "Edit3")->y());
    }

    void weatherDensity_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("phi");
        QTest::addColumn<double>("density");
        QTest::newRow("20 1013 60") << "20"
                                    << "1013"
                                    << "60" << 1.198189;
        QTest::newRow("20 1013 0") << "20"
                                   << "1013"
                                   << "0" << 1.204479;
        QTest::newRow("0 1013 0") << "0"
                                  << "1013"
                                  << "0" << 1.292720;
        QTest::newRow("15 1013 50") << "15"
                                    << "1013"
                                    << "50" << 1.221504;
        QTest::newRow("-10 1000 80") << "-10"
                                     << "1000"
                                     << "80" << 1.323478;
        QTest::newRow("20.9 read as 20") << "20.9"
                                         << "1013"
                                         << "60" << 1.198189;
    }
    void weatherDensity()
    {
        QFETCH(QString, t);
        QFETCH(QString, p);
        QFETCH(QString, phi);
        QFETCH(double, density);
        WorkingDirectory dir;
        CalcState state;
        WeatherDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, {t, p, phi, "3.5"});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY2(Near(state.AirDensity, density, 5e-7),
                 qPrintable(QString::number(state.AirDensity, 'g', 10)));
        QCOMPARE(state.WindSpeed, 3.5);
        // The file holds the inputs as whole numbers, not the density.
        const QString tLine = QString::number(int(t.toDouble()));
        QCOMPARE(*FileBytes("dialog1.sav"), (tLine + "\n" + p + "\n" + phi + "\n3.5\n").toLatin1());
    }

    void weatherWholeNumbers()
    {
        WorkingDirectory dir;
        CalcState state;
        WeatherDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, {"-5", "1013.7", "55.5", "3.26"});
        QCOMPARE(*FileBytes("dialog1.sav"), QByteArray("-5\n1013\n55\n3.3\n"));
        QCOMPARE(state.WindSpeed, 3.26);
        // Humidity 55.5 is used as 55.
        CalcState again;
        WeatherDialog restarted(again);
        QCOMPARE(FieldText(restarted, "Edit3"), QString("55"));
        QCOMPARE(FieldText(restarted, "Edit4"), QString("3.3"));
        QVERIFY(OpenDialog(restarted));
        ClickOk(restarted);
        QCOMPARE(again.AirDensity, state.AirDensity);
        QCOMPARE(again.WindSpeed, 3.3);
    }

    void weatherRefusals_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("phi");
        QTest::addColumn<QString>("reason");
        QTest::newRow("0 hPa") << "20"
                               << "0"
                               << "60" << QString("Ciśnienie baryczne musi być większe od zera.");
        QTest::newRow("pressure letters")
            << "20"
            << "Edit2"
            << "60" << QString("Ciśnienie baryczne musi być większe od zera.");
        QTest::newRow("first start")
            << "Edit1"
            << "Edit2"
            << "Edit3" << QString("Ciśnienie baryczne musi być większe od zera.");
        QTest::newRow("-273 °C")
            << "-273"
            << "1013"
            << "60" << QString("Temperatura musi być wyższa od −273 °C (zera bezwzględnego).");
        QTest::newRow("-300 °C")
            << "-300"
            << "1013"
            << "0" << QString("Temperatura musi być wyższa od −273 °C (zera bezwzględnego).");
        QTest::newRow("negative pressure")
            << "20"
            << "-1013"
            << "0" << QString("Ciśnienie baryczne musi być większe od zera.");
        QTest::newRow("humidity too high")
            << "100"
            << "1"
            << "100"
            << QString("Wilgotność względna jest za duża dla podanego ciśnienia i temperatury.");
    }
    void weatherRefusals()
    {
        QFETCH(QString, t);
        QFETCH(QString, p);
        QFETCH(QString, phi);
        QFETCH(QString, reason);
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog1.sav", "15\n1013\n50\n2.0\n"));
        CalcState state;
        state.AirDensity = 1.2;
        state.WindSpeed = 4;
        const CalcState before = state;
        WeatherDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        MessageCatcher catcher;
        Confirm(dialog, {t, p, phi, "7"});
        QTRY_COMPARE(catcher.Messages().size(), 1);
        const MessageCatcher::Message& message = catcher.Messages().first();
        QCOMPARE(message.caption, QString("Dobór parametrów "));
        QCOMPARE(message.text, reason);
        QCOMPARE(message.icon, QMessageBox::Warning);
        QCOMPARE(message.parent, &dialog);
        // The dialog stays open with what was typed; nothing is written.
        QVERIFY(dialog.isVisible());
        QCOMPARE(FieldText(dialog, "Edit2"), p);
        QCOMPARE(state, before);
        QCOMPARE(*FileBytes("dialog1.sav"), QByteArray("15\n1013\n50\n2.0\n"));
        // Corrected, it is accepted.
        Confirm(dialog, {"20", "1013", "60", "3.5"});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(*FileBytes("dialog1.sav"), QByteArray("20\n1013\n60\n3.5\n"));
    }

    void weatherCancelKeepsState()
    {
        WorkingDirectory dir;
        CalcState state;
        state.AirDensity = 1.2;
        state.WindSpeed = 4;
        const CalcState before = state;
        WeatherDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), "20");
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state, before);
        QVERIFY(!QFile::exists("dialog1.sav"));
        QVERIFY(OpenDialog(dialog));
        QCOMPARE(FieldText(dialog, "Edit1"), QString("20"));
    }
};

WYW_GUI_TEST_MAIN(TestAirDialogs)
#include "test_air_dialogs.moc"
