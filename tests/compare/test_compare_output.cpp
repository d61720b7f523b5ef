// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison table on paper and in a CSV file, read back from disk.
#include "calc/number_format.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "compare_test_support.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// The fields of one CSV line: comma-separated, a quoted field may hold commas
// and doubled quotes.
QStringList CsvFields(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields << field;
            field.clear();
        } else {
            field += ch;
        }
    }
    fields << field;
    return fields;
}

QString Name(int model)
{
    // The comparison names the models by the captions of the choice dialog.
    const std::string_view name = VentilatorCaption(model);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString PdfText(const QString& path)
{
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Models 1, 15, 18 and 19 find no point in a hall duct of 0.12 m, 1 m long, at 15 m/s.
CalcState StateWithMissingPoints()
{
    return ChosenState(HallState(1.2, 15.0, 0.12, 1.0), 5);
}

} // namespace

class TestCompareOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    void csvOnDisk()
    {
        // The numbers must keep their points under the Polish locale.
        QVERIFY(QString(setlocale(LC_NUMERIC, nullptr)).startsWith("pl_PL"));
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        form.Refresh();
        const Outcome exported = form.ExportCsv("porownanie.csv");
        QVERIFY2(exported, exported.Reason().c_str());
        QCOMPARE(directory.entries(), QStringList{"porownanie.csv"});

        QFile file(directory.filePath("porownanie.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(text.endsWith("\r\n"));
        const QStringList lines = text.chopped(2).split("\r\n");
        QCOMPARE(lines.size(), 1 + kVentilatorCount);
        QCOMPARE(lines[0], QString("Nr,Wywietrznik,Q [m3/s],Qh [m3/h],DPsw [Pa],"
                                   "c [m/s],Dn [m],Dn wobec D,v [m/s]"));

        const QRegularExpression number("^[0-9]+\\.[0-9]{4}$");
        std::vector<int> seen;
        double previous = 1e300;
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList fields = CsvFields(lines[i]);
            QCOMPARE(fields.size(), 9);
            QCOMPARE(fields[8], QString("15.00"));
            const int model = fields[0].toInt();
            seen.push_back(model);
            QCOMPARE(fields[1], Name(model));
            const ComparisonRow row =
                BuildComparisonRows(state)[static_cast<std::size_t>(model - 1)];
            if (row.HasPoint()) {
                for (int column = kColumnFlow; column <= kColumnVelocity; ++column) {
                    QVERIFY2(number.match(fields[column]).hasMatch(), qPrintable(lines[i]));
                    QCOMPARE(fields[column], QString::fromStdString(ComparisonCell(row, column)));
                }
                // In the table's order: Qh, largest first.
                QVERIFY(fields[3].toDouble() <= previous);
                previous = fields[3].toDouble();
            } else {
                QCOMPARE(fields.mid(2, 4), (QStringList{"brak punktu pracy", "", "", ""}));
            }
        }
        QCOMPARE(std::vector<int>(seen.end() - 4, seen.end()), (std::vector<int>{1, 15, 18, 19}));
        std::sort(seen.begin(), seen.end());
        for (int i = 0; i < kVentilatorCount; ++i)
            QCOMPARE(seen[static_cast<std::size_t>(i)], i + 1);
        // The caption of the choice dialog, not the catalogue name.
        QVERIFY(text.contains("\r\n3,TRAVEN/M-150,"));
    }

    void csvFollowsTheShownOrder()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        ClickHeader(form, kColumnNumber);
        QVERIFY(form.ExportCsv("nr.csv"));
        QFile file(directory.filePath("nr.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
        std::vector<int> numbers = ShownNumbers(form);
        for (int i = 0; i < kVentilatorCount; ++i)
            QCOMPARE(CsvFields(lines[i + 1])[0].toInt(), numbers[static_cast<std::size_t>(i)]);
    }

    void csvFailureLeavesNothing()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        form.Refresh();
        QCOMPARE(
            ReasonOf(form.ExportCsv("brak/porownanie.csv")),
            QString("Nie można zapisać pliku „brak/porownanie.csv”: nie ma takiego katalogu."));
        QCOMPARE(directory.entries(), QStringList());

        // Without a file name nothing can be written either.
        QCOMPARE(ReasonOf(form.ExportCsv("")), QString("Nie podano nazwy pliku CSV."));
        QCOMPARE(directory.entries(), QStringList());
    }

    void noInputsNoCsv()
    {
        TemporaryWorkingDirectory directory;
        CalcState state;
        ResetCalcState(state);
        CompareWindow form(state, {});
        form.Refresh();
        QVERIFY(
            ReasonOf(form.ExportCsv("porownanie.csv")).startsWith("Brak danych do porównania."));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("tabela.pdf"));
        QVERIFY(form.PrintTable(printer).Failed());
        QCOMPARE(directory.entries(), QStringList());
    }

    void csvButton()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        {
            auto watch = WhenModal<QFileDialog>(
                [&](QFileDialog* dialog) { TypeFileName(dialog, directory.filePath("wyniki")); });
            QTest::mouseClick(form.findChild<QPushButton*>("CsvButton"), Qt::LeftButton);
            QVERIFY(watch->acted());
        }
        QCOMPARE(directory.entries(), QStringList{"wyniki.csv"});

        QString message;
        {
            auto watch = WhenModal<QFileDialog>(
                [&](QFileDialog* dialog) { TypeFileName(dialog, "/proc/wyniki.csv"); });
            auto box = WhenModal<QMessageBox>([&](QMessageBox* shown) {
                message = shown->text();
                shown->accept();
            });
            QTest::mouseClick(form.findChild<QPushButton*>("CsvButton"), Qt::LeftButton);
            QTRY_VERIFY(box->acted());
        }
        QVERIFY2(message.startsWith("Nie można zapisać pliku „/proc/wyniki.csv”"),
                 qPrintable(message));
    }

    // The file dialog's filter chooses the form; model 5 of the hall example.
    void csvFormChosenByTheFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("model5");
        QTest::newRow("Polish, the first offered")
            << QString() << "Prędkość wiatru = 4.00 [m/s]"
            << "Nr;Wywietrznik;Q [m3/s];Qh [m3/h];DPsw [Pa];c [m/s];"
               "Dn [m];Dn wobec D"
            << "5;KALMO-160;0,0426;153,3861;3,7752;2,1191;0,160;równy";
        const QString plain = "Nr,Wywietrznik,Q [m3/s],Qh [m3/h],DPsw [Pa],"
                              "c [m/s],Dn [m],Dn wobec D,v [m/s]";
        QTest::newRow("comma and point")
            << "CSV – przecinek, kropka dziesiętna (*.csv)" << plain << plain
            << "5,KALMO-160,0.0426,153.3861,3.7752,2.1191,0.160,równy,4.00";
    }
    void csvFormChosenByTheFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, first);
        QFETCH(QString, header);
        QFETCH(QString, model5);
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        auto watch = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            if (!filter.isEmpty())
                dialog->selectNameFilter(filter);
            TypeFileName(dialog, directory.filePath("tabela"));
        });
        QTest::mouseClick(form.findChild<QPushButton*>("CsvButton"), Qt::LeftButton);
        QVERIFY(watch->acted());
        QFile file(directory.filePath("tabela.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
        QCOMPARE(lines[0], first);
        QVERIFY2(lines.contains(header), qPrintable(lines.join("\n")));
        QVERIFY2(lines.contains(model5), qPrintable(lines.join("\n")));
    }

    void printedToPdf()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        form.Refresh();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("tabela.pdf"));
        const Outcome done = form.PrintTable(printer);
        QVERIFY2(done, done.Reason().c_str());
        const QString text = PdfText(directory.filePath("tabela.pdf"));
        QVERIFY(text.contains("Porównanie wywietrzników"));
        QVERIFY(text.contains("Gęstość powietrza = 1.200 [kg/m3]"));
        QVERIFY(text.contains("Prędkość wiatru = 15.00 [m/s]"));
        for (const char* header :
             {"Nr", "Wywietrznik", "Q [m3/s]", "Qh [m3/h]", "DPsw [Pa]", "c [m/s]"})
            QVERIFY2(text.contains(header), header);
        const std::vector<ComparisonRow> rows = BuildComparisonRows(state);
        int missing = 0;
        for (const ComparisonRow& row : rows) {
            QVERIFY2(text.contains(Name(row.number).trimmed()), qPrintable(Name(row.number)));
            if (row.HasPoint())
                QVERIFY(
                    text.contains(QString::fromStdString(ComparisonCell(row, kColumnFlowPerHour))));
            else
                ++missing;
        }
        QCOMPARE(missing, 4);
        QCOMPARE(text.count("brak punktu pracy"), 4);
        // The rows in the table's order: each row's line begins with its number.
        std::vector<int> printed;
        const QRegularExpression rowLine("^\\s*([0-9]+)\\s+\\S");
        for (const QString& line : text.split('\n')) {
            const QRegularExpressionMatch match = rowLine.match(line);
            if (match.hasMatch())
                printed.push_back(match.captured(1).toInt());
        }
        QCOMPARE(printed, ShownNumbers(form));
    }

    // The printout and the Polish CSV say what their numbers are for: the
    // draught ticked and a need of 100 m3/h typed in the window.
    void conditionsStated()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QTest::mouseClick(form.findChild<QCheckBox*>("StackEnabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QTest::keyClicks(form.findChild<QLineEdit*>("NeededFlowEdit"), "100");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("tabela.pdf"));
        QVERIFY(form.PrintTable(printer));
        QVERIFY(form.ExportCsv(directory.filePath("tabela.csv"), CsvForm::Polish));
        QFile file(directory.filePath("tabela.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString csv = QString::fromUtf8(file.readAll());
        const QString pdf = PdfText(directory.filePath("tabela.pdf")).simplified();
        for (const QString& line :
             {QString("Prędkość wiatru = 4.00 [m/s]"),
              QString("Ciąg grawitacyjny: ti = 20.0 [°C], te = 12.0 [°C], H = 5.00 [m], Δps = "
                      "%1 [Pa]")
                  .arg(QString::fromStdString(FormatFixed(StackPressure({20.0, 12.0, 5.0}), 4))),
              QString("Wymagana wydajność Qh = 100.0 [m3/h]"),
              QString("Proponowany: BIVA-160 poprzecznie (nr 12)")}) {
            QVERIFY2(pdf.contains(line), qPrintable(line));
            QVERIFY2(csv.contains(line), qPrintable(line));
        }
        // The suggested row is marked as in the window: its name says so
        // (the CSV has its column "Proponowany" instead).
        QCOMPARE(pdf.count("– proponowany"), 1);
        QVERIFY(pdf.contains(QRegularExpression("12 BIVA-160 poprzecznie – proponowany [0-9]")));
    }

    // The command line's --all --need gives the window's table: the same
    // CSV as the window exports, and the same suggestion.
    void commandLineTable_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("150,5") << "150,5"
                               << "150.5"
                               << "5\tKALMO-160\t";
        QTest::newRow("100") << "100"
                             << "100"
                             << "27\tMIRT-160\t";
    }
    void commandLineTable()
    {
        QFETCH(QString, typed);
        QFETCH(QString, option);
        QFETCH(QString, suggested);
        TemporaryWorkingDirectory directory;
        CalcState state = ChosenState(HallState(1.2, 4.0, 0.16, 5.0), 5);
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        QTest::keyClicks(form.findChild<QLineEdit*>("NeededFlowEdit"), typed);
        QVERIFY(form.ExportCsv(directory.filePath("okno.csv")));
        QFile file(directory.filePath("okno.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        auto run = [&](const QString& format, std::string& out) {
            std::string err;
            const CliParseResult parsed = ParseCliArguments(
                QStringList{"wywietrznik-cli"} +
                QString("--density 1.2 --wind 4 --round 0.16 --hall 5 --all --need %1 --format %2")
                    .arg(option, format)
                    .split(' '));
            return RunCli(*CommandOf<CliRequest>(parsed), out, err);
        };
        std::string csv;
        QCOMPARE(run("csv", csv), 0);
        QCOMPARE(QString::fromStdString(csv), QString::fromUtf8(file.readAll()));
        std::string text;
        QCOMPARE(run("text", text), 0);
        const QStringList lines = QString::fromStdString(text).split('\n');
        const auto row = std::find_if(lines.begin(), lines.end(),
                                      [](const QString& line) { return line.endsWith("\ttak"); });
        QVERIFY(row != lines.end());
        QVERIFY2(row->startsWith(suggested), qPrintable(*row));
        QVERIFY(ParseCliArguments(QStringList{"wywietrznik-cli", "--density", "1", "--wind", "4",
                                              "--round", "0.16", "--hall", "5", "--all", "--need",
                                              "150abc"})
                    .Failed());
    }

    void printFailure()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        form.Refresh();
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("brak/tabela.pdf"));
        QCOMPARE(ReasonOf(form.PrintTable(printer)), "Nie można zapisać pliku „" +
                                                         directory.filePath("brak/tabela.pdf") +
                                                         "”: nie ma takiego katalogu.");
        QCOMPARE(directory.entries(), QStringList());
    }

    void printButton()
    {
        TemporaryWorkingDirectory directory;
        CalcState state = StateWithMissingPoints();
        CompareWindow form(state, {});
        QVERIFY(OpenWindow(form));
        const QString path = directory.filePath("przycisk.pdf");
        auto watch = WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("filename");
            QVERIFY(name != nullptr);
            name->setText(path);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::mouseClick(form.findChild<QPushButton*>("PrintButton"), Qt::LeftButton);
        QVERIFY(watch->acted());
        QVERIFY(PdfText(path).contains("Porównanie wywietrzników"));
    }
};

WYW_GUI_TEST_MAIN(TestCompareOutput)
#include "test_compare_output.moc"
