// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/xlsx_file.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

Run RunCli(const QStringList& arguments)
{
    return RunProgram(WYW_CLI_PROGRAM, arguments);
}

void Save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Reads a sheet of the workbook back with openpyxl and compares each cell with
// the plain CSV's cell under the same header: a number of the CSV must be a
// number in the workbook, equal to it; any other text the same text. Prints
// the differences, then: rows of the sheet and of the CSV, columns, numbers
// compared, the frozen cell, the filter, the red texts and the sheets.
const char* const kCompare = R"(
import csv, re, sys
import openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheet = book[sys.argv[3]]
with open(sys.argv[2], newline='', encoding='utf-8') as f:
    table = list(csv.reader(f))
number = re.compile(r'-?[0-9]+(\.[0-9]+)?$')
rows = list(sheet.iter_rows())
header = [c.value for c in rows[0]]
columns = {name: i for i, name in enumerate(table[0])}
numbers = 0
for cells, line in zip(rows[1:], table[1:]):
    for name, cell in zip(header, cells):
        text = line[columns[name]]
        if number.match(text):
            ok = type(cell.value) in (int, float) and cell.value == float(text)
            numbers += ok
        else:
            ok = cell.value == (text or None)
        if not ok:
            print('różnica', cell.coordinate, repr(cell.value), repr(text))
red = sorted({c.value for row in rows for c in row
              if c.font.color is not None and c.font.color.rgb == 'FFFF0000'})
print(len(rows) - 1, len(table) - 1, len(header), numbers, sheet.freeze_panes,
      sheet.auto_filter.ref, red, book.sheetnames)
)";

QString CompareSheet(const QString& xlsx, const QString& csv, const QString& sheet)
{
    const Run run = RunProgram(WYW_PYTHON3, {"-c", kCompare, xlsx, csv, sheet});
    return QString::fromUtf8(run.out) + run.err;
}

} // namespace

class TestCliXlsx : public QObject {
    Q_OBJECT
private slots:
    // The workbook of the template and of the 27 models holds the plain CSV's
    // cells, numbers as numbers; the header frozen, a filter on, "NIE
    // SPEŁNIA" red.
    void workbookHoldsTheCsv_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("expected");
        QTest::newRow("schedule")
            << QStringList{"--schedule", "blok.wyw"} << 1 << "Przewody"
            << "15 15 29 215 A2 A1:AC16 ['NIE SPEŁNIA'] ['Założenia', 'Przewody', "
               "'Podsumowanie']\n";
        QTest::newRow("all models")
            << QStringList{"--density", "1.2", "--wind", "4",      "--round", "0.16",
                           "--hall",    "5",   "--all",  "--need", "100"}
            << 0 << "Wywietrzniki"
            << "27 27 11 162 A2 A1:K28 [] ['Założenia', 'Wywietrzniki']\n";
    }
    void workbookHoldsTheCsv()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const QString wyw = dir.filePath("blok.wyw");
        Save(wyw, RunCli({"--schedule-template"}).out);
        arguments.replaceInStrings("blok.wyw", wyw);
        const Run csv = RunCli(arguments + QStringList{"--format", "csv"});
        Save(dir.filePath("plain.csv"), csv.out);
        const QString xlsx = dir.filePath("zestawienie.xlsx");
        const Run book = RunCli(arguments + QStringList{"--format", "xlsx", "--output", xlsx});
        QTEST(book.status, "status");
        QCOMPARE(book.out, QByteArray());
        QFETCH(QString, sheet);
        QTEST(CompareSheet(xlsx, dir.filePath("plain.csv"), sheet), "expected");
    }

    // A directory in place of the file: nothing written, status 4, the reason.
    void refusedWrite()
    {
        QTemporaryDir dir;
        const QString wyw = dir.filePath("blok.wyw");
        Save(wyw, RunCli({"--schedule-template"}).out);
        const Run run = RunCli({"--schedule", wyw, "--format", "xlsx", "--output", dir.path()});
        QCOMPARE(run.status, 4);
        QCOMPARE(run.err, "wywietrznik-cli: Nie można zapisać pliku „" + dir.path() +
                              "”: to nie jest zwykły plik, lecz katalog.\n");
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    // What the library refuses becomes a Polish reason, and no bytes.
    void libraryRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("reason");
        QTest::newRow("sheet name") << "a/b" << 1
                                    << "Nie można utworzyć skoroszytu XLSX: niedozwolona nazwa "
                                       "arkusza „a/b”.";
        QTest::newRow("long text") << "Przewody" << 32768
                                   << "Nie można utworzyć skoroszytu XLSX: tekst w arkuszu "
                                      "„Przewody”, komórka A2, ma więcej niż 32767 znaków – tyle "
                                      "mieści komórka skoroszytu.";
    }
    void libraryRefusals()
    {
        QFETCH(QString, name);
        QFETCH(int, length);
        WorkbookSheet sheet{name.toStdString(), {{"Przewód"}, {}}, {}};
        sheet.table.rows.push_back(
            {MakeWorkbookCell(std::string(static_cast<std::size_t>(length), 'x'))});
        const Result<QByteArray> bytes = XlsxBytes({sheet});
        QVERIFY(bytes.Failed());
        QTEST(QString::fromStdString(bytes.Reason()), "reason");
    }
};

QTEST_GUILESS_MAIN(TestCliXlsx)
#include "test_cli_xlsx.moc"
