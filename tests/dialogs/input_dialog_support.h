// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the tests of the input dialogs: a temporary working
// directory, typing into fields, catching message boxes, reading value files.

#include "calc/calc_state.h"
#include "gui_test_support.h"
#include "ui/dialog_base.h"
#include "ui/program_font.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <optional>

// A fresh empty directory made the current one for the life of the object.
using WorkingDirectory = TemporaryWorkingDirectory;

// The whole content of a file in the current directory; nullopt when missing.
inline std::optional<QByteArray> FileBytes(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

inline bool WriteBytes(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Shows the dialog as the wizard would (modal) and waits until it is active.
inline bool OpenDialog(QDialog& dialog)
{
    dialog.open();
    return QTest::qWaitForWindowActive(&dialog);
}

template <class T> T* Control(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

// Replaces the text of an edit field by typing, as a user would.
inline void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

inline void Click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the dialog's OK or its "Anuluj", found by what it does.
inline void ClickOk(OkCancelDialog& dialog)
{
    QVERIFY(dialog.OkButton());
    Click(dialog.OkButton());
}

inline void ClickCancel(OkCancelDialog& dialog)
{
    QVERIFY(dialog.CancelButton());
    Click(dialog.CancelButton());
}

// Watches for message boxes while it lives: each one that opens is recorded
// and closed with its OK button.
class MessageCatcher {
public:
    struct Message {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QWidget* parent;
    };

    MessageCatcher()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    const QList<Message>& Messages() const { return messages_; }

private:
    void Poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        messages_.append({box->windowTitle(), box->text(), box->icon(), box->parentWidget()});
        box->done(QMessageBox::Ok);
    }

    QTimer timer_;
    QList<Message> messages_;
};

// The program's font substitute, as the program installs it at start-up.
inline void InstallTestFont()
{
    InstallProgramFontSubstitute();
}

// Runs the dialog modally with exec(), as the wizard does; `action` runs once
// the dialog is active. A dialog still open after five seconds is cancelled,
// so that a failing test never hangs.
inline int RunModal(QDialog& dialog, const std::function<void()>& action)
{
    bool done = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done || !dialog.isActiveWindow() || !QApplication::focusWidget())
            return;
        done = true;
        action();
    });
    poll.start();
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.reject(); });
    return dialog.exec();
}
