// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <functional>

class QWidget;

// The title of the program: the caption of its main window, of its error boxes
// and the name it shows in the task bar.
inline constexpr const char* kApplicationTitle = "Program doboru wywietrzników firmy KORVANT";

// The application's title, as last set.
QString ApplicationTitle();
// Sets the title (application name) that windows and error boxes use.
void SetApplicationTitle(const QString& title);

// The standard error box: the error's own message, the application's title as
// caption, a stop icon and OK. Modal; returns when it is closed.
void ShowErrorBox(QWidget* parent, const QString& message);

// Runs one command of the program; an error raised inside it and not handled
// there is shown in the standard error box, and the program goes on.
void RunGuarded(QWidget* parent, const std::function<void()>& command);

// The application object: the program's name and version, and Qt's own
// Polish texts. Every failure of the program travels as a Result to the window
// that shows it; nothing is thrown through Qt's event delivery, from which Qt
// knows no recovery.
class ProgramApplication : public QApplication {
    Q_OBJECT
public:
    ProgramApplication(int& argc, char** argv);

    // Whether Qt's own Polish texts (the print, page set-up and file dialogs,
    // the edit fields' context menus) were found and installed.
    bool PolishQtTexts() const { return qtTranslated_; }

private:
    QTranslator qtTranslator_;
    bool qtTranslated_ = false;
};
