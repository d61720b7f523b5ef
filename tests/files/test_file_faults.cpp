// SPDX-License-Identifier: GPL-3.0-or-later
// The writers and the reader of files where the system fights back, and the
// quoting of the one CSV writer.
#include "files/csv.h"
#include "files/print_file.h"
#include "files/safe_file.h"
#include "gui_test_support.h"
#include "project/project_file.h"
#include "test_main.h"
#include "ui/print_document.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Fault {
    FullDiskPrint,
    TruncatedPdf,
    SizeLimit,
    TwoWriters,
    LongNames,
    LookAlikesAndHeld,
    LinkLoopRead,
    NameNotUtf8Read,
};

QByteArray Bytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QByteArray& name, const QByteArray& bytes)
{
    const int fd = open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return fd >= 0 && close(fd) == 0 && written;
}

// Prints a page of `lines` lines into `path` through the print guard.
Outcome Print(const QString& path, int lines)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintFileGuard file(printer);
    if (Outcome begun = file.Begin(); !begun)
        return begun;
    QPainter painter(&file.Device());
    for (int i = 0; i < lines; ++i)
        painter.drawText(100, 100 + 60 * i, QStringLiteral("Wydajność %1 m³/h").arg(i));
    painter.end();
    return file.Commit();
}

// How many of `saves` saves of dialog.sav failed.
int FailedSaves(char mark, int saves)
{
    int failed = 0;
    for (int i = 0; i < saves; ++i)
        failed += ReplaceFile("dialog.sav", QByteArray(100 + i, mark)).Failed() ? 1 : 0;
    return failed;
}

