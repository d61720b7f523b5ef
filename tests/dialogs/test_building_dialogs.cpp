// SPDX-License-Identifier: GPL-3.0-or-later
// The building dialogs with a fixed grille, "dialog33.sav" and "dialog333.sav":
// fields, reference tables at their places, what OK stores and saves.
#include "dialogs/rectangular_grille_dialog.h"
#include "dialogs/round_grille_dialog.h"

#include "input_dialog_support.h"
#include "test_main.h"

#include <QLabel>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

struct PlacedText {
    const char* text;
    int x;
    int y;
};

QLabel* LabelWithText(QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

void CheckPlacedTexts(QWidget& dialog, std::initializer_list<PlacedText> texts)
{
    for (const PlacedText& placed : texts) {
        const QString text = QString::fromUtf8(placed.text);
        QLabel* label = LabelWithText(dialog, text);
        QVERIFY2(label, placed.text);
        QCOMPARE(label->pos(), QPoint(placed.x, placed.y));
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(text), placed.text);
    }
}

void CheckFieldRows(QWidget& dialog, int fields)
{
    for (int i = 1; i <= fields; ++i) {
        auto* edit = Control<QLineEdit>(dialog, qPrintable(QString("Edit%1").arg(i)));
        QCOMPARE(edit->geometry().topLeft(), QPoint(176, 8 + 32 * i));
        QCOMPARE(edit->width(), 121);
    }
}

void Fill(QDialog& dialog, const QStringList& texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i)
        Type(Control<QLineEdit>(dialog, qPrintable(QString("Edit%1").arg(i + 1))), texts[i]);
}

} // namespace

class TestBuildingDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    void rectangularGrilleLayout()
    {
        WorkingDirectory dir;
        CalcState state;
        RectangularGrilleDialog dialog(state);
        CheckFieldRows(dialog, 5);
        CheckPlacedTexts(dialog,
                         {
                             {"Proszę podać parametry budynku", 80, 8},
                             {"Wysokość jednej kondygnacji [m]", 8, 40},
                             {"Ilość kondygnacji", 8, 72},
                             {"Wysokość kratki [m]", 8, 104},
                             {"Szerokość kratki [m]", 8, 136},
                             {"Współczynnik strat kratki", 8, 168},
                             {"Przykładowe wartości współczynnika strat kratek", 152, 200},
                             {"Prostokątna MCV 20 i MLG 20    0,222x0,255", 8, 224},
                             {"Prostokątna MCV 25 i MLG 25    0,272x0,305", 8, 248},
                             {"Firmy MAIC MCV 30 i MLG 30      0,322x0,355", 8, 272},
                             {"Firmy MAIC MCV 35 i MLG 35      0,372x0,405", 8, 296},
                             {"Kwadratowa Typ A                        0,15x0,15", 8, 320},
                             {"Łopatki pod kątem 45 st Typ A     0,2x0,2", 8, 344},
                             {"Łopatki pod kątem 45 st Typ A     0,25x0,25", 304, 224},
                             {"Firmy AIRCELLTyp A                     0,3x0,3", 304, 248},
                             {"Kwadratowa Typ G                        0,15x0,15", 304, 272},
                             {"Łopatki pod kątem 0 st Typ G       0,2x0,2", 304, 296},
                             {"Łopatki pod kątem 0 st Typ G       0,25x0,25", 304, 320},
                             {"Firmy AIRCELL Typ G                    0,3x0,3", 304, 344},
                         });
        // The values beside the descriptions, column by column.
        const QStringList left = {"4,6", "2,8", "2,5", "2,1", "15", "15"};
        const QStringList right = {"15", "15", "3,3", "3,3", "3,3", "3,3"};
        for (int row = 0; row < 6; ++row) {
            const int y = 224 + 24 * row;
            auto* leftValue = qobject_cast<QLabel*>(dialog.childAt(QPoint(241, y + 2)));
            auto* rightValue = qobject_cast<QLabel*>(dialog.childAt(QPoint(537, y + 2)));
            QVERIFY(leftValue && rightValue);
            QCOMPARE(leftValue->text(), left[row]);
            QCOMPARE(leftValue->pos(), QPoint(240, y));
            QCOMPARE(rightValue->text(), right[row]);
            QCOMPARE(rightValue->pos(), QPoint(536, y));
        }
        QCOMPARE(dialog.OkButton()->geometry(), QRect(200, 384, 75, 25));
        QCOMPARE(dialog.CancelButton()->geometry(), QRect(304, 384, 75, 25));
    }

    void roundGrilleLayout()
    {
        WorkingDirectory dir;
        CalcState state;
        RoundGrilleDialog dialog(state);
        CheckFieldRows(dialog, 4);
        CheckPlacedTexts(dialog, {
                                     {"Proszę podać parametry budynku", 80, 8},
                                     {"Wysokość jednej kondygnacji [m]", 8, 40},
                                     {"Ilość kondygnacji", 8, 72},
                                     {"Średnica kratki [m]", 8, 104},
                                     {"Współczynnik strat kratki", 8, 136},
                                     {"Przykładowe wartości współczynnika strat kratek", 32, 192},
                                     {"Okrągła DVSC-80                    d=0,06", 8, 224},
                                     {"Regulowana DVSC-100           d=0,074", 8, 248},
                                     {"Całkowicie DVSC-125              d=0,097", 8, 272},
                                     {"Otwarta DVSC-150                   d=0,117", 8, 296},
                                     {"Otwarta DVSC-200                   d=0,155", 8, 320},
                                     {"3,9", 240, 272},
                                     {"4", 248, 296},
                                     {"4,1", 240, 320},
                                 });
        for (int y : {224, 248}) {
            auto* value = qobject_cast<QLabel*>(dialog.childAt(QPoint(241, y + 2)));
            QVERIFY(value);
            QCOMPARE(value->text(), QString("1,6"));
            QCOMPARE(value->pos(), QPoint(240, y));
        }
        QCOMPARE(dialog.OkButton()->geometry(), QRect(48, 352, 75, 25));
        QCOMPARE(dialog.CancelButton()->geometry(), QRect(192, 352, 75, 25));
    }

    void rectangularGrille_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<double>("storeyHeight");
        QTest::addColumn<int>("storeys");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("loss");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("MCV 20") << QStringList{"3", "4", "0.222", "0.255", "4.6"} << 3.0 << 4
                                << 0.222 << 0.255 << 4.6
                                << QByteArray("3.00\n4\n0.22\n0.26\n4.60\n");
        QTest::newRow("decimal commas")
            << QStringList{"2,8", "5,5", "0.3", "0,3", "4,6"} << 2.8 << 5 << 0.3 << 0.3 << 4.6
            << QByteArray("2.80\n5\n0.30\n0.30\n4.60\n");
        QTest::newRow("3.5 storeys")
            << QStringList{"3", "3.5", "0.2", "0.2", "15"} << 3.0 << 3 << 0.2 << 0.2 << 15.0
            << QByteArray("3.00\n3\n0.20\n0.20\n15.00\n");
    }
    void rectangularGrille()
    {
        QFETCH(QStringList, typed);
        QFETCH(double, storeyHeight);
        QFETCH(int, storeys);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, loss);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        RectangularGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, typed);
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.StoreyHeight, storeyHeight);
        QCOMPARE(state.StoreyCount, storeys);
        QCOMPARE(state.GrilleSizeA, a);
        QCOMPARE(state.GrilleSizeB, b);
        QCOMPARE(state.LossCoefficient, loss);
        QCOMPARE(state.DuctLength, double(storeys) * storeyHeight);
        QCOMPARE(state.GrilleArea, a * b);
        QCOMPARE(*FileBytes("dialog33.sav"), file);
    }

    void rectangularGrilleWorkedValues()
    {
        WorkingDirectory dir;
        CalcState state;
        RectangularGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, {"3", "4", "0.222", "0.255", "4.6"});
        QTest::keyClick(Control<QLineEdit>(dialog, "Edit5"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.DuctLength, 12.0);
        QVERIFY(std::fabs(state.GrilleArea - 0.05661) < 1e-15);
    }

    void rectangularGrilleReadsItsFile()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog33.sav", "3.00\r\n4\r\n0.22\r\n"));
        CalcState state;
        RectangularGrilleDialog dialog(state);
        const QStringList expected = {"3.00", "4", "0.22", "Edit4", "Edit5"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(Control<QLineEdit>(dialog, qPrintable(QString("Edit%1").arg(i + 1)))->text(),
                     expected[i]);
    }

    void roundGrille_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("loss");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("d 0.1") << QStringList{"3", "4", "0.1", "1.6"} << 0.1 << 1.6
                               << QByteArray("3.00\n4\n0.10\n1.60\n");
        QTest::newRow("d 0.074") << QStringList{"3", "4", "0.074", "1.6"} << 0.074 << 1.6
                                 << QByteArray("3.00\n4\n0.07\n1.60\n");
        QTest::newRow("4,1") << QStringList{"3", "4", "0.155", "4,1"} << 0.155 << 4.1
                             << QByteArray("3.00\n4\n0.15\n4.10\n");
    }
    void roundGrille()
    {
        QFETCH(QStringList, typed);
        QFETCH(double, diameter);
        QFETCH(double, loss);
        QFETCH(QByteArray, file);
        WorkingDirectory dir;
        CalcState state;
        state.GrilleSizeB = 0.3;
        RoundGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, typed);
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.StoreyHeight, 3.0);
        QCOMPARE(state.StoreyCount, 4);
        QCOMPARE(state.DuctLength, 12.0);
        QCOMPARE(state.GrilleSizeA, diameter);
        QCOMPARE(state.GrilleSizeB, 0.3); // a round grille leaves the width
        QCOMPARE(state.LossCoefficient, loss);
        QCOMPARE(state.GrilleArea, kPi * diameter * diameter * 0.25);
        QCOMPARE(*FileBytes("dialog333.sav"), file);
    }

    void roundGrilleArea()
    {
        WorkingDirectory dir;
        CalcState state;
        RoundGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, {"3", "4", "0.1", "1.6"});
        ClickOk(dialog);
        QCOMPARE(state.GrilleArea, 0.007853981633974483);
    }

    void roundGrilleRestartUsesRoundedDiameter()
    {
        WorkingDirectory dir;
        CalcState state;
        RoundGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, {"3", "4", "0.074", "1.6"});
        ClickOk(dialog);
        const double fullArea = state.GrilleArea;

        CalcState next;
        RoundGrilleDialog restarted(next);
        QCOMPARE(Control<QLineEdit>(restarted, "Edit3")->text(), QString("0.07"));
        QVERIFY(OpenDialog(restarted));
        ClickOk(restarted);
        QCOMPARE(next.GrilleSizeA, 0.07);
        QVERIFY(next.GrilleArea < fullArea);
    }

    void cancelKeepsTexts()
    {
        WorkingDirectory dir;
        CalcState state;
        const CalcState before = state;
        RectangularGrilleDialog dialog(state);
        QVERIFY(OpenDialog(dialog));
        Fill(dialog, {"3", "4"});
        ClickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state, before);
        QVERIFY(!QFile::exists("dialog33.sav"));
        QVERIFY(OpenDialog(dialog));
        QCOMPARE(Control<QLineEdit>(dialog, "Edit2")->text(), QString("4"));
    }
};

WYW_GUI_TEST_MAIN(TestBuildingDialogs)
#include "test_building_dialogs.moc"
