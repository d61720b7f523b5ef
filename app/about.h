#pragma once

#include "ui/dialog_base.h"

class QLabel;
class QPushButton;

// The About box, "Pomoc → O programie"; not part of the wizard.
// The About box: the program's picture, name and version on a bevelled
// panel, and OK. It has no handlers of its own; OK closes it.
class TAboutBox : public FixedDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
