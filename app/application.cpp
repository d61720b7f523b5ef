// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "generated/version.h"
#include "ui/show_message.h"
#include "ui/text.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScopedValueRollback>

#include <exception>

namespace {

// An error box must not be asked for again while it is open: an error raised
// by an event delivered to the box itself is left to the box.
bool errorBoxOpen = false;

QString MessageOf(const std::exception& error)
{
    const QString text = QString::fromUtf8(error.what());
    return text.isEmpty() ? QStringLiteral("Nieznany błąd.") : text;
}

} // namespace

QString ApplicationTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? Text(kApplicationTitle) : name;
}

void SetApplicationTitle(const QString& title)
{
    QCoreApplication::setApplicationName(title);
}

void ShowErrorBox(QWidget* parent, const QString& message)
{
    if (errorBoxOpen) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    const QScopedValueRollback<bool> open(errorBoxOpen, true);
    ShowMessage(parent, QMessageBox::Critical, ApplicationTitle(), message,
                QStringLiteral("ErrorBox"));
}

void RunGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        ShowErrorBox(parent, MessageOf(error));
    } catch (...) {
        ShowErrorBox(parent, QStringLiteral("Nieznany błąd."));
    }
}

ProgramApplication::ProgramApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    SetApplicationTitle(Text(kApplicationTitle));
    setApplicationVersion(Text(kProgramVersion));
    setDesktopFileName(QStringLiteral(WYW_APP_ID));
    // Qt's standard dialogs speak Polish like the rest of the program
    // (Debian: qt6-translations-l10n); without the file they stay English.
    qtTranslated_ = qtTranslator_.load(QLocale(QLocale::Polish, QLocale::Poland), "qtbase", "_",
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtTranslated_)
        installTranslator(&qtTranslator_);
}
