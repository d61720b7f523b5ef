// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"

#include "app/about.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "dialogs/typed_density_dialog.h"
#include "report/report_draw.h"
#include "report/report_lines.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include <stdexcept>

namespace {

// One program's windows on a state of their own, in a fresh working directory.
struct Program {
    TemporaryWorkingDirectory directory;
    CalcState state;
    ProgramWindows windows{state, QStringList{directory.path()}};

    MainWindow& form() { return windows.Main(); }
    template <typename T> T* child(const char* name)
    {
        T* found = form().findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }
    QString status() { return child<QStatusBar>("StatusLine")->currentMessage(); }
};

struct MenuEntry {
    QString name;
    QString caption;
    QString hint;
};

bool operator==(const MenuEntry& a, const MenuEntry& b)
{
    return a.name == b.name && a.caption == b.caption && a.hint == b.hint;
}

char* toString(const MenuEntry& entry)
{
    return QTest::toString(
        QStringLiteral("%1 \"%2\" \"%3\"").arg(entry.name, entry.caption, entry.hint));
}

QList<MenuEntry> Entries(const QMenu* menu)
{
    QList<MenuEntry> entries;
    for (const QAction* action : menu->actions()) {
        entries.append({action->objectName(),
                        action->isSeparator() ? QStringLiteral("-") : action->text(),
                        action->statusTip()});
    }
    return entries;
}

// Dark pixels (the text colour) inside a rectangle of an image.
int DarkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    return count;
}

