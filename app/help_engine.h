// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class HelpWindow;
class QWidget;

// The program's help engine. The program names its help file the classic way
// ("wywietrznik_pl.hlp") and sends it commands; the engine maps the name to
// the help document of the same base name ("wywietrznik_pl.html"), looks for
// it in its search directories in turn and shows it in its help window. When
// the document cannot be found, the engine itself says so, naming the file.
class HelpEngine {
public:
    // The command that opens the help file at its contents, which stand at
    // the top of the help document.
    static constexpr int kHelpContents = 3;

    // Searches the given directories, in order.
    explicit HelpEngine(QStringList searchDirectories);
    ~HelpEngine();
    HelpEngine(const HelpEngine&) = delete;
    HelpEngine& operator=(const HelpEngine&) = delete;

    // Beside the program's executable, then the installed data directory.
    static QStringList DefaultSearchDirectories();

    void SetHelpFile(const QString& name);
    const QString& HelpFile() const { return helpFile_; }
    const QStringList& SearchDirectories() const { return searchDirectories_; }

    // The help document's file name for the help file's name.
    QString DocumentName() const;
    // The full path of the document found first, or empty when none is found.
    QString FindDocument() const;

    // Carries out a help command; owner is the window that asked. Returns
    // false when the command is unknown or the help document cannot be shown
    // (the engine has then told the user).
    bool HelpCommand(int command, long data, QWidget* owner);

    // The help window, once the document has been shown (else null).
    HelpWindow* Window() const { return window_.get(); }

private:
    bool ShowContents(QWidget* owner);
    void ReportMissing(QWidget* owner) const;

    QStringList searchDirectories_;
    QString helpFile_;
    std::unique_ptr<HelpWindow> window_;
};
