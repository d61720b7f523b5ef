// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/dialog_base.h"

class QLabel;
class QPushButton;

// The About box of "Pomoc → O programie": the program's picture, name and
// version on a bevelled panel, and OK. It has no handlers of its own; OK
// closes it. Not part of the wizard.
class AboutBox : public FixedDialog {
    Q_OBJECT
public:
    // The designer's name of the window.
    static constexpr const char* kObjectName = "AboutBox";

    explicit AboutBox(QWidget* parent = nullptr);
};