// The first row, from the top, with a dark pixel inside the area, or -1.
int FirstDarkRow(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (DarkPixels(image, QRect(area.left(), y, area.width(), 1)) > 0)
            return y;
    }
    return -1;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    void menuBarHoldsTwoMenus()
    {
        Program program;
        QMenuBar* mainMenu = program.child<QMenuBar>("MainMenu");
        QVERIFY(mainMenu);
        QCOMPARE(program.form().menuBar(), mainMenu);
        const QList<QAction*> menus = mainMenu->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Obliczenia"));
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("FileMenu"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Pomoc"));
        QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("HelpMenu"));
    }

    void fileMenuItems()
    {
        Program program;
        const QList<MenuEntry> expected{
            {"FileNewItem", "&Nowe obliczenia", "Obliczenia ilości odciąganego powietrza"},
            {"FileWywietrznikItem", "&Wybierz tylko wywietrznik",
             "Obliczenia dla nowego wywietrznika"},
            {"FileCompareItem", "&Porównaj wywietrzniki",
             "Porównuje wszystkie wywietrzniki dla bieżących danych"},
            {"FileYearItem", "Praca w &ciągu roku…",
             "Jak często w ciągu roku przewód osiąga wymaganą wydajność: pogoda z pliku EPW "
             "albo rozkład wiatru"},
            {"FileScheduleItem", "&Zestawienie przewodów…",
             "Zestawia przewody wywiewne całego budynku i dobiera do nich wywietrzniki"},
            {"FileSaveProjectItem", "Zapisz obliczenia", "Zapisuje bieżące obliczenia do pliku"},
            {"FileSaveProjectAsItem", "Zapisz obliczenia jako…",
             "Zapisuje bieżące obliczenia do pliku o nowej nazwie"},
            {"FileOpenProjectItem", "Otwórz obliczenia…", "Otwiera obliczenia zapisane w pliku"},
            {"N1", "-", ""},
            {"FilePrintItem", "&Wydruk wyników", "Drukuje aktualne wyniki"},
            {"FileSheetItem", "Karta &doboru…",
             "Zapisuje kartę doboru wywietrznika bieżących obliczeń do pliku PDF"},
            {"FilePrintSetupItem", "&Ustawienia drukarki", "Zmienia ustawienia drukarki"},
            {"N4", "-", ""},
            {"FileExitItem", "&Koniec", "Kończy pracę z programem"},
        };
        QCOMPARE(Entries(program.child<QMenu>("FileMenu")), expected);
    }

    void helpMenuItems()
    {
        Program program;
        const QList<MenuEntry> expected{
            {"HelpContentsItem", "&Spis treści", ""},
            {"N3", "-", ""},
            {"HelpAboutItem", "&O programie", ""},
        };
        QCOMPARE(Entries(program.child<QMenu>("HelpMenu")), expected);
    }

    void noShortcutsBesideAccelerators()
    {
        Program program;
        // The main window's own actions (the schedule window, its child, has
        // the editing keys of its table).
        const auto actions = program.form().findChildren<QAction*>(Qt::FindDirectChildrenOnly);
        QVERIFY(actions.size() >= 10);
        // Only the calculation files have shortcuts: Ctrl+S and Ctrl+O.
        for (const QAction* action : actions) {
            const QString name = action->objectName();
            const QString keys = name == "FileSaveProjectItem"   ? "Ctrl+S"
                                 : name == "FileOpenProjectItem" ? "Ctrl+O"
                                                                 : "";
            QCOMPARE(action->shortcut().toString(), keys);
        }
        QVERIFY(program.form().findChildren<QShortcut*>(Qt::FindDirectChildrenOnly).isEmpty());
    }

    void windowTitleFontAndIcon()
    {
        Program program;
        QCOMPARE(ShownTitle(program.form()),
                 QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        QCOMPARE(QCoreApplication::applicationName(),
                 QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        QCOMPARE(program.form().font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(program.form().font().pointSize(), 8);
        QVERIFY(!program.form().windowIcon().isNull());
    }

    void opensMaximisedWithItsRestoredPlace()
    {
        Program program;
        QVERIFY(program.form().windowState().testFlag(Qt::WindowMaximized));
        QCOMPARE(program.form().normalGeometry(), QRect(220, 135, 808, 546));
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QVERIFY(program.form().isMaximized());
        QVERIFY(program.form().isVisible());
        program.form().showNormal();
        // The restored size is the outer one less the original frame.
        QTRY_COMPARE(program.form().size(), QSize(800, 519));
    }

    void toolBarAndButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("status"); // the menu item's hint: one action for both
        QTest::addColumn<QString>("item");
        QTest::newRow("print") << "SpeedButton1" << 10 << "Wydruk wyników"
                               << "Drukuje aktualne wyniki"
                               << "FilePrintItem";
        QTest::newRow("printer setup") << "SpeedButton2" << 35 << "Ustawienia drukarki"
                                       << "Zmienia ustawienia drukarki"
                                       << "FilePrintSetupItem";
        QTest::newRow("about") << "SpeedButton4" << 65 << "O programie"
                               << ""
                               << "HelpAboutItem";
        QTest::newRow("exit") << "SpeedButton5" << 90 << "Koniec pracy"
                              << "Kończy pracę z programem"
                              << "FileExitItem";
    }

    void toolBarAndButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, x);
        QFETCH(QString, tip);
        QFETCH(QString, status);
        QFETCH(QString, item);
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));

        QWidget* toolBar = program.child<QWidget>("SpeedBar");
        QVERIFY(toolBar);
        QWidget* client = program.form().centralWidget();
        QCOMPARE(toolBar->parentWidget(), client);
        QCOMPARE(toolBar->geometry(), QRect(0, 0, client->width(), 33));

        auto* button = toolBar->findChild<QToolButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(x, 4, 25, 25));
        QCOMPARE(button->toolTip(), tip);
        QCOMPARE(button->statusTip(), status);
        QCOMPARE(button->defaultAction(), program.child<QAction>(item.toLatin1().constData()));

        // A picture of its own with a normal and a different, greyed look.
        const QImage normal = button->icon().pixmap(16, QIcon::Normal).toImage();
        const QImage disabled = button->icon().pixmap(16, QIcon::Disabled).toImage();
        QVERIFY(!normal.isNull());
        QVERIFY(!disabled.isNull());
        QVERIFY(normal != disabled);
        for (int py = 0; py < disabled.height(); ++py) {
            for (int px = 0; px < disabled.width(); ++px) {
                const QColor c = disabled.pixelColor(px, py);
                if (c.alpha() > 0)
                    QVERIFY(c.red() == c.green() && c.green() == c.blue());
            }
        }
    }

    void toolBarHasOnlyFourButtons()
    {
        Program program;
        QWidget* toolBar = program.child<QWidget>("SpeedBar");
        QCOMPARE(toolBar->findChildren<QToolButton*>().size(), 4);
    }

    void statusLineIsOnePanel()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QStatusBar* statusLine = program.child<QStatusBar>("StatusLine");
        QCOMPARE(program.form().statusBar(), statusLine);
        QCOMPARE(statusLine->height(), 23);
        QVERIFY(statusLine->currentMessage().isEmpty());
    }

    void menuHighlightShowsHint_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("status");
        QTest::newRow("Nowe obliczenia") << "FileMenu"
                                         << "FileNewItem"
                                         << "Obliczenia ilości odciąganego powietrza";
        QTest::newRow("Wybierz tylko wywietrznik") << "FileMenu"
                                                   << "FileWywietrznikItem"
                                                   << "Obliczenia dla nowego wywietrznika";
        QTest::newRow("Porównaj wywietrzniki")
            << "FileMenu"
            << "FileCompareItem"
            << "Porównuje wszystkie wywietrzniki dla bieżących danych";
        QTest::newRow("Zapisz obliczenia") << "FileMenu"
                                           << "FileSaveProjectItem"
                                           << "Zapisuje bieżące obliczenia do pliku";
        QTest::newRow("Otwórz obliczenia") << "FileMenu"
                                           << "FileOpenProjectItem"
                                           << "Otwiera obliczenia zapisane w pliku";
        QTest::newRow("Wydruk wyników") << "FileMenu"
                                        << "FilePrintItem"
                                        << "Drukuje aktualne wyniki";
        QTest::newRow("Ustawienia drukarki") << "FileMenu"
                                             << "FilePrintSetupItem"
                                             << "Zmienia ustawienia drukarki";
        QTest::newRow("Koniec") << "FileMenu"
                                << "FileExitItem"
                                << "Kończy pracę z programem";
        QTest::newRow("Spis treści") << "HelpMenu"
                                     << "HelpContentsItem"
                                     << "";
        QTest::newRow("O programie") << "HelpMenu"
                                     << "HelpAboutItem"
                                     << "";
    }

    void menuHighlightShowsHint()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, status);
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        auto* mainMenu = program.child<QMenuBar>("MainMenu");
        auto* popup = program.form().findChild<QMenu*>(menu);
        auto* action = program.form().findChild<QAction*>(item);
        QVERIFY(popup && action);

        // Something else is in the status line first, so that an item without
        // a hint must actively empty it.
        program.form().ShowHint(QStringLiteral("Poprzednia|Poprzednia podpowiedź"));
        QCOMPARE(program.status(), QStringLiteral("Poprzednia podpowiedź"));

        mainMenu->setActiveAction(popup->menuAction());
        QTRY_VERIFY(popup->isVisible());
        program.form().ShowHint(QStringLiteral("Poprzednia podpowiedź"));
        popup->setActiveAction(action);
        QCOMPARE(program.status(), status);
        popup->hide();
    }

    void mouseOverMenuItems()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        auto* mainMenu = program.child<QMenuBar>("MainMenu");
        auto* helpMenu = program.child<QMenu>("HelpMenu");
        auto* fileMenu = program.child<QMenu>("FileMenu");

        mainMenu->setActiveAction(fileMenu->menuAction());
        QTRY_VERIFY(fileMenu->isVisible());
        auto* exitItem = program.child<QAction>("FileExitItem");
        QTest::mouseMove(fileMenu, fileMenu->actionGeometry(exitItem).center());
        QTRY_COMPARE(program.status(), QStringLiteral("Kończy pracę z programem"));

        // The hover path of an action without a hint empties the line.
        mainMenu->setActiveAction(helpMenu->menuAction());
        QTRY_VERIFY(helpMenu->isVisible());
        program.form().ShowHint(QStringLiteral("Kończy pracę z programem"));
        program.child<QAction>("HelpAboutItem")->hover();
        QCOMPARE(program.status(), QString());
        program.child<QAction>("HelpContentsItem")->hover();
        QCOMPARE(program.status(), QString());
        helpMenu->hide();
    }

    void closingTheMenuEmptiesTheStatusLine()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        auto* fileMenu = program.child<QMenu>("FileMenu");
        program.child<QMenuBar>("MainMenu")->setActiveAction(fileMenu->menuAction());
        QTRY_VERIFY(fileMenu->isVisible());
        fileMenu->setActiveAction(program.child<QAction>("FilePrintItem"));
        QCOMPARE(program.status(), QStringLiteral("Drukuje aktualne wyniki"));
        fileMenu->hide();
        QCOMPARE(program.status(), QString());
    }

    void speedButtonHintInStatusLine()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        auto* button = program.child<QToolButton>("SpeedButton2");
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(program.status(), QStringLiteral("Zmienia ustawienia drukarki"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(program.status(), QString());
    }

    void reportOnlyWhenResultsShown_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<int>("lastY");
        QTest::addColumn<int>("count");
        CalcState hidden = HallRoundDuct();
        hidden.ResultsShown = false;
        QTest::newRow("results not shown") << hidden << 50 << 1;
        QTest::newRow("hall, round duct") << HallRoundDuct() << 330 << 1 + 13;
        QTest::newRow("building, rectangular duct") << BuildingRectangular() << 430 << 1 + 18;
    }

    void reportOnlyWhenResultsShown()
    {
        QFETCH(CalcState, state);
        QFETCH(int, lastY);
        QFETCH(int, count);
        Program program;
        program.state = state;
        RecordingCanvas canvas;
        program.form().Paint(canvas);

        const auto& texts = canvas.Texts();
        QCOMPARE(int(texts.size()), count);
        QCOMPARE(texts.front(), (DrawnText{20, 50, QStringLiteral(" ")}));
        QCOMPARE(texts.back().y, lastY);
        const std::vector<ReportLine> lines = BuildReport(state, ReportVariant::Screen);
        for (std::size_t i = 1; i < texts.size(); ++i) {
            QCOMPARE(texts[i].x, 20);
            QCOMPARE(texts[i].y, 50 + 20 * lines[i - 1].row);
            QCOMPARE(texts[i].text, QString::fromStdString(lines[i - 1].text));
        }
    }

    void reportFollowsTheState()
    {
        Program program;
        program.state = HallRoundDuct();
        RecordingCanvas before;
        program.form().Paint(before);
        program.state.FlowPerHour = 3600.0;
        RecordingCanvas after;
        program.form().Paint(after);
        const auto line = [](const RecordingCanvas& c, int y) {
            for (const DrawnText& t : c.Texts()) {
                if (t.y == y)
                    return t.text;
            }
            return QString();
        };
        // Q on row 11, at y = 50 + 20 * 11.
        QCOMPARE(line(before, 270), QStringLiteral("   Wydajność sekundowa   Q = 0.5000 [m3/s]"));
        QCOMPARE(line(after, 270), QStringLiteral("   Wydajność sekundowa   Q = 1.0000 [m3/s]"));
    }

    void reportOnTheRenderedWindow()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QWidget* client = program.form().centralWidget();
        const QPoint origin = client->mapTo(&program.form(), QPoint(0, 0));
        const QFontMetrics metrics(program.form().font());
        const int width = client->width();
        // The part of the client area below the toolbar and right of the
        // left edge, in window coordinates.
        const auto area = [&](int top, int bottom) {
            return QRect(origin.x() + 2, origin.y() + top, width - 4, bottom - top);
        };

        const QImage empty = program.form().grab().toImage();
        QCOMPARE(DarkPixels(empty, area(34, client->height())), 0);

        program.state = BuildingRectangular();
        program.form().Invalidate();
        const QImage shown = program.form().grab().toImage();
        // Nothing between the toolbar and the header's top at y = 50.
        QCOMPARE(DarkPixels(shown, area(34, 50)), 0);
        // The header: its ink starts at the text's top, within the font's
        // internal leading, and its left edge at x = 20.
        const QRect header = area(50, 50 + metrics.height());
        QVERIFY(DarkPixels(shown, header) > 50);
        const int headerTop = FirstDarkRow(shown, header) - origin.y();
        QVERIFY2(headerTop >= 50 && headerTop <= 50 + metrics.ascent() - metrics.capHeight() + 1,
                 qPrintable(QString::number(headerTop)));
        int left = width;
        for (int x = 0; x < width && left == width; ++x) {
            if (DarkPixels(shown, QRect(origin.x() + x, header.top(), 1, header.height())) > 0)
                left = x;
        }
        QVERIFY2(left >= 20 && left <= 22, qPrintable(QString::number(left)));
        // Row 1 is empty; "Dane do obliczeń:" stands at y = 90, and the last
        // line, on row 19, at y = 430; nothing below it.
        QCOMPARE(DarkPixels(shown, area(50 + metrics.height(), 90)), 0);
        QVERIFY(DarkPixels(shown, area(90, 90 + metrics.height())) > 20);
        QVERIFY(DarkPixels(shown, area(430, 430 + metrics.height())) > 20);
        QCOMPARE(DarkPixels(shown, area(430 + metrics.height(), client->height())), 0);
        // Row 14 is the empty row before "Obliczone wartości:".
        QCOMPARE(DarkPixels(shown, area(330 + metrics.height(), 350)), 0);
    }

    void fileExitClosesTheWindow()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        program.state = HallRoundDuct();
        QSignalSpy closed(&program.form(), &MainWindow::Closed);
        program.child<QAction>("FileExitItem")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!program.form().isVisible());
        // Nothing is asked and nothing is written.
        QVERIFY(program.directory.entries().isEmpty());
    }

    void exitButtonAndTitleBarCloseAlike()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QSignalSpy closed(&program.form(), &MainWindow::Closed);
        QTest::mouseClick(program.child<QToolButton>("SpeedButton5"), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!program.form().isVisible());

        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QVERIFY(program.form().close()); // the title bar's close box
        QCOMPARE(closed.count(), 2);
        QVERIFY(program.directory.entries().isEmpty());
    }

    void newCalculationAndVentilatorCommandsDoNotFail()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        program.state = HallRoundDuct();
        const CalcState before = program.state;
        // Whatever dialog a command opens is cancelled at once.
        {
            auto cancel = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); }, 2000);
            program.child<QAction>("FileWywietrznikItem")->trigger();
        }
        QVERIFY(program.form().isVisible());
        // Cancelling the ventilator choice changes nothing.
        QCOMPARE(program.state, before);
        {
            auto cancel = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); }, 2000);
            program.child<QAction>("FileNewItem")->trigger();
        }
        QVERIFY(program.form().isVisible());
    }

    void aboutFromMenuAndToolbar()
    {
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));
        QString caption;
        auto acted = WhenModal<QDialog>([&](QDialog* box) {
            caption = box->windowTitle();
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        program.child<QAction>("HelpAboutItem")->trigger();
        QVERIFY(acted->acted());
        QCOMPARE(caption, QStringLiteral("About"));
        QVERIFY(!program.windows.About().isVisible());

        acted = WhenModal<QDialog>([](QDialog* box) { box->reject(); });
        QTest::mouseClick(program.child<QToolButton>("SpeedButton4"), Qt::LeftButton);
        QVERIFY(acted->acted());
    }

    void errorInsideACommandIsShownAndTheProgramGoesOn_data()
    {
        QTest::addColumn<bool>("standardError");
        QTest::addColumn<QString>("message");
        QTest::newRow("std::exception") << true << QStringLiteral("Błąd próbny: ćma żółw");
        QTest::newRow("anything else") << false << QStringLiteral("Nieznany błąd.");
    }

    void errorInsideACommandIsShownAndTheProgramGoesOn()
    {
        QFETCH(bool, standardError);
        QFETCH(QString, message);
        Program program;
        program.form().ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&program.form()));

        QString shown, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        auto acted = WhenModal<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            box->accept();
        });
        bool after = false;
        program.form().RunCommand([&] {
            if (standardError)
                throw std::runtime_error(message.toStdString());
            throw 42;
        });
        program.form().RunCommand([&] { after = true; });
        QVERIFY(acted->acted());
        QCOMPARE(shown, message);
        QCOMPARE(caption, QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(after);
        QVERIFY(program.form().isVisible());
    }

    void ownerCreatesTheWindowsInOrderAgainAndAgain()
    {
        for (int run = 0; run < 3; ++run) {
            Program program;
            QStringList names;
            for (const QWidget* window : program.windows.CreationOrder())
                names << window->objectName();
            QCOMPARE(names.mid(0, 2), (QStringList{"MainForm", "AboutBox"}));
            QCOMPARE(program.windows.CreationOrder().front(), &program.form());
            QCOMPARE(program.windows.CreationOrder()[1], &program.windows.About());
            QVERIFY(!program.form().isVisible());
            // Creating the windows writes nothing.
            QVERIFY(program.directory.entries().isEmpty());
        }
    }

    // A value file that cannot be saved does not stop the dialog; the status
    // line says which file and why.
    void failedValueFileSaveOnTheStatusLine()
    {
        Program program;
        QVERIFY(QDir().mkdir("dialog.sav"));
        TypedDensityDialog& dialog = program.windows.TypedDensity();
        dialog.findChild<QLineEdit*>("Edit1")->setText("1.2");
        dialog.findChild<QLineEdit*>("Edit2")->setText("4");
        auto ok = WhenModal<TypedDensityDialog>([](TypedDensityDialog* shown) {
            QTest::mouseClick(shown->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(program.state.AirDensity, 1.2);
        QCOMPARE(program.state.WindSpeed, 4.0);
        QCOMPARE(program.status(), QStringLiteral("Nie można zapisać pliku „dialog.sav”: to nie "
                                                  "jest zwykły plik, lecz katalog."));
        QVERIFY(QFileInfo("dialog.sav").isDir());
    }
};

WYW_GUI_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
