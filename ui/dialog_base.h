// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QKeyEvent;
class QShowEvent;
class QPushButton;

// The two kinds of window of the input dialogs. Both are modal: exec() returns
// QDialog::Accepted for OK and QDialog::Rejected for a cancel or the close box.
// Neither is ever re-created, so its controls keep their texts between showings.

// A modal window with an OK and an "Anuluj" button. Their designer's names,
// which .wyw files keep, differ from dialog to dialog ("Button1" is OK in one
// and "Anuluj" in another); these accessors name them by what they do.
class OkCancelDialog : public QDialog {
    Q_OBJECT
public:
    // nullptr where the dialog has no such button.
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    OkCancelDialog(QWidget* parent, Qt::WindowFlags flags)
        : QDialog(parent, flags)
    {
    }

    // The dialog says which of its buttons are OK and "Anuluj".
    void SetButtons(QPushButton* ok, QPushButton* cancel)
    {
        ok_ = ok;
        cancel_ = cancel;
    }

private:
    QPushButton* ok_ = nullptr;     // a child, deleted with the dialog
    QPushButton* cancel_ = nullptr; // a child, deleted with the dialog
};

// A dialog with a fixed border and a fixed client size, centred on the screen.
// Enter presses the default button. Esc closes it with the cancel result where
// its cancel button ("Anuluj", CancelBtn) is bound to Esc, and does nothing
// where the dialog's "Anuluj" is an ordinary button.
class FixedDialog : public OkCancelDialog {
    Q_OBJECT
public:
    enum class EscapeKey { Cancels, Ignored };

    FixedDialog(const QString& caption, QSize clientSize, EscapeKey escape = EscapeKey::Cancels,
                QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    EscapeKey escape_;
};

// An ordinary resizable window at its designed place on the screen. Enter
// presses the default button; Esc does nothing, since no cancel button is
// bound to it (a plain QDialog would close on Esc).
class FormWindow : public OkCancelDialog {
    Q_OBJECT
public:
    FormWindow(const QString& caption, QRect designedGeometry, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
