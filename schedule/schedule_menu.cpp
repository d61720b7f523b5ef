// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_menu.h"

#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"

#include <QAction>
#include <QMenu>

void AddScheduleItem(QWidget* mainWindow, QMenu* menu,
                     const std::function<ScheduleWindow&()>& window)
{
    auto* item = new QAction(QStringLiteral("&Zestawienie przewodów…"), mainWindow);
    item->setObjectName(QStringLiteral("FileScheduleItem"));
    item->setStatusTip(
        QStringLiteral("Zestawia przewody wywiewne całego budynku i dobiera do nich wywietrzniki"));
    QObject::connect(item, &QAction::triggered, mainWindow,
                     [window] { ShowScheduleWindow(window()); });
    menu->addAction(item);
}

void ShowScheduleWindow(ScheduleWindow& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

std::optional<Schedule> ScheduleOf(const ScheduleWindow& window)
{
    if (window.CurrentSchedule().rows.empty())
        return std::nullopt;
    return window.CurrentSchedule();
}

QString RefusedEntries(const ScheduleWindow& window)
{
    const ScheduleTableModel& model = window.Model();
    QStringList lines;
    if (model.Building().Refused())
        lines << QString::fromStdString(model.Building().Problem());
    const std::vector<SheetRow>& rows = model.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].refused.empty())
            lines << QStringLiteral("Wiersz %1: %2")
                         .arg(i + 1)
                         .arg(QString::fromStdString(RefusalProblem(rows[i])));
    }
    return lines.join(QLatin1Char('\n'));
}

void RestoreSchedule(ScheduleWindow& window, const std::optional<Schedule>& schedule)
{
    window.SetSchedule(schedule.value_or(Schedule{}));
    if (schedule && !schedule->rows.empty())
        ShowScheduleWindow(window);
}
