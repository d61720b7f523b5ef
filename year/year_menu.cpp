// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_menu.h"

#include "year/year_window.h"

#include <QAction>
#include <QMenu>

YearWindow& AddYearWindow(QWidget* mainWindow, QMenu* menu, const CalcState& state,
                          const std::function<void(YearWindow&)>& before,
                          const std::function<void()>& edited)
{
    auto* window = new YearWindow(state, mainWindow);
    QObject::connect(window, &YearWindow::Edited, mainWindow, edited);

    auto* item = new QAction(QStringLiteral("Praca w &ciągu roku…"), mainWindow);
    item->setObjectName(QStringLiteral("FileYearItem"));
    item->setStatusTip(QStringLiteral(
        "Jak często w ciągu roku przewód osiąga wymaganą wydajność: pogoda z pliku EPW "
        "albo rozkład wiatru"));
    QObject::connect(item, &QAction::triggered, window, [window, before] {
        before(*window);
        ShowYearWindow(*window);
    });
    menu->addAction(item);
    return *window;
}

void ShowYearWindow(YearWindow& window)
{
    window.Refresh();
    window.show();
    window.raise();
    window.activateWindow();
}
