#include "schedule/schedule_menu.h"

#include "schedule/schedule_window.h"

#include <QAction>
#include <QMenu>

namespace {

ScheduleWindow* Find(QWidget* mainWindow)
{
    return mainWindow->findChild<ScheduleWindow*>(QStringLiteral("ScheduleWindow"),
                                                  Qt::FindDirectChildrenOnly);
}

ScheduleWindow& Window(QWidget* mainWindow)
{
    ScheduleWindow* window = Find(mainWindow);
    return window ? *window : *new ScheduleWindow(mainWindow);
}

} // namespace

void AddScheduleItem(QWidget* mainWindow, QMenu* menu)
{
    auto* item = new QAction(QStringLiteral("&Zestawienie przewodów…"), mainWindow);
    item->setObjectName(QStringLiteral("FileScheduleItem"));
    item->setStatusTip(
        QStringLiteral("Zestawia przewody wywiewne całego budynku i dobiera do nich wywietrzniki"));
    QObject::connect(item, &QAction::triggered, mainWindow, [mainWindow] {
        ScheduleWindow& window = Window(mainWindow);
        window.show();
        window.raise();
        window.activateWindow();
    });
    menu->addAction(item);
}

std::optional<Schedule> ScheduleOf(QWidget* mainWindow)
{
    const ScheduleWindow* window = Find(mainWindow);
    if (!window || window->CurrentSchedule().rows.empty())
        return std::nullopt;
    return window->CurrentSchedule();
}

void RestoreSchedule(QWidget* mainWindow, const std::optional<Schedule>& schedule)
{
    if (!schedule && !Find(mainWindow))
        return;
    ScheduleWindow& window = Window(mainWindow);
    window.SetSchedule(schedule.value_or(Schedule{}));
    if (window.isVisible())
        window.raise();
}
