// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"
#include "calc/inputs.h"

#include "app/main_window.h"
#include "app/printing.h"
#include "app/program_windows.h"
#include "report/report_lines.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A print target that keeps every step asked of it.
class RecordingPrinter final : public PrintCanvas {
public:
    void SetFont(const QFont& font) override
    {
        steps << QStringLiteral("font %1 %2").arg(font.family()).arg(font.pointSize());
    }
    Outcome BeginDoc() override
    {
        steps << QStringLiteral("begin");
        return {};
    }
    void DrawText(int x, int y, const QString& text) override
    {
        steps << QStringLiteral("text");
        texts.DrawText(x, y, text);
    }
    Outcome EndDoc() override
    {
        steps << QStringLiteral("end");
        return {};
    }

    QStringList steps;
    RecordingCanvas texts;
};

struct PdfWord {
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct PdfPage {
    double width = 0, height = 0;
    QList<PdfWord> words;
};

// The pages of a PDF file with every word and its box in points, from
// "pdftotext -bbox".
QList<PdfPage> ReadPdf(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QList<PdfPage> pages;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages.append(PdfPage{a.value("width").toDouble(), a.value("height").toDouble(), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.isEmpty()) {
            PdfWord word{a.value("xMin").toDouble(),
                         a.value("yMin").toDouble(),
                         a.value("xMax").toDouble(),
                         a.value("yMax").toDouble(),
                         {}};
            // Ligatures ("ﬁ") read back as their letters.
            word.text = xml.readElementText().normalized(QString::NormalizationForm_KC);
            pages.last().words.append(word);
        }
    }
    return pages;
}

// The words of a page grouped into lines by their top, in order.
QList<QPair<double, QStringList>> Lines(const PdfPage& page)
{
    QList<QPair<double, QStringList>> lines;
    for (const PdfWord& word : page.words) {
        if (!lines.isEmpty() && std::abs(lines.last().first - word.yMin) < 1.0)
            lines.last().second << word.text;
        else
            lines.append({word.yMin, {word.text}});
    }
    return lines;
}

QStringList Words(const std::string& text)
{
    return QString::fromStdString(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct Program {
    TemporaryWorkingDirectory directory;
    CalcState state;
    ProgramWindows windows{state, QStringList{directory.path()}};

    MainWindow& form() { return windows.Main(); }
    void print() { form().findChild<QAction*>(QStringLiteral("FilePrintItem"))->trigger(); }
};

// Confirms the print dialog with its OK button, as the user would.
std::unique_ptr<ModalWatch> ConfirmPrintDialog()
{
    return WhenModal<QPrintDialog>([](QPrintDialog* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

} // namespace

Q_DECLARE_METATYPE(CalcState)

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        InstallProgramFontSubstitute();
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils) is needed");
    }

    void printedPositions_data()
    {
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("hall, round duct")
            << HallRoundDuct() << QList<int>{0, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13};
        QTest::newRow("building, rectangular duct")
            << BuildingRectangular()
            << QList<int>{0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19};
        CalcState buildingRound = BuildingRectangular();
        buildingRound.DuctRound = 1;
        buildingRound.DuctDiameter = 0.16;
        QTest::newRow("building, round duct")
            << buildingRound
            << QList<int>{0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18};
    }

    void printedPositions()
    {
        QFETCH(CalcState, state);
        QFETCH(QList<int>, rows);
        RecordingPrinter printer;
        QVERIFY(PrintReport(printer, state));

        QStringList expectedSteps{QStringLiteral("font MS Sans Serif 12"), QStringLiteral("begin")};
        for (int i = 0; i < rows.size(); ++i)
            expectedSteps << QStringLiteral("text");
        expectedSteps << QStringLiteral("end");
        QCOMPARE(printer.steps, expectedSteps);

        const auto& texts = printer.texts.Texts();
        QCOMPARE(int(texts.size()), rows.size());
        const std::vector<ReportLine> lines = BuildReport(state, ReportVariant::Printer);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(texts[i].x, 200);
            QCOMPARE(texts[i].y, 200 + 120 * rows[i]);
            QCOMPARE(texts[i].text, QString::fromStdString(lines[i].text));
        }
    }

    void noDocumentWithoutAResult_data()
    {
        QTest::addColumn<int>("printable");
        QTest::newRow("0") << 0;
        QTest::newRow("2") << 2;
        QTest::newRow("-1") << -1;
    }

    void noDocumentWithoutAResult()
    {
        QFETCH(int, printable);
        CalcState state = HallRoundDuct();
        state.ResultsPrintable = printable;
        RecordingPrinter printer;
        QVERIFY(PrintReport(printer, state));
        // The font is set, then the gate stops before any document.
        QCOMPARE(printer.steps, QStringList{QStringLiteral("font MS Sans Serif 12")});
    }

    // "Karta doboru…" of the main window: refused before a calculation, one
    // page after it.
    void selectionSheetOfTheCalculation()
    {
        Program program;
        const QString path = program.directory.path() + QStringLiteral("/karta.pdf");
        const Outcome refused = program.form().SaveSheet(path, {}, {});
        QCOMPARE(QString::fromStdString(refused.Reason()),
                 QStringLiteral("Nie ma jeszcze obliczeń, z których można sporządzić kartę "
                                "doboru. Wykonaj najpierw obliczenia (Obliczenia → Nowe "
                                "obliczenia)."));
        QVERIFY(!QFile::exists(path));
        program.state = HallRoundDuct();
        program.state.VentilatorIndex = 5;
        ApplyRoundDuct(program.state, 0.16);
        QVERIFY(program.form().SaveSheet(path, QStringLiteral("Hala"), QStringLiteral("W1")));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll().count("/Type /Page\n"), 1);
    }

