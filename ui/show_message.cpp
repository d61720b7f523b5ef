#include "ui/show_message.h"

#include <QWidget>

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                 const QString& text, const QString& objectName)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.setObjectName(objectName);
    box.exec();
}

bool AskYesNo(QWidget* owner, const QString& caption, const QString& question,
              const QString& objectName)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::No);
    box.setObjectName(objectName);
    return box.exec() == QMessageBox::Yes;
}

void ShowOutcome(QWidget* window, const Outcome& outcome)
{
    if (!outcome.Failed())
        return;
    const QString caption = window != nullptr ? window->window()->windowTitle() : QString();
    ShowMessage(window, QMessageBox::Warning, caption, ReasonOf(outcome),
                QStringLiteral("FailureBox"));
}
