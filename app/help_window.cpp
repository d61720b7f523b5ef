// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include "resources/program_icons.h"
#include "ui/program_font.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Pomoc - Program doboru wywietrzników firmy KORVANT"));
    setWindowIcon(ProgramIcon());
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpWindow::ShowDocument(const QUrl& place)
{
    show();
    raise();
    activateWindow();
    browser_->setSource(place);
    if (place.hasFragment())
        browser_->scrollToAnchor(place.fragment());
    else
        browser_->verticalScrollBar()->setValue(0);
}