    void printerWorksInTheProgramsUnits()
    {
        Program program;
        QPrinter& printer = program.windows.Printer();
        QCOMPARE(printer.resolution(), 600);
        QVERIFY(!printer.fullPage());
        printer.setResolution(300);
        printer.setFullPage(true);
        ConfigurePrinter(printer);
        QCOMPARE(printer.resolution(), 600);
        QVERIFY(!printer.fullPage());
    }

    void printToPdfThroughTheDialog()
    {
        Program program;
        program.state = BuildingRectangular();
        const QString file = program.directory.filePath(QStringLiteral("raport.pdf"));
        QPrinter& printer = program.windows.Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);

        auto confirm = ConfirmPrintDialog();
        program.print();
        QVERIFY(confirm->acted());
        QVERIFY(QFileInfo(file).size() > 0);

        const QList<PdfPage> pages = ReadPdf(file);
        QCOMPARE(pages.size(), 1);
        const PdfPage& page = pages.front();
        // The origin is the top-left of the printable area; 600 units an inch.
        const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
        const auto points = [](int units) { return units * 72.0 / 600.0; };

        const std::vector<ReportLine> report = BuildReport(program.state, ReportVariant::Printer);
        const auto lines = Lines(page);
        QCOMPARE(lines.size(), int(report.size()));
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].second, Words(report[std::size_t(i)].text));
            const double top = origin.y() + points(200 + 120 * report[std::size_t(i)].row);
            QVERIFY2(std::abs(lines[i].first - top) < 3.0,
                     qPrintable(QStringLiteral("line %1 at %2, expected %3")
                                    .arg(i)
                                    .arg(lines[i].first)
                                    .arg(top)));
        }
        // Every line starts at x = 200 units; the indented ones three blanks on.
        const PdfWord& first = page.words.front();
        QCOMPARE(first.text, QStringLiteral("Program"));
        QVERIFY(std::abs(first.xMin - (origin.x() + points(200))) < 1.5);
        // The storey lines print the number right after "=", and the results
        // title without a colon.
        QStringList all;
        for (const auto& line : lines)
            all << line.second.join(QLatin1Char(' '));
        QVERIFY(all.contains(QStringLiteral("Ilość kondygnacji=5 [-]")));
        QVERIFY(all.contains(QStringLiteral("Wysokość jednej kondygnacji=3.00 [m]")));
        QVERIFY(all.contains(QStringLiteral("Obliczone wartości")));
        // 12 points high on paper: the header's box is about 12 to 15 points.
        const double height = first.yMax - first.yMin;
        QVERIFY2(height > 11.0 && height < 16.0, qPrintable(QString::number(height)));
        // The last row, 19, stands 2480 units down.
        QVERIFY(std::abs(lines.last().first - (origin.y() + points(2480))) < 3.0);
    }

    void speedButtonPrintsToo()
    {
        Program program;
        program.state = HallRoundDuct();
        const QString file = program.directory.filePath(QStringLiteral("przycisk.pdf"));
        program.windows.Printer().setOutputFileName(file);
        auto confirm = ConfirmPrintDialog();
        QTest::mouseClick(program.form().findChild<QToolButton*>(QStringLiteral("PrintToolButton")),
                          Qt::LeftButton);
        QVERIFY(confirm->acted());
        const QList<PdfPage> pages = ReadPdf(file);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(Lines(pages.front()).size(), 12);
    }

    void cancelledDialogPrintsNothing_data()
    {
        QTest::addColumn<int>("printable");
        QTest::newRow("with a result") << 1;
        QTest::newRow("without a result") << 0;
    }

    void cancelledDialogPrintsNothing()
    {
        QFETCH(int, printable);
        Program program;
        program.state = HallRoundDuct();
        program.state.ResultsPrintable = printable;
        const QString file = program.directory.filePath(QStringLiteral("anulowany.pdf"));
        program.windows.Printer().setOutputFileName(file);
        auto cancel = WhenModal<QPrintDialog>([](QPrintDialog* dialog) {
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        });
        auto noBox = WhenModal<QMessageBox>([](QMessageBox* box) { box->accept(); }, 1000);
        program.print();
        QVERIFY(cancel->acted());
        QVERIFY(!QFile::exists(file));
        QTest::qWait(50);
        QVERIFY(!noBox->acted());
        QVERIFY(program.directory.entries().isEmpty());
    }

    void confirmedWithoutAResultPrintsNothing()
    {
        Program program; // the state as at start-up: nothing printable
        const QString file = program.directory.filePath(QStringLiteral("pusty.pdf"));
        program.windows.Printer().setOutputFileName(file);
        auto confirm = ConfirmPrintDialog();
        auto noBox = WhenModal<QMessageBox>([](QMessageBox* box) { box->accept(); }, 1000);
        program.print();
        QVERIFY(confirm->acted());
        QVERIFY(!QFile::exists(file));
        QTest::qWait(50);
        QVERIFY(!noBox->acted());
        // Printing the result later still works with the same printer.
        program.state = HallRoundDuct();
        auto again = ConfirmPrintDialog();
        program.print();
        QVERIFY(again->acted());
        QVERIFY(QFileInfo(file).size() > 0);
    }

    void unwritablePrintIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        // A "directory" that is a plain file: not even root can write below it.
        QTest::newRow("below a plain file") << "plik/raport.pdf"
                                            << "nie ma takiego katalogu";
        // A pipe would block the print for ever if it were opened.
        QTest::newRow("FIFO") << "potok.pdf"
                              << "to nie jest zwykły plik, lecz potok (FIFO)";
    }

    void unwritablePrintIsReported()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Program program;
        program.state = HallRoundDuct();
        QFile blocker(program.directory.filePath(QStringLiteral("plik")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(mkfifo(qPrintable(program.directory.filePath("potok.pdf")), 0666) == 0);
        const QString file = program.directory.filePath(name);
        program.windows.Printer().setOutputFileName(file);

        // The dialog is confirmed as it stands (the file became unwritable after
        // it was chosen), so the failure reaches the print itself.
        auto confirm =
            WhenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->done(QDialog::Accepted); });
        QString text, caption;
        auto box = WhenModal<QMessageBox>([&](QMessageBox* shown) {
            text = shown->text();
            caption = shown->windowTitle();
            shown->accept();
        });
        program.print();
        QVERIFY(confirm->acted());
        QVERIFY(box->acted());
        QCOMPARE(text, QStringLiteral("Nie można zapisać pliku „%1”: %2.").arg(file, reason));
        QCOMPARE(caption, QStringLiteral("Program doboru wywietrzników firmy KORVANT"));
        // No temporary is left, and the pipe is still a pipe.
        QCOMPARE(program.directory.entries(), QStringList{"plik"});
        const QFileInfo pipe(program.directory.filePath("potok.pdf"));
        QVERIFY(pipe.exists() && !pipe.isFile());
        QCOMPARE(program.windows.Printer().outputFileName(), file);

        // The program goes on: the next print to a writable file succeeds.
        const QString good = program.directory.filePath(QStringLiteral("dobry.pdf"));
        program.windows.Printer().setOutputFileName(good);
        auto confirm2 = ConfirmPrintDialog();
        program.print();
        QVERIFY(confirm2->acted());
        QVERIFY(QFileInfo(good).size() > 0);
    }

    void failedBeginGivesAPolishReason()
    {
        TemporaryWorkingDirectory directory;
        QPrinter printer;
        ConfigurePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString file = directory.filePath(QStringLiteral("brak/katalogu/x.pdf"));
        printer.setOutputFileName(file);
        PrinterCanvas canvas(printer);
        QCOMPARE(
            ReasonOf(PrintReport(canvas, HallRoundDuct())),
            QStringLiteral("Nie można zapisać pliku „%1”: nie ma takiego katalogu.").arg(file));
        QVERIFY(directory.entries().isEmpty());
    }

    // "Ustawienia drukarki" is the print dialog in set-up mode on the
    // program's printer: the output chosen there is where the next print goes.
    void printerSetUpConfiguresTheSamePrinter()
    {
        Program program;
        program.state = HallRoundDuct();
        const QString file = program.directory.filePath(QStringLiteral("ustawienia.pdf"));
        QPrinter* seen = nullptr;
        QString title;
        QString okText;
        auto setup = WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            seen = dialog->printer();
            title = dialog->windowTitle();
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            okText = buttons->button(QDialogButtonBox::Ok)->text();
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                name->setText(file);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QTest::mouseClick(
            program.form().findChild<QToolButton*>(QStringLiteral("PrintSetupToolButton")),
            Qt::LeftButton);
        QVERIFY(setup->acted());
        QCOMPARE(seen, &program.windows.Printer());
        QCOMPARE(title, QStringLiteral("Ustawienia drukarki"));
        QCOMPARE(okText, QStringLiteral("OK"));
        QCOMPARE(program.windows.Printer().outputFileName(), file);

        auto confirm = ConfirmPrintDialog();
        program.print();
        QVERIFY(confirm->acted());
        QCOMPARE(ReadPdf(file).size(), 1);
    }

    void printDialogWorksOnTheProgramsPrinter()
    {
        Program program;
        QPrinter* seen = nullptr;
        QString name;
        auto cancel = WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            seen = dialog->printer();
            name = dialog->objectName();
            dialog->reject();
        });
        program.print();
        QVERIFY(cancel->acted());
        QCOMPARE(seen, &program.windows.Printer());
        QCOMPARE(name, QStringLiteral("PrintDialog"));
    }
};

WYW_GUI_TEST_MAIN(TestPrinting)
#include "test_printing.moc"
