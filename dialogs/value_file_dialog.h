// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "dialogs/value_file.h"
#include "ui/dialog_base.h"

#include <QPushButton>
#include <QString>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QLineEdit;

// An input dialog that remembers the numbers of its fields in a value file:
// the file fills the fields when the dialog is created, OK writes it again, and
// a file that cannot be written is reported (DialogValueFile::SaveFailed) while
// the dialog goes on. Window is the kind of window, FormWindow or FixedDialog.
// A dialog built on it places its own controls and says what its OK does.
template <class Window> class ValueFileDialog : public Window {
protected:
    // objectName: the designer's name; valueFile: the file in the working
    // directory; the rest is passed on to the window.
    template <class... WindowArguments>
    ValueFileDialog(CalcState& state, const char* objectName, const char* valueFile,
                    WindowArguments&&... window)
        : Window(std::forward<WindowArguments>(window)...)
        , state_(state)
        , valueFile_(new DialogValueFile(valueFile, this))
    {
        this->setObjectName(QString::fromLatin1(objectName));
    }

    // What OK does: read the fields, save the values, store them, accept().
    // A refused input shows why and leaves the dialog open.
    virtual void Accept() = 0;

    // Connects OK to Accept and "Anuluj" to a cancel, and puts the fields'
    // texts from the value file into `fields`, line n into field n.
    void Finish(QPushButton* ok, QPushButton* cancel, std::initializer_list<QLineEdit*> fields)
    {
        this->SetButtons(ok, cancel);
        QObject::connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
        QObject::connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        valueFile_->Load(fields);
    }

    // Writes the value file with these lines.
    void SaveValues(const std::vector<std::string>& lines) { valueFile_->Save(lines); }

    CalcState& state_;

private:
    DialogValueFile* valueFile_;
};
