// SPDX-License-Identifier: GPL-3.0-or-later
// The installation type dialog and the hall dialog with "dialog3.sav".
#include "dialogs/hall_dialog.h"
#include "dialogs/installation_dialog.h"

#include "input_dialog_support.h"
#include "test_main.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

Q_DECLARE_METATYPE(Installation)

class TestHallDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    void installationCaptions()
    {
        CalcState state;
        InstallationDialog dialog(state);
        QCOMPARE(Control<QGroupBox>(dialog, "RadioGroup1")->title(),
                 QString("Proszę wybrać typ instalacji"));
        const QStringList captions = {"Hala", "Budynek wielokondygnacyjny - kratka prostokątna",
                                      "Budynek wielokondygnacyjny - kratka okrągła nieregulowana",
                                      "Budynek wielokondygnacyjny - kratka okrągła regulowana"};
        for (qsizetype i = 0; i < captions.size(); ++i) {
            auto* radio =
                Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(i + 1)));
            QCOMPARE(radio->text(), captions[i]);
            QCOMPARE(radio->isChecked(), i == 0);
        }
    }

    void installationType_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<Installation>("type");
        QTest::newRow("Hala") << 1 << Installation::Hall;
        QTest::newRow("kratka prostokątna") << 2 << Installation::BuildingRectangular;
        QTest::newRow("kratka okrągła nieregulowana") << 3 << Installation::BuildingRound;
        QTest::newRow("kratka okrągła regulowana") << 4 << Installation::BuildingAdjustable;
    }
    void installationType()
    {
        QFETCH(int, button);
        QFETCH(Installation, type);
        CalcState state;
        // Another installation than the one chosen.
        state.InstallationType =
            type == Installation::Hall ? Installation::BuildingAdjustable : Installation::Hall;
        InstallationDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(
            Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(button))),
            Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.InstallationType, type);
        QCOMPARE(state.IsHall, false);
    }

    void installationCancel()
    {
        CalcState state;
        state.InstallationType = Installation::BuildingRound;
        InstallationDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QTest::mouseClick(Control<QRadioButton>(dialog, "RadioButton4"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.InstallationType, Installation::BuildingRound);
        QVERIFY(OpenDialog(dialog));
        QVERIFY(Control<QRadioButton>(dialog, "RadioButton4")->isChecked());
    }

    void hallTexts()
    {
        WorkingDirectory dir;
        CalcState state;
        HallDialog dialog(state);
        QCOMPARE(Control<QLabel>(dialog, "Label3")->text(), QString("Proszę podać parametry hali"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains("Dlugość kanału [m]"));
        QCOMPARE(Control<QGroupBox>(dialog, "RadioGroup1")->title(),
                 QString("Rodzaj wlotu kanału"));
        const QStringList inlets = {"Z kołnierzem", "Bez kołnierza", "Zaokrąglony"};
        for (qsizetype i = 0; i < inlets.size(); ++i) {
            auto* radio =
                Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(i + 1)));
            QCOMPARE(radio->text(), inlets[i]);
            QCOMPARE(radio->isChecked(), i == 0);
        }
    }

    void hall_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("inlet");
        QTest::addColumn<double>("ductLength");
        QTest::addColumn<double>("loss");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("12.5 Bez kołnierza") << "12.5" << 2 << 12.5 << 1.0 << QByteArray("12.50\n");
        QTest::newRow("Zaokrąglony") << "5" << 3 << 5.0 << 0.1 << QByteArray("5.00\n");
        QTest::newRow("comma") << "7,9" << 1 << 7.9 << 0.5 << QByteArray("7.90\n");
    }
    void hall()
    {
        QFETCH(QString, length);
        QFETCH(int, inlet);
        QFETCH(double, ductLength);
        QFETCH(double, loss);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        HallDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), length);
        QTest::mouseClick(
            Control<QRadioButton>(dialog, qPrintable(QString("RadioButton%1").arg(inlet))),
            Qt::LeftButton);
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctLength, ductLength);
        QVERIFY(state.LossCoefficient == loss); // exact: the report tests equality
        QCOMPARE(state.IsHall, false);          // the wizard sets it, not the dialog
        QCOMPARE(*FileBytes("dialog3.sav"), file);
    }

    void hallEnterInField()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog3.sav", "8.25\r\n"));
        CalcState state;
        HallDialog dialog(state);
        QCOMPARE(Control<QLineEdit>(dialog, "Edit1")->text(), QString("8.25"));
        QVERIFY(OpenDialog(dialog));
        QTest::keyClick(Control<QLineEdit>(dialog, "Edit1"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctLength, 8.25);
        QCOMPARE(*FileBytes("dialog3.sav"), QByteArray("8.25\n"));
    }

    void hallCancel()
    {
        WorkingDirectory dir;
        CalcState state;
        state.DuctLength = 3;
        state.LossCoefficient = 0.5;
        const CalcState before = state;
        HallDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QLineEdit>(dialog, "Edit1"), "12.5");
        QTest::mouseClick(Control<QRadioButton>(dialog, "RadioButton3"), Qt::LeftButton);
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state, before);
        QVERIFY(!QFile::exists("dialog3.sav"));
        QVERIFY(OpenDialog(dialog));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit1")->text(), QString("12.5"));
        QVERIFY(Control<QRadioButton>(dialog, "RadioButton3")->isChecked());
    }
};

WYW_GUI_TEST_MAIN(TestHallDialogs)
#include "test_hall_dialogs.moc"
