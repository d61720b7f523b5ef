// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The help window, "Pomoc → Spis treści"; not part of the wizard.
// The window in which the help engine shows the program's help document: a
// browser with working links between its sections. A window of its own; it
// stays open beside the program until closed.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the document at the given place (a file URL, at an anchor or
    // else at its top) and brings the window forward.
    void ShowDocument(const QUrl& place);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
