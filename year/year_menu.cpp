// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_menu.h"

#include "year/year_window.h"

#include <QAction>
#include <QMenu>

void AddYearItem(QWidget* mainWindow, QMenu* menu, const std::function<YearWindow&()>& window,
                 const std::function<void(YearWindow&)>& before)
{
    auto* item = new QAction(QStringLiteral("Praca w &ciągu roku…"), mainWindow);
    item->setObjectName(QStringLiteral("FileYearItem"));
    item->setStatusTip(QStringLiteral(
        "Jak często w ciągu roku przewód osiąga wymaganą wydajność: pogoda z pliku EPW "
        "albo rozkład wiatru"));
    QObject::connect(item, &QAction::triggered, mainWindow, [window, before] {
        YearWindow& shown = window();
        before(shown);
        ShowYearWindow(shown);
    });
    menu->addAction(item);
}

void ShowYearWindow(YearWindow& window)
{
    window.Refresh();
    window.show();
    window.raise();
    window.activateWindow();
}
