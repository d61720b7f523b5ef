#include "files/outcome.h"

#include <QMessageBox>
#include <QWidget>

#include <utility>

Outcome Outcome::Failure(QString reason)
{
    Outcome outcome;
    outcome.failed_ = true;
    outcome.reason_ = std::move(reason);
    return outcome;
}

void ShowOutcome(QWidget* window, const Outcome& outcome)
{
    if (!outcome.Failed())
        return;
    const QString caption = window != nullptr ? window->window()->windowTitle() : QString();
    QMessageBox box(QMessageBox::Warning, caption, outcome.Reason(), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("FailureBox"));
    box.exec();
}
