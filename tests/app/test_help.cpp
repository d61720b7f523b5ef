// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"

#include "app/help_engine.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

namespace {

// The program's help document as the build writes it, with its version.
const QString kSourceDocument = QStringLiteral(WYW_HELP_SOURCE);

void CopyDocumentInto(const QString& directory)
{
    QVERIFY(QFile::copy(kSourceDocument, QDir(directory).filePath("wywietrznik_pl.html")));
}

QString ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Where on the browser's viewport the link to the anchor is written.
QPoint LinkPlace(QTextBrowser* browser, const QString& href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                return browser->cursorRect(cursor).center();
            }
        }
    }
    return QPoint(-1, -1);
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        InstallProgramFontSubstitute();
        QVERIFY(QFile::exists(kSourceDocument));
    }

    void helpFileNameMapsToTheDocument_data()
    {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<QString>("document");
        QTest::newRow("the program's") << "wywietrznik_pl.hlp"
                                       << "wywietrznik_pl.html";
        QTest::newRow("other name") << "inny.HLP"
                                    << "inny.html";
        QTest::newRow("none") << ""
                              << "";
    }

    void helpFileNameMapsToTheDocument()
    {
        QFETCH(QString, helpFile);
        QFETCH(QString, document);
        HelpEngine engine({});
        engine.SetHelpFile(helpFile);
        QCOMPARE(engine.HelpFile(), helpFile);
        QCOMPARE(engine.DocumentName(), document);
    }

    void searchesBesideTheProgramThenTheDataDirectory()
    {
        const QStringList directories = HelpEngine::DefaultSearchDirectories();
        QCOMPARE(directories.size(), 2);
        QCOMPARE(directories[0], QCoreApplication::applicationDirPath());
        QCOMPARE(directories[1], QStringLiteral(WYW_EXPECTED_DATA_DIR));
    }

    void theBuildPutsTheDocumentWithItsVersionBesideTheProgram()
    {
        const QString beside =
            QDir(QStringLiteral(WYW_PROGRAM_DIR)).filePath("wywietrznik_pl.html");
        QVERIFY(QFile::exists(beside));
        // The version of the program, not one written by hand.
        QVERIFY(ReadAll(beside).contains(
            QStringLiteral("Pomoc programu, wersja " WYW_PROJECT_VERSION ". Wybierz temat:")));
    }

    void firstDirectoryHoldingTheDocumentWins()
    {
        QTemporaryDir empty, second, third;
        CopyDocumentInto(second.path());
        CopyDocumentInto(third.path());
        HelpEngine engine({empty.path(), QString(), second.path(), third.path()});
        engine.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
        QCOMPARE(engine.FindDocument(), QDir(second.path()).filePath("wywietrznik_pl.html"));
    }

    void aDirectoryWithTheNameIsNotADocument()
    {
        QTemporaryDir directory;
        QVERIFY(QDir(directory.path()).mkdir("wywietrznik_pl.html"));
        HelpEngine engine({directory.path()});
        engine.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
        QVERIFY(engine.FindDocument().isEmpty());
    }

    void missingDocumentIsReportedNamingTheFile()
    {
        QTemporaryDir first, second;
        HelpEngine engine({first.path(), second.path()});
        engine.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
        QString text;
        auto watch = WhenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        QVERIFY(!engine.HelpCommand(HelpEngine::kHelpContents, 0, nullptr));
        QVERIFY(watch->acted());
        QVERIFY(text.contains(QStringLiteral("wywietrznik_pl.html")));
        QVERIFY(text.contains(QStringLiteral("wywietrznik_pl.hlp")));
        QVERIFY(text.contains(first.path()));
        QVERIFY(text.contains(second.path()));
        QCOMPARE(engine.Window(), nullptr);
    }

    void unknownCommandDoesNothing()
    {
        QTemporaryDir directory;
        CopyDocumentInto(directory.path());
        HelpEngine engine({directory.path()});
        engine.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
        QVERIFY(!engine.HelpCommand(1, 0, nullptr));
        QCOMPARE(engine.Window(), nullptr);
    }

    void contentsShownWithWorkingLinks()
    {
        QTemporaryDir directory;
        CopyDocumentInto(directory.path());
        HelpEngine engine({directory.path()});
        engine.SetHelpFile(QStringLiteral("wywietrznik_pl.hlp"));
        QVERIFY(engine.HelpCommand(HelpEngine::kHelpContents, 0, nullptr));
        HelpWindow* window = engine.Window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextBrowser* browser = window->Browser();
        const QString path = QDir(directory.path()).filePath("wywietrznik_pl.html");
        QCOMPARE(browser->source(), QUrl::fromLocalFile(path));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QCOMPARE(browser->documentTitle(),
                 QStringLiteral("Program doboru wywietrzników firmy KORVANT – pomoc"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Spis treści")));

        // A click on "Raport wyników" in the contents leads to that section.
        const QPoint link = LinkPlace(browser, QStringLiteral("#raport"));
        QVERIFY(link.x() >= 0);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
        QTRY_COMPARE(browser->source().fragment(), QStringLiteral("raport"));
        QVERIFY(browser->verticalScrollBar()->value() > 0);

        // Asking for the contents again brings the same window back to them.
        QVERIFY(engine.HelpCommand(HelpEngine::kHelpContents, 0, nullptr));
        QCOMPARE(engine.Window(), window);
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QVERIFY(window->isVisible());
    }

    void everyLinkOfTheDocumentHasItsSection()
    {
        const QString html = ReadAll(kSourceDocument);
        QSet<QString> anchors;
        for (const auto& match :
             QRegularExpression(QStringLiteral("name=\"([^\"]+)\"")).globalMatch(html))
            anchors.insert(match.captured(1));
        QStringList links;
        for (const auto& match :
             QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).globalMatch(html))
            links << match.captured(1);
        QVERIFY(links.size() > 20);
        for (const QString& link : links) {
            QVERIFY2(link.startsWith(QLatin1Char('#')), qPrintable(link));
            QVERIFY2(anchors.contains(link.mid(1)), qPrintable(link));
        }
        QVERIFY(anchors.contains(QStringLiteral("spis-tresci")));
    }

    void documentDescribesEveryWindowAndCommand_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"Wprowadzanie Ro",
                                 "Dobór parametrów",
                                 "Wybór kanału",
                                 "Parametry kanału",
                                 "Wybór współczynnika chropowatości",
                                 "Wybór typu instalacji",
                                 "Parametry hali",
                                 "Parametry budynku",
                                 "Wybór wywietrznika",
                                 "Nowe obliczenia",
                                 "Wybierz tylko wywietrznik",
                                 "Wydruk wyników",
                                 "Ustawienia drukarki",
                                 "Koniec",
                                 "Raport wyników",
                                 "Niewłaściwe obliczenia!!!",
                                 "Gęstość Ro [kg/m3]",
                                 "Prędkość wiatru [m/s]",
                                 "Temperatura [°C]",
                                 "Ciśnienie baryczne [hPa]",
                                 "Wilgotność względna [%]",
                                 "Średnica kanału [m]",
                                 "Szerokość [m]",
                                 "Dlugość kanału [m]",
                                 "Ilość kondygnacji",
                                 "Współczynnik strat kratki",
                                 "Otwarcie kratki",
                                 "dialog.sav"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }

    void documentDescribesEveryWindowAndCommand()
    {
        QFETCH(QString, text);
        static const QString plain = [] {
            QTextDocument document;
            document.setHtml(ReadAll(kSourceDocument));
            return document.toPlainText();
        }();
        QVERIFY(plain.contains(text));
    }

    void mainWindowCommandOpensTheHelp()
    {
        TemporaryWorkingDirectory directory;
        CopyDocumentInto(directory.path());
        CalcState state;
        ProgramWindows windows(state, {directory.path()});
        windows.Main().ShowMainWindow();
        windows.Main().findChild<QAction*>(QStringLiteral("HelpContentsItem"))->trigger();
        QCOMPARE(windows.Help().HelpFile(), QStringLiteral("wywietrznik_pl.hlp"));
        QVERIFY(windows.Help().Window());
        QVERIFY(windows.Help().Window()->isVisible());
        // The help window stays while the program goes on.
        QVERIFY(windows.Main().isVisible());
    }

    void mainWindowCommandWithoutTheDocument()
    {
        TemporaryWorkingDirectory directory;
        CalcState state;
        ProgramWindows windows(state, {directory.path()});
        windows.Main().ShowMainWindow();
        QString text;
        auto watch = WhenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        windows.Main().findChild<QAction*>(QStringLiteral("HelpContentsItem"))->trigger();
        QVERIFY(watch->acted());
        QVERIFY(text.contains(QStringLiteral("wywietrznik_pl.html")));
        QCOMPARE(windows.Help().Window(), nullptr);
        QVERIFY(windows.Main().isVisible());
    }
};

WYW_GUI_TEST_MAIN(TestHelp)
#include "test_help.moc"
