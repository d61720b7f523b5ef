// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_engine.h"

#include "app/help_window.h"
#include "ui/show_message.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <utility>

#ifndef WYW_DATA_DIR
#error "WYW_DATA_DIR names the installed data directory of the program"
#endif

HelpEngine::HelpEngine(QStringList searchDirectories)
    : searchDirectories_(std::move(searchDirectories))
{
}

HelpEngine::~HelpEngine() = default;

QStringList HelpEngine::DefaultSearchDirectories()
{
    return {QCoreApplication::applicationDirPath(), QStringLiteral(WYW_DATA_DIR)};
}

void HelpEngine::SetHelpFile(const QString& name)
{
    helpFile_ = name;
}

QString HelpEngine::DocumentName() const
{
    const QFileInfo file(helpFile_);
    if (file.fileName().isEmpty())
        return QString();
    return file.completeBaseName() + QStringLiteral(".html");
}

QString HelpEngine::FindDocument() const
{
    const QString name = DocumentName();
    if (name.isEmpty())
        return QString();
    for (const QString& directory : searchDirectories_) {
        if (directory.isEmpty())
            continue;
        const QFileInfo candidate(QDir(directory).filePath(name));
        if (candidate.isFile() && candidate.isReadable())
            return candidate.absoluteFilePath();
    }
    return QString();
}

bool HelpEngine::HelpCommand(int command, long /*data*/, QWidget* owner)
{
    if (command != kHelpContents)
        return false;
    return ShowContents(owner);
}

bool HelpEngine::ShowContents(QWidget* owner)
{
    const QString path = FindDocument();
    if (path.isEmpty()) {
        ReportMissing(owner);
        return false;
    }
    if (!window_)
        window_ = std::make_unique<HelpWindow>();
    window_->ShowDocument(QUrl::fromLocalFile(path));
    return true;
}

void HelpEngine::ReportMissing(QWidget* owner) const
{
    QString text;
    if (helpFile_.isEmpty()) {
        text = QStringLiteral("Nie podano nazwy pliku pomocy.");
    } else {
        text = QStringLiteral("Nie można odnaleźć pliku pomocy %1 (%2).")
                   .arg(DocumentName(), helpFile_);
        QStringList places;
        for (const QString& directory : searchDirectories_) {
            if (!directory.isEmpty())
                places << QDir::toNativeSeparators(directory);
        }
        if (!places.isEmpty())
            text += QStringLiteral("\n\nSzukano w katalogach:\n") + places.join(QLatin1Char('\n'));
    }
    ShowMessage(owner, QMessageBox::Warning, QStringLiteral("Pomoc"), text,
                QStringLiteral("HelpMissingBox"));
}
