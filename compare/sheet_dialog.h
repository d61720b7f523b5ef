// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;

// "Karta doboru wywietrznika": the names that a sheet carries, typed before
// it is saved ("Projekt", "Przewód"); either may stay empty. The project's
// name is kept for the next sheet of the run.
class SheetNamesDialog : public QDialog {
    Q_OBJECT
public:
    // `duct` the name proposed; `askDuct` false: the sheets of a schedule,
    // whose ducts are named by their labels.
    SheetNamesDialog(const QString& duct, bool askDuct, QWidget* parent = nullptr);

    QString Project() const;
    QString Duct() const;

private:
    QLineEdit* project_ = nullptr;
    QLineEdit* duct_ = nullptr;
};

// What the user chose for a sheet: the names, then the PDF file.
struct SheetChoice {
    QString project;
    QString duct;
    QString path;
};
// Asks for the names, then for the file (with the suffix .pdf); none when
// either is cancelled.
std::optional<SheetChoice> AskSheet(QWidget* parent, const QString& duct, bool askDuct,
                                    const QString& fileName);
