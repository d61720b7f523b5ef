// SPDX-License-Identifier: GPL-3.0-or-later
// The building dialog with an adjustable grille and "dialog3333.sav": the
// grille box, the opening limited to 0..20 turns, the loss coefficient table.
#include "dialogs/adjustable_grille_dialog.h"

#include "input_dialog_support.h"
#include "test_main.h"

#include <QComboBox>
#include <QLabel>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

const QStringList kGrilles = {"KTV 75/80", "KTV 100", "KTV 125", "KTV 160", "KTV 200"};

QLabel* LabelWithText(QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

// Fills the dialog, typing the grille's name into the box, and presses OK.
void Confirm(OkCancelDialog& dialog, const QString& height, const QString& storeys,
             const QString& grille, const QString& opening)
{
    Type(Control<QLineEdit>(dialog, "Edit1"), height);
    Type(Control<QLineEdit>(dialog, "Edit2"), storeys);
    if (!grille.isEmpty()) {
        QComboBox* box = Control<QComboBox>(dialog, "ComboBox1");
        box->setFocus();
        Type(box->lineEdit(), grille);
    }
    Type(Control<QLineEdit>(dialog, "Edit4"), opening);
    ClickOk(dialog);
}

double Rounded4(double value)
{
    return std::round(value * 1e4) / 1e4;
}

} // namespace

class TestAdjustableDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    void layout()
    {
        WorkingDirectory dir;
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        const struct {
            const char* text;
            QPoint place;
        } texts[] = {
            {"Proszę podać parametry budynku", {80, 8}},
            {"Wysokość jednej kondygnacji [m]", {8, 40}},
            {"Ilość kondygnacji", {8, 72}},
            {"Wybierz kratke", {8, 104}},
            {"Otwarcie kratki", {8, 136}},
            {"(ilosc obrotow tarczy kratki 0-20)", {8, 152}},
        };
        for (const auto& placed : texts) {
            QLabel* label = LabelWithText(dialog, QString::fromUtf8(placed.text));
            QVERIFY2(label, placed.text);
            QCOMPARE(label->pos(), placed.place);
        }
        // The opening's label ends above its note.
        QVERIFY(LabelWithText(dialog, "Otwarcie kratki")->geometry().bottom() < 152);
        QCOMPARE(Control<QLineEdit>(dialog, "Edit1")->geometry().topLeft(), QPoint(176, 40));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit2")->geometry().topLeft(), QPoint(176, 72));
        QCOMPARE(Control<QComboBox>(dialog, "ComboBox1")->geometry().topLeft(), QPoint(176, 104));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit4")->geometry().topLeft(), QPoint(176, 136));
        for (const char* name : {"Edit1", "Edit2", "ComboBox1", "Edit4"})
            QCOMPARE(Control<QWidget>(dialog, name)->width(), 121);
        QVERIFY(!Control<QLineEdit>(dialog, "Edit3"));
        QCOMPARE(dialog.OkButton()->geometry(), QRect(72, 192, 75, 25));
        QCOMPARE(dialog.CancelButton()->geometry(), QRect(184, 192, 75, 25));
    }

    void grilleBoxAtStart()
    {
        WorkingDirectory dir;
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QComboBox* box = Control<QComboBox>(dialog, "ComboBox1");
        QVERIFY(box->isEditable());
        QCOMPARE(box->count(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(box->itemText(i), kGrilles[i]);
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QString("KTV 75/80"));
    }

    void untouchedBoxUsesFirstGrille()
    {
        WorkingDirectory dir;
        CalcState state;
        state.GrilleSizeB = 0.3;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, "3", "5", QString(), "10");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.GrilleSizeA, 0.046);
        QCOMPARE(state.GrilleArea, kPi * 0.046 * 0.046 * 0.25);
        QCOMPARE(Rounded4(state.LossCoefficient), 3.3271);
        QCOMPARE(state.DuctLength, 15.0);
        QCOMPARE(state.StoreyHeight, 3.0);
        QCOMPARE(state.StoreyCount, 5);
        QCOMPARE(state.GrilleSizeB, 0.3); // not changed
        QCOMPARE(*FileBytes("dialog3333.sav"), QByteArray("3.00\n5\n10\n"));
    }

    void lossCoefficientTable_data()
    {
        QTest::addColumn<int>("grille");
        QTest::addColumn<int>("opening");
        QTest::addColumn<double>("zeta");
        const double table[5][5] = {
            {35.6161, 7.5305, 3.3271, 2.3660, 1.9621},
            {40.5829, 11.8174, 5.1516, 2.7056, 1.9143},
            {89.3520, 39.5223, 15.8732, 7.8297, 4.8168},
            {153.9710, 52.5077, 16.4320, 7.3362, 3.9430},
            {171.7130, 31.8157, 11.4640, 5.1239, 2.0990},
        };
        for (int g = 0; g < 5; ++g) {
            for (int column = 0; column < 5; ++column) {
                const int n = 5 * column;
                QTest::addRow("%s n=%d", qPrintable(kGrilles[g]), n) << g << n << table[g][column];
            }
        }
        QTest::newRow("KTV 200 n=18") << 4 << 18 << -0.3495;
        QTest::newRow("KTV 200 n=19") << 4 << 19 << -0.2343;
    }
    void lossCoefficientTable()
    {
        QFETCH(int, grille);
        QFETCH(int, opening);
        QFETCH(double, zeta);
        WorkingDirectory dir;
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, "3", "5", kGrilles[grille], QString::number(opening));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Rounded4(state.LossCoefficient), zeta);
        QCOMPARE(*FileBytes("dialog3333.sav"),
                 QByteArray("3.00\n5\n") + QByteArray::number(opening) + "\n");
    }

    void grilleAreas_data()
    {
        QTest::addColumn<int>("grille");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("area");
        QTest::newRow("KTV 75/80") << 0 << 0.046 << 0.001661902514;
        QTest::newRow("KTV 100") << 1 << 0.07 << 0.003848451001;
        QTest::newRow("KTV 125") << 2 << 0.096 << 0.007238229474;
        QTest::newRow("KTV 160") << 3 << 0.115 << 0.01038689071;
        QTest::newRow("KTV 200") << 4 << 0.163 << 0.0208672438;
    }
    void grilleAreas()
    {
        QFETCH(int, grille);
        QFETCH(double, diameter);
        QFETCH(double, area);
        WorkingDirectory dir;
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        // Chosen from the list with the arrow keys.
        QComboBox* box = Control<QComboBox>(dialog, "ComboBox1");
        box->setFocus();
        for (int i = 0; i <= grille; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), kGrilles[grille]);
        Type(Control<QLineEdit>(dialog, "Edit1"), "3"); // storeys within bounds
        Type(Control<QLineEdit>(dialog, "Edit2"), "5");
        ClickOk(dialog);
        QCOMPARE(state.GrilleSizeA, diameter);
        QVERIFY2(std::fabs(state.GrilleArea - area) <= 1e-9 * area,
                 qPrintable(QString::number(state.GrilleArea, 'g', 12)));
        QCOMPARE(box->count(), 5);
    }

    void openingLimits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("used");
        QTest::newRow("25") << "25" << 20;
        QTest::newRow("-3") << "-3" << 0;
        QTest::newRow("7.9") << "7.9" << 7;
        QTest::newRow("20") << "20" << 20;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("letters") << "Edit4" << 0;
        QTest::newRow("huge") << "99999999999999" << 20;
    }
    void openingLimits()
    {
        QFETCH(QString, typed);
        QFETCH(int, used);
        WorkingDirectory dir;
        // The same grille confirmed with the opening that is really used.
        CalcState expected;
        {
            AdjustableGrilleDialog reference(expected);
            QVERIFY(OpenDialog(reference));
            Confirm(reference, "3", "5", "KTV 100", QString::number(used));
        }
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Confirm(dialog, "3", "5", "KTV 100", typed);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.LossCoefficient, expected.LossCoefficient);
        QCOMPARE(*FileBytes("dialog3333.sav"),
                 QByteArray("3.00\n5\n") + QByteArray::number(used) + "\n");
        // Edit4 keeps what was typed in this run.
        QCOMPARE(Control<QLineEdit>(dialog, "Edit4")->text(), typed);
        // The next start shows the limited opening.
        CalcState next;
        AdjustableGrilleDialog restarted(next);
        QCOMPARE(Control<QLineEdit>(restarted, "Edit4")->text(), QString::number(used));
    }

    void typedTextIsNoNewEntry()
    {
        WorkingDirectory dir;
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        QComboBox* box = Control<QComboBox>(dialog, "ComboBox1");
        // First a real grille, then a text that names none: the first row applies.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QString("KTV 100"));
        Type(box->lineEdit(), "KTV 999");
        Type(Control<QLineEdit>(dialog, "Edit1"), "3");
        Type(Control<QLineEdit>(dialog, "Edit2"), "5");
        Type(Control<QLineEdit>(dialog, "Edit4"), "0");
        box->setFocus();
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(box->count(), 5);
        QCOMPARE(box->findText("KTV 999"), -1);
        QCOMPARE(state.GrilleSizeA, 0.046);
        QCOMPARE(Rounded4(state.LossCoefficient), 35.6161);
    }

    void boxKeepsChoiceAfterCancel()
    {
        WorkingDirectory dir;
        CalcState state;
        const CalcState before = state;
        AdjustableGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Type(Control<QComboBox>(dialog, "ComboBox1")->lineEdit(), "KTV 160");
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state, before);
        QVERIFY(!QFile::exists("dialog3333.sav"));
        QVERIFY(OpenDialog(dialog));
        QCOMPARE(Control<QComboBox>(dialog, "ComboBox1")->currentText(), QString("KTV 160"));
        Type(Control<QLineEdit>(dialog, "Edit1"), "3"); // storeys within bounds
        Type(Control<QLineEdit>(dialog, "Edit2"), "5");
        Type(Control<QLineEdit>(dialog, "Edit4"), "0");
        ClickOk(dialog);
        QCOMPARE(state.GrilleSizeA, 0.115);
    }

    void readsThreeLines()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog3333.sav", "2.75\r\n6\r\n12\r\nKTV 200\r\n"));
        CalcState state;
        AdjustableGrilleDialog dialog(state);
        QCOMPARE(Control<QLineEdit>(dialog, "Edit1")->text(), QString("2.75"));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit2")->text(), QString("6"));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit4")->text(), QString("12"));
        // The grille choice is never read from the file.
        QCOMPARE(Control<QComboBox>(dialog, "ComboBox1")->currentText(), QString("KTV 75/80"));
    }
};

WYW_GUI_TEST_MAIN(TestAdjustableDialog)
#include "test_adjustable_dialog.moc"
