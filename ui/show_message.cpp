// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/show_message.h"

#include <QAbstractButton>
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

SaveChoice AskSaveChanges(QWidget* owner, const QString& caption, const QString& detail)
{
    QMessageBox box(QMessageBox::Question, caption, QStringLiteral("Zapisać zmiany?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setInformativeText(detail);
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Nie"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setObjectName(QStringLiteral("SaveChangesBox"));
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

void ShowOutcome(QWidget* window, const Outcome& outcome)
{
    if (!outcome.Failed())
        return;
    // The title as the window shows it: Qt puts "*" in place of a "[*]" while
    // the window is marked modified and drops it otherwise.
    QString caption;
    if (window != nullptr) {
        const QWidget* shown = window->window();
        caption = shown->windowTitle().replace(
            QStringLiteral("[*]"), shown->isWindowModified() ? QStringLiteral("*") : QString());
    }
    ShowMessage(window, QMessageBox::Warning, caption, ReasonOf(outcome),
                QStringLiteral("FailureBox"));
}
