// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/dialog_base.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

// Plays a user through a chain of modal windows: whenever a new modal window
// becomes active it checks that it is the one the script expects next (by
// object name) and acts on it with keys and clicks. A window that is not the
// expected one is rejected, so that the program under test never waits forever.
class ScriptedUser : public QObject {
public:
    struct Step {
        QString window;                    // object name of the expected window
        std::function<void(QWidget*)> act; // keys and clicks on it
    };

    explicit ScriptedUser(QList<Step> steps)
        : steps_(std::move(steps))
    {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }

    // The object names of the windows acted on, in order.
    const QStringList& Seen() const { return seen_; }
    // Empty when every window was the expected one and the script ran out.
    QString Failure() const
    {
        if (!failure_.isEmpty() || steps_.isEmpty())
            return failure_;
        return QStringLiteral("script not finished, next: ") + steps_.first().window;
    }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_ || !modal->isVisible())
            return;
        handled_ = modal;
        if (steps_.isEmpty() || modal->objectName() != steps_.first().window) {
            failure_ += QStringLiteral("unexpected window %1 (%2); ")
                            .arg(modal->objectName(), modal->windowTitle());
            QTest::keyClick(modal, Qt::Key_Escape);
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        const Step step = steps_.takeFirst();
        seen_ << step.window;
        step.act(modal);
    }

    QList<Step> steps_;
    QStringList seen_;
    QString failure_;
    QPointer<QWidget> handled_;
    QTimer timer_;
};

// Replaces the text of an edit field the way a user does: select all, type.
inline void TypeInto(QWidget* window, const char* field, const QString& text)
{
    auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(field));
    QVERIFY2(edit, field);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

// Presses a button or checks a radio button with the keyboard: the focus on
// it, then the space bar.
inline void Choose(QWidget* window, const char* name)
{
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(widget, name);
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClick(widget, Qt::Key_Space);
}

// Space on the window's "Anuluj", found by what it does, not by its name.
inline void ChooseCancel(QWidget* window)
{
    auto* dialog = qobject_cast<OkCancelDialog*>(window);
    QVERIFY2(dialog && dialog->CancelButton(), qPrintable(window->objectName()));
    dialog->CancelButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog->CancelButton(), Qt::Key_Space);
}

// Enter on the window's focus widget: the default button.
inline void PressEnter(QWidget* window)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_Return);
}

inline void PressEscape(QWidget* window)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_Escape);
}
