// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QMessageBox>
#include <QString>

class QWidget;

// The one way the program shows a message: a modal box with one OK button,
// owned by `owner` (none: a box of its own), with the icon, caption and text
// given; `objectName` names the box for whoever looks for it.
void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                 const QString& text, const QString& objectName);

// The one way the program asks: a modal box with the buttons Yes and No, No
// the default, so that Enter keeps what the user has. True for Yes.
bool AskYesNo(QWidget* owner, const QString& caption, const QString& question,
              const QString& objectName);

// The question before changes that were not saved are dropped: "Zapisać
// zmiany?" with the buttons Tak, Nie and Anuluj, Anuluj the default, so that
// Enter and Esc keep what the user has; `detail` below the question.
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice AskSaveChanges(QWidget* owner, const QString& caption, const QString& detail);

// Tells the user why a command of `window` failed: a warning box with the
// reason, captioned with the window's title. Nothing when the command
// succeeded.
void ShowOutcome(QWidget* window, const Outcome& outcome);
