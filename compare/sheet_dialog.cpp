// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/sheet_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The project's name typed last in this run.
QString& LastProject()
{
    static QString project;
    return project;
}

} // namespace

SheetNamesDialog::SheetNamesDialog(const QString& duct, bool askDuct, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SheetNamesDialog"));
    setWindowTitle(QStringLiteral("Karta doboru wywietrznika"));
    auto* form = new QFormLayout;
    project_ = new QLineEdit(LastProject(), this);
    project_->setObjectName(QStringLiteral("SheetProjectEdit"));
    project_->setMinimumWidth(320);
    form->addRow(QStringLiteral("Projekt"), project_);
    duct_ = new QLineEdit(duct, this);
    duct_->setObjectName(QStringLiteral("SheetDuctEdit"));
    if (askDuct)
        form->addRow(QStringLiteral("Przewód"), duct_);
    else
        duct_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString SheetNamesDialog::Project() const
{
    return project_->text().trimmed();
}

QString SheetNamesDialog::Duct() const
{
    return duct_->text().trimmed();
}

std::optional<SheetChoice> AskSheet(QWidget* parent, const QString& duct, bool askDuct,
                                    const QString& fileName)
{
    SheetNamesDialog names(duct, askDuct, parent);
    if (names.exec() != QDialog::Accepted)
        return std::nullopt;
    LastProject() = names.Project();
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Zapisz kartę doboru"),
                                                fileName, QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return SheetChoice{names.Project(), names.Duct(), path};
}
