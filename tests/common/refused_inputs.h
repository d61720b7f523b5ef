// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The impossible inputs that every front end refuses with the same reason:
// the input dialogs, the command line (exit status 3) and the calculation file
// reader. One row: the command-line options giving the inputs, the dialog that
// takes the value with what is typed into its fields Edit1, Edit2, …, and the
// reason the user must see.

#include <QString>
#include <QStringList>
#include <QtTest>

struct RefusedInput {
    const char* name;
    QString options;    // without --model
    QString dialog;     // the dialog's object name
    QStringList fields; // typed into Edit1, Edit2, …
    QString reason;
    bool reachesFile; // the value stands in the calculation state (a weather value does not)
};

inline const QList<RefusedInput>& RefusedInputs()
{
    const QString air = "--density 1.2 --wind 3 ";
    const QString duct = "--round 0.16 ";
    const QString hall = "--hall 5";
    static const QList<RefusedInput> rows = {
        {"density 1e308",
         "--density 1e308 --wind 3 " + duct + hall,
         "OKBottomDlg",
         {"1e308", "3"},
         "Gęstość powietrza musi być większa od zera i nie większa niż 5 kg/m3 – popraw "
         "parametry powietrza.",
         true},
        {"density 0",
         "--density 0 --wind 3 " + duct + hall,
         "OKBottomDlg",
         {"0", "3"},
         "Gęstość powietrza musi być większa od zera i nie większa niż 5 kg/m3 – popraw "
         "parametry powietrza.",
         true},
        {"wind below 0",
         "--density 1.2 --wind -4 " + duct + hall,
         "OKBottomDlg",
         {"1.2", "-4"},
         "Prędkość wiatru musi wynosić od 0 do 100 m/s – popraw prędkość wiatru.",
         true},
        {"wind above 100 m/s",
         "--density 1.2 --wind 1e308 " + duct + hall,
         "OKBottomDlg",
         {"1.2", "1e308"},
         "Prędkość wiatru musi wynosić od 0 do 100 m/s – popraw prędkość wiatru.",
         true},
        {"temperature 1000000",
         "--weather 1000000,60,60 --wind 3 " + duct + hall,
         "Form3",
         {"1000000", "60", "60", "3"},
         "Temperatura powietrza zewnętrznego musi wynosić od −60 do 60 °C – popraw temperaturę.",
         false},
        {"humidity 101",
         "--weather 20,1013,101 --wind 3 " + duct + hall,
         "Form3",
         {"20", "1013", "101", "3"},
         "Wilgotność względna musi wynosić od 0 do 100 % – popraw parametry powietrza.",
         false},
        {"pressure 0",
         "--weather 20,0,50 --wind 3 " + duct + hall,
         "Form3",
         {"20", "0", "50", "3"},
         "Ciśnienie baryczne musi być większe od zera.",
         false},
        {"duct diameter 0",
         air + "--round 0 " + hall,
         "Form4",
         {"0"},
         "Wymiary kanału muszą być większe od zera i nie większe niż 1000 m – popraw parametry "
         "kanału.",
         true},
        {"duct side 2000 m",
         air + "--rect 2000,0.2 " + hall,
         "Form1",
         {"2000", "0.2"},
         "Wymiary kanału muszą być większe od zera i nie większe niż 1000 m – popraw parametry "
         "kanału.",
         true},
        {"hall -5 m",
         air + duct + "--hall -5",
         "Form2",
         {"-5"},
         "Długość kanału musi być większa od zera i nie większa niż 1000 m – popraw parametry "
         "hali.",
         true},
        {"no storey",
         air + duct + "--building-round 3,0,0.1,1",
         "Form222",
         {"3", "0", "0.1", "1"},
         "Budynek musi mieć co najmniej jedną kondygnację – popraw liczbę kondygnacji.",
         true},
        {"storey height -3 m",
         air + duct + "--building-rect -3,2,0.2,0.2,15",
         "Form22",
         {"-3", "2", "0.2", "0.2", "15"},
         "Wysokość kondygnacji musi być większa od zera i nie większa niż 1000 m – popraw "
         "parametry budynku.",
         true},
        {"building 1200 m",
         air + duct + "--building-round 3,400,0.1,1",
         "Form222",
         {"3", "400", "0.1", "1"},
         "Wysokość budynku (liczba kondygnacji razy wysokość kondygnacji) nie może przekraczać "
         "1000 m – popraw parametry budynku.",
         true},
        {"grille 0 m",
         air + duct + "--building-rect 3,2,0,0.2,15",
         "Form22",
         {"3", "2", "0", "0.2", "15"},
         "Wymiary kratki muszą być większe od zera i nie większe niż 1000 m – popraw wymiary "
         "kratki.",
         true},
        {"grille loss -1.5",
         air + duct + "--building-round 3,5,0.16,-1.5",
         "Form222",
         {"3", "5", "0.16", "-1.5"},
         "Współczynnik strat ζ nie może być ujemny – popraw współczynnik strat.",
         true},
    };
    return rows;
}

// The rows as QTest data: the row's index into RefusedInputs().
inline void AddRefusedInputRows(bool onlyThoseInFiles = false)
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < RefusedInputs().size(); ++i) {
        if (!onlyThoseInFiles || RefusedInputs()[i].reachesFile)
            QTest::newRow(RefusedInputs()[i].name) << i;
    }
}
