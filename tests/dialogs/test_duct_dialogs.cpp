// SPDX-License-Identifier: GPL-3.0-or-later
// The duct step: the shape dialog, the round and rectangular duct dialogs with
// "dialog22.sav" and "dialog2.sav", and the material dialog.
#include "dialogs/duct_material_dialog.h"
#include "dialogs/duct_shape_dialog.h"
#include "dialogs/rectangular_duct_dialog.h"
#include "dialogs/round_duct_dialog.h"

#include "calc/refusal.h"
#include "input_dialog_support.h"
#include "test_main.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <cmath>

namespace {

bool Near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

QStringList LabelTexts(QWidget& dialog)
{
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

void ConfirmRectangle(OkCancelDialog& dialog, const QString& a, const QString& b)
{
    Type(Control<QLineEdit>(dialog, "Edit1"), a);
    Type(Control<QLineEdit>(dialog, "Edit2"), b);
    ClickOk(dialog);
}

} // namespace

class TestDuctDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    // --- "Wybór kanału" ---------------------------------------------------

    void shapeChoice()
    {
        CalcState state;
        state.DuctRound = true;
        DuctShapeDialog dialog(state);
        QCOMPARE(Control<QGroupBox>(dialog, "RadioGroup1")->title(),
                 QString("Proszę wybrać typ kanału"));
        auto* rectangular = Control<QRadioButton>(dialog, "RadioButton1");
        auto* round = Control<QRadioButton>(dialog, "RadioButton2");
        QCOMPARE(rectangular->text(), QString("Prostokątny"));
        QCOMPARE(round->text(), QString("Okrągły"));
        QVERIFY(rectangular->isChecked());
        QVERIFY(!round->isChecked());

        QVERIFY(OpenDialog(dialog));
        ClickOk(dialog);
        QCOMPARE(state.DuctRound, false);

        // Chosen with the arrow key, as from the keyboard.
        QVERIFY(OpenDialog(dialog));
        rectangular->setFocus();
        QTest::keyClick(rectangular, Qt::Key_Down);
        QVERIFY(round->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctRound, true);
        QCOMPARE(state.DuctRoughness, 0.0);
    }

    // --- "Parametry kanału": round ---------------------------------------

