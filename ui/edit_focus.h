// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;
class QLineEdit;

// An edit field of the input dialogs selects its whole text whenever it
// receives the focus: by Tab or Shift+Tab, when its dialog opens or is shown
// again, when its window becomes active. Typing then replaces the remembered
// value instead of extending it. A mouse click places the cursor as usual, and
// the focus coming back from a popup (a context menu, a drop-down list) keeps
// what the user had selected.
void SelectAllOnFocus(QLineEdit* edit);

// The same for the edit field of an editable combo box.
void SelectAllOnFocus(QComboBox* box);
