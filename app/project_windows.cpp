// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/project_windows.h"

#include "app/program_windows.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

namespace {

// The windows whose controls are not inputs of a calculation.
bool IsInputDialog(const QWidget* window)
{
    static const QStringList others = {QStringLiteral("MainForm"), QStringLiteral("AboutBox"),
                                       QStringLiteral("CompareForm")};
    return qobject_cast<const QDialog*>(window) && !others.contains(window->objectName());
}

QWidget* InputDialog(const ProgramWindows& windows, const QString& name)
{
    for (QWidget* window : windows.CreationOrder()) {
        if (window->objectName() == name && IsInputDialog(window))
            return window;
    }
    return nullptr;
}

// A control of the dialog that the file keeps; the line edit inside a
// drop-down list is the list's.
QWidget* Control(QWidget* dialog, const QString& name)
{
    QWidget* control = dialog->findChild<QWidget*>(name);
    if (!control || qobject_cast<QComboBox*>(control->parentWidget()))
        return nullptr;
    return control;
}

std::optional<ControlValue> ValueOf(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return ControlValue(edit->text());
    if (const auto* radio = qobject_cast<const QRadioButton*>(control))
        return ControlValue(radio->isChecked());
    if (const auto* box = qobject_cast<const QComboBox*>(control)) {
        if (box->isEditable())
            return ControlValue(box->currentText());
        return ControlValue(box->currentIndex());
    }
    return std::nullopt;
}

} // namespace

DialogsControls CollectDialogControls(const ProgramWindows& windows)
{
    DialogsControls dialogs;
    for (QWidget* window : windows.CreationOrder()) {
        if (!IsInputDialog(window))
            continue;
        DialogControls& controls = dialogs[window->objectName()];
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() ||
                Control(window, control->objectName()) != control)
                continue;
            if (const auto value = ValueOf(control))
                controls[control->objectName()] = *value;
        }
    }
    return dialogs;
}

Outcome CheckDialogControls(const ProgramWindows& windows, const DialogsControls& dialogs)
{
    for (const auto& [name, controls] : dialogs) {
        QWidget* dialog = InputDialog(windows, name);
        if (!dialog)
            return Failure{"plik pochodzi z innej wersji programu"};
        for (const auto& [controlName, value] : controls) {
            const QWidget* control = Control(dialog, controlName);
            const auto now = control ? ValueOf(control) : std::nullopt;
            if (!now || now->index() != value.index())
                return Failure{"plik pochodzi z innej wersji programu"};
        }
    }
    return {};
}

void RestoreDialogControls(const ProgramWindows& windows, const DialogsControls& dialogs)
{
    for (const auto& [name, controls] : dialogs) {
        QWidget* dialog = InputDialog(windows, name);
        for (const auto& [controlName, value] : controls) {
            QWidget* control = Control(dialog, controlName);
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                edit->setText(std::get<QString>(value));
            } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
                // Checking one button of a group unchecks the others.
                if (std::get<bool>(value))
                    radio->setChecked(true);
            } else if (auto* box = qobject_cast<QComboBox*>(control)) {
                if (box->isEditable())
                    box->setEditText(std::get<QString>(value));
                else
                    box->setCurrentIndex(std::get<int>(value));
            }
        }
    }
}