    void roundDuct_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("area"); // π D² / 4
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("0.2") << "0.2" << 0.2 << 0.0314159265358979 << QByteArray("0.20\n");
        QTest::newRow("0,16") << "0,16" << 0.16 << 0.0201061929829747 << QByteArray("0.16\n");
        QTest::newRow("0.155") << "0.155" << 0.155 << 0.0188691908756237 << QByteArray("0.15\n");
    }
    void roundDuct()
    {
        QFETCH(QString, typed);
        QFETCH(double, diameter);
        QFETCH(double, area);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        state.DuctSideA = 0.4;
        state.DuctSideB = 0.5;
        RoundDuctDialog dialog(state);
        QCOMPARE(Control<QLabel>(dialog, "Label2")->text(),
                 QString("Proszę podać parametry kanału"));
        QVERIFY(LabelTexts(dialog).contains("Średnica kanału [m]"));
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), typed);
        QTest::keyClick(Control<QLineEdit>(dialog, "Edit1"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctDiameter, diameter);
        QCOMPARE(state.DuctArea, area);
        QCOMPARE(state.DuctSideA, 0.4);
        QCOMPARE(state.DuctSideB, 0.5);
        QCOMPARE(*FileBytes("dialog22.sav"), file);
    }

    void roundDuctArea()
    {
        WorkingDirectory dir;
        CalcState state;
        RoundDuctDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), "0.2");
        ClickOk(dialog);
        QCOMPARE(std::floor(state.DuctArea * 1e9), 31415926.0); // 0.031415926...
        QVERIFY(Near(state.DuctArea, 0.0314159265359, 1e-11));
    }

    void roundDuctReadsItsFile()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog22.sav", "0.16\r\n"));
        CalcState state;
        RoundDuctDialog dialog(state);
        QCOMPARE(Control<QLineEdit>(dialog, "Edit1")->text(), QString("0.16"));
        QVERIFY(OpenDialog(dialog));
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.DuctDiameter, 0.0);
        QCOMPARE(*FileBytes("dialog22.sav"), QByteArray("0.16\r\n"));
    }

    // --- "Parametry kanału": rectangular ----------------------------------

    void rectangularDuct_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<double>("sideA");
        QTest::addColumn<double>("sideB");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("area");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("0.2 x 0.3")
            << "0.2"
            << "0.3" << 0.2 << 0.3 << 0.24 << 0.0452389342116930 << QByteArray("0.20\n0.30\n");
        QTest::newRow("0.3 x 0.2")
            << "0.3"
            << "0.2" << 0.3 << 0.2 << 0.24 << 0.0452389342116930 << QByteArray("0.30\n0.20\n");
        QTest::newRow("0.5 x 0.5")
            << "0.5"
            << "0.5" << 0.5 << 0.5 << 0.5 << 0.196349540849362 << QByteArray("0.50\n0.50\n");
    }
    void rectangularDuct()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(double, sideA);
        QFETCH(double, sideB);
        QFETCH(double, diameter);
        QFETCH(double, area);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        RectangularDuctDialog dialog(state);
        QCOMPARE(Control<QLabel>(dialog, "Label2")->text(), QString("Proszę podać wymiary kanału"));
        QVERIFY(LabelTexts(dialog).contains("Długość [m]"));
        QVERIFY(LabelTexts(dialog).contains("Szerokość [m]"));
        QVERIFY(OpenDialog(dialog));
        ConfirmRectangle(dialog, a, b);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctSideA, sideA);
        QCOMPARE(state.DuctSideB, sideB);
        QVERIFY(std::fabs(state.DuctDiameter - diameter) <= 1e-15);
        QCOMPARE(state.DuctArea, area);
        QCOMPARE(*FileBytes("dialog2.sav"), file);
    }

    void rectangularDuctRefusals_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("first start") << "Edit1"
                                     << "Edit2";
        QTest::newRow("both 0") << "0"
                                << "0";
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("opposite") << "0.3"
                                  << "-0.3";
    }
    void rectangularDuctRefusals()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog2.sav", "0.20\n0.30\n"));
        CalcState state;
        state.DuctDiameter = 0.16;
        state.DuctArea = 0.02;
        const CalcState before = state;
        RectangularDuctDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        MessageCatcher catcher;
        ConfirmRectangle(dialog, a, b);
        QTRY_COMPARE(catcher.Messages().size(), 1);
        QCOMPARE(catcher.Messages().first().caption, QString("Parametry kanału"));
        QCOMPARE(catcher.Messages().first().text,
                 QString("Suma długości i szerokości kanału nie może być równa zeru – "
                         "popraw wymiary kanału."));
        QCOMPARE(catcher.Messages().first().parent, &dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(state, before);
        QCOMPARE(*FileBytes("dialog2.sav"), QByteArray("0.20\n0.30\n"));
        // Corrected, it is accepted.
        ConfirmRectangle(dialog, "0.2", "0.3");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(std::fabs(state.DuctDiameter - 0.24) <= 1e-15);
    }

    void roundAfterRectangularKeepsSides()
    {
        WorkingDirectory dir;
        CalcState state;
        RectangularDuctDialog rectangular(state);
        RoundDuctDialog round(state);
        QVERIFY(OpenDialog(rectangular));
        ConfirmRectangle(rectangular, "0.2", "0.3");
        QVERIFY(OpenDialog(round));
        Type(Control<QLineEdit>(round, "Edit1"), "0.2");
        ClickOk(round);
        QCOMPARE(state.DuctSideA, 0.2);
        QCOMPARE(state.DuctSideB, 0.3);
        QCOMPARE(state.DuctDiameter, 0.2);
    }

    // --- "Wybór współczynnika chropowatości" ------------------------------

    void materialCaptions()
    {
        CalcState state;
        DuctMaterialDialog dialog(state);
        QCOMPARE(Control<QGroupBox>(dialog, "RadioGroup1")->title(),
                 QString("Proszę wybrać materiał kanału"));
        const QStringList captions = {"Rura stalowa ocynkowana czysta",
                                      "Nowa rura odlewana, blacha stalowa, gładki cement ",
                                      "Zwyczajnie ocynkowana rura stalowa",
                                      "Stara rura stalowa zardzewiała",
                                      "Surowy cement lub deski",
                                      "Cegła"};
        for (qsizetype i = 0; i < captions.size(); ++i) {
            auto* radio =
                Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(i + 1)));
            QCOMPARE(radio->text(), captions[i]);
            QCOMPARE(radio->isChecked(), i == 0);
        }
    }

    void materialRoughness_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("roughness");
        QTest::newRow("Rura stalowa ocynkowana czysta") << 1 << 1.8;
        QTest::newRow("Nowa rura odlewana") << 2 << 2.5;
        QTest::newRow("Zwyczajnie ocynkowana") << 3 << 3.0;
        QTest::newRow("Stara rura") << 4 << 5.0;
        QTest::newRow("Surowy cement") << 5 << 7.5;
        QTest::newRow("Cegła") << 6 << 10.0;
    }
    void materialRoughness()
    {
        QFETCH(int, button);
        QFETCH(double, roughness);
        CalcState state;
        DuctMaterialDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(
            Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(button))),
            Qt::LeftButton);
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(state.DuctRoughness == roughness); // exact: the report tests equality
    }

    void materialCancel()
    {
        CalcState state;
        DuctMaterialDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(Control<QRadioButton>(dialog, "RadioButton6"), Qt::LeftButton);
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.DuctRoughness, 0.0);
        QVERIFY(OpenDialog(dialog));
        QVERIFY(Control<QRadioButton>(dialog, "RadioButton6")->isChecked());
        ClickOk(dialog);
        QCOMPARE(state.DuctRoughness, 10.0);
    }
};

WYW_GUI_TEST_MAIN(TestDuctDialogs)
#include "test_duct_dialogs.moc"