// Runs the fault in the current directory; the reason given, empty when the
// writer succeeded. `place` is where to look afterwards.
QString Run(Fault fault, QString& place)
{
    QByteArray polishName;
    for (int i = 0; i < 127; ++i)
        polishName += "ż";
    polishName += 'x';
    switch (fault) {
    case Fault::FullDiskPrint: {
        QDir().mkdir("disk");
        if (mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0)
            return "no mount";
        place = "disk";
        Outcome good = Print("disk/wydruk.pdf", 3);
        if (!good || !Write("disk/old.pdf", Bytes("disk/wydruk.pdf")))
            return "no good print";
        // Fills the disk to the last block.
        QFile filler("disk/filler");
        while (filler.open(QIODevice::Append) && filler.write(QByteArray(4096, 'x')) > 0 &&
               filler.flush())
            filler.close();
        return ReasonOf(Print("disk/wydruk.pdf", 40));
    }
    case Fault::TruncatedPdf: {
        Outcome good = Print("wydruk.pdf", 3);
        const QByteArray pdf = Bytes("wydruk.pdf");
        if (!good || !Write("old.pdf", pdf))
            return "no good print";
        return ReasonOf(ReplacePrintFile("wydruk.pdf", pdf.left(pdf.size() - 40)));
    }
    case Fault::SizeLimit: {
        if (!Write("old.sav", "1.20\n") || !Write("dialog.sav", "1.20\n"))
            return "no old file";
        std::signal(SIGXFSZ, SIG_IGN); // as both programs do
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{4096, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString reason = ReasonOf(ReplaceFile("dialog.sav", QByteArray(10000, '7')));
        setrlimit(RLIMIT_FSIZE, &saved);
        return reason;
    }
    case Fault::TwoWriters: {
        const pid_t other = fork();
        if (other == 0)
            _exit(std::min(FailedSaves('b', 300), 255));
        const int failed = FailedSaves('a', 300);
        int status = -1;
        waitpid(other, &status, 0);
        return failed == 0 && status == 0 ? QString() : QString("%1, %2").arg(failed).arg(status);
    }
    case Fault::LongNames:
        return ReasonOf(ReplaceFile(QFile::decodeName(QByteArray(255, 'a')), "1.0\n")) +
               ReasonOf(ReplaceFile(QFile::decodeName(polishName), "1.0\n")) +
               ReasonOf(ReplaceFile(QFile::decodeName(polishName), "2.0\n"));
    case Fault::LookAlikesAndHeld: {
        // The user's own files, one interrupted save and one save in progress.
        if (!Write("dialog.sav.tmp-kopia1", "1") || !Write("dialog.sav.tmp-Ab12Cd", "2") ||
            !Write(".dialog.sav.wyw-tmp-Zz99Yy", "3") || !Write(".dialog.sav.wyw-tmp-Ab12Cd", "4"))
            return "no files";
        const int held = open(".dialog.sav.wyw-tmp-Ab12Cd", O_RDONLY | O_CLOEXEC);
        flock(held, LOCK_EX);
        const QString reason = ReasonOf(ReplaceFile("dialog.sav", "1.0\n"));
        close(held);
        return reason;
    }
    case Fault::LinkLoopRead:
        symlink("loop.wyw", "loop.wyw");
        return ReasonOf(ReadProjectFile("loop.wyw"));
    case Fault::NameNotUtf8Read: {
        Write("\xff.wyw", "{}");
        const QString reason = ReasonOf(ReadProjectFile(QFile::decodeName("\xff.wyw")));
        unlink("\xff.wyw");
        return reason;
    }
    }
    return "unknown";
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestFileFaults : public QObject {
    Q_OBJECT
private slots:
    void hostileCases_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("reason"); // empty: written
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("print on a full disk")
            << Fault::FullDiskPrint
            << "Nie można zapisać pliku „disk/wydruk.pdf”: brak miejsca na dysku."
            << QStringList{"filler", "old.pdf", "wydruk.pdf"};
        QTest::newRow("print that did not end")
            << Fault::TruncatedPdf
            << "Wydruk nie został zapisany do pliku „wydruk.pdf”: dokument PDF nie został "
               "ukończony. Poprzedni plik pozostał bez zmian."
            << QStringList{"old.pdf", "wydruk.pdf"};
        QTest::newRow("file-size limit")
            << Fault::SizeLimit
            << "Nie można zapisać pliku „dialog.sav”: przekroczony rozmiar pliku."
            << QStringList{"dialog.sav", "old.sav"};
        QTest::newRow("two writers, 300 saves each")
            << Fault::TwoWriters << QString() << QStringList{"dialog.sav"};
        QTest::newRow("255-byte names, the Polish one saved twice")
            << Fault::LongNames << QString()
            << QStringList{QString(255, 'a'), QString(127, u'ż') + 'x'};
        QTest::newRow("user's look-alikes and a held temporary")
            << Fault::LookAlikesAndHeld << QString()
            << QStringList{".dialog.sav.wyw-tmp-Ab12Cd", "dialog.sav", "dialog.sav.tmp-Ab12Cd",
                           "dialog.sav.tmp-kopia1"};
        QTest::newRow("link loop")
            << Fault::LinkLoopRead
            << "Nie można otworzyć obliczeń z pliku „loop.wyw”: za dużo dowiązań symbolicznych w "
               "ścieżce (być może zapętlonych)."
            << QStringList{"loop.wyw"};
        QTest::newRow("name not in UTF-8")
            << Fault::NameNotUtf8Read
            << "Nie można otworzyć obliczeń z pliku „\uFFFD.wyw”: nazwa pliku nie jest zapisana "
               "w UTF-8, więc program nie może go otworzyć; zmień nazwę pliku."
            << QStringList{};
    }
    void hostileCases()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        QFETCH(QStringList, entries);
        TemporaryWorkingDirectory directory;
        QVERIFY(directory.isValid());
        QString place = ".";
        const QString given = Run(fault, place);
        const QStringList after = QDir(place).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
        if (fault == Fault::FullDiskPrint)
            umount("disk");
        if (given == "no mount")
            QSKIP("no tmpfs can be mounted here (the tests do not run as root)");
        QCOMPARE(given, reason);
        QCOMPARE(after, entries);
        // The old file stays as it was.
        if (after.contains("old.pdf"))
            QCOMPARE(Bytes(place + "/wydruk.pdf"), Bytes(place + "/old.pdf"));
        if (after.contains("old.sav"))
            QCOMPARE(Bytes("dialog.sav"), Bytes("old.sav"));
    }

    void csvQuoting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "OSTREL-160 wzdłużnie" << ',' << "OSTREL-160 wzdłużnie";
        QTest::newRow("comma") << "1,5" << ',' << "\"1,5\"";
        QTest::newRow("comma beside ;") << "1,5" << ';' << "1,5";
        QTest::newRow("semicolon") << "a;b" << ';' << "\"a;b\"";
        QTest::newRow("quote") << "a\"b" << ',' << "\"a\"\"b\"";
        // No raw control byte: only the rows' own line ends.
        QTest::newRow("bare CR") << "--wind 3\r--hall 5" << ',' << "--wind 3\\u000d--hall 5";
        QTest::newRow("LF") << "a\nb" << ';' << "a\\u000ab";
        QTest::newRow("NUL, tab, DEL")
            << QString::fromLatin1("a\0\t\x7f;", 5) << ';' << "\"a\\u0000\\u0009\\u007f;\"";
        QTest::newRow("empty") << "" << ',' << "";
    }
    void csvQuoting()
    {
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(QString, field);
        QCOMPARE(QString::fromStdString(CsvField(text.toStdString(), separator)), field);
    }
};

WYW_GUI_TEST_MAIN(TestFileFaults)
#include "test_file_faults.moc"
