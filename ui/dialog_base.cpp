// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialog_base.h"

#include "ui/outer_size.h"
#include "ui/program_font.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {

bool IsPlainEscape(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}

} // namespace

FixedDialog::FixedDialog(const QString& caption, QSize clientSize, EscapeKey escape,
                         QWidget* parent)
    : OkCancelDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint)
    , escape_(escape)
{
    setWindowTitle(caption);
    setFont(ProgramFont());
    setFixedSize(clientSize);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    OkCancelDialog::showEvent(event);
}

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    if (escape_ == EscapeKey::Ignored && IsPlainEscape(event)) {
        event->accept();
        return;
    }
    OkCancelDialog::keyPressEvent(event);
}

FormWindow::FormWindow(const QString& caption, QRect designedGeometry, QWidget* parent)
    : OkCancelDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(caption);
    setFont(ProgramFont());
    resize(designedGeometry.size());
    move(designedGeometry.topLeft());
    // The designed size is the outer one, frame included.
    KeepOuterSize(this, designedGeometry.size());
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    if (IsPlainEscape(event)) {
        event->accept(); // no cancel button is bound to Esc here
        return;
    }
    OkCancelDialog::keyPressEvent(event);
}
