// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/project_file.h"

#include <QString>

class ProgramWindows;

// The controls of the input dialogs as a project file keeps them: every named
// edit field's text, radio button's check and drop-down list's text, by
// dialog and control name.
DialogsControls CollectDialogControls(const ProgramWindows& windows);

// Why the controls of a file do not fit the program's dialogs (a dialog or
// control it does not have, or of another kind: the file comes from another
// version of the program); success when they fit.
Outcome CheckDialogControls(const ProgramWindows& windows, const DialogsControls& dialogs);

// Puts the controls of a file into the dialogs; check them first. Controls that
// the file does not name keep what they hold.
void RestoreDialogControls(const ProgramWindows& windows, const DialogsControls& dialogs);
