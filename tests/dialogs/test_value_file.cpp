// SPDX-License-Identifier: GPL-3.0-or-later
// The value files: how lines are read back into fields and how a file is
// replaced, including damaged files and files that cannot be written.
#include "dialogs/value_file.h"

#include "calc/number_format.h"
#include "input_dialog_support.h"
#include "test_main.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>

#include <cfloat>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Lowers the largest file size this process may write, for one scope, so that
// a write fails part way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

// The hostile places a value file may have to be saved in.
enum class Hostile { ReadOnlyDirectory, Fifo, LinkToDevice, LinkToFile, Directory, StaleTemporary };

const Lines kNewLines{"9.99", "9.9"};
const QByteArray kOldBytes("1.20\n4.0\n");

// What the name is on disk: a file with its bytes, or the kind of thing; a
// link is followed and said to be one.
QString Describe(const QString& name)
{
    struct stat status {};
    QString link;
    if (lstat(qPrintable(name), &status) == 0 && S_ISLNK(status.st_mode)) {
        link = "link to ";
        stat(qPrintable(name), &status);
    }
    if (S_ISREG(status.st_mode))
        return link + "file: " + QString::fromLatin1(*FileBytes(name));
    return link + (S_ISDIR(status.st_mode)    ? "directory"
                   : S_ISFIFO(status.st_mode) ? "fifo"
                   : S_ISCHR(status.st_mode)  ? "device"
                                              : "missing");
}

QStringList EntriesBelowCurrent()
{
    QStringList names;
    QDirIterator it(".", QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << it.next().mid(2);
    names.sort();
    return names;
}

// A user who may not write in a read-only directory, under a file-size limit of
// 0 bytes: this test program run again, as nobody when the tests run as root.
// The child saves dialog.sav in the current directory and prints the reason.
int SaveAsChild()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, 0};
    setrlimit(RLIMIT_FSIZE, &none);
    const Outcome saved = SaveValueFile("dialog.sav", kNewLines);
    std::fputs(ReasonOf(saved).toUtf8().constData(), stdout);
    return saved ? 0 : 3;
}

// Puts the hostile thing named dialog.sav into the current directory.
bool Prepare(Hostile place)
{
    switch (place) {
    case Hostile::ReadOnlyDirectory:
        return WriteBytes("dialog.sav", kOldBytes) && chmod("dialog.sav", 0666) == 0 &&
               chmod(".", 0555) == 0;
    case Hostile::Fifo:
        return mkfifo("dialog.sav", 0666) == 0;
    case Hostile::LinkToDevice: // as root "device" has been made already
        return (geteuid() == 0 || QFile::link("/dev/null", "device")) &&
               QFile::link("device", "dialog.sav");
    case Hostile::LinkToFile:
        return QDir().mkdir("real") && WriteBytes("real/dialog.sav", kOldBytes) &&
               QFile::link("real/dialog.sav", "dialog.sav");
    case Hostile::Directory:
        return QDir().mkdir("dialog.sav");
    case Hostile::StaleTemporary:
        return WriteBytes("dialog.sav", kOldBytes) &&
               WriteBytes(".dialog.sav.wyw-tmp-Ab12Cd", "1.2") && // left by a kill
               WriteBytes("dialog.sav.backup", kOldBytes);        // the user's own
    }
    return false;
}

// Runs SaveAsChild in the current directory, as nobody when the tests run as
// root. The reason it gives; nullopt, with its error output in `problem`, when
// it did not run to the end.
std::optional<QString> SaveInChild(QByteArray& problem)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WYW_SAVE_AS_CHILD", "1");
    child.setProcessEnvironment(environment);
    const QString self = QCoreApplication::applicationFilePath();
    if (geteuid() == 0)
        child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", self});
    else
        child.start(self, QStringList{});
    const bool finished = child.waitForFinished(20000);
    problem = child.readAllStandardError();
    if (!finished || child.exitStatus() != QProcess::NormalExit ||
        (child.exitCode() != 0 && child.exitCode() != 3))
        return std::nullopt;
    return QString::fromUtf8(child.readAllStandardOutput());
}

} // namespace

Q_DECLARE_METATYPE(Lines)
Q_DECLARE_METATYPE(Hostile)

class TestValueFile : public QObject {
    Q_OBJECT
private slots:
    void readLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::addColumn<Lines>("expected");
        QTest::newRow("LF") << QByteArray("1.20\n4.0\n") << 2 << Lines{"1.20", "4.0"};
        QTest::newRow("CR LF") << QByteArray("1.20\r\n4.0\r\n") << 2 << Lines{"1.20", "4.0"};
        QTest::newRow("mixed line ends")
            << QByteArray("20\r\n1013\n60\r\n3.5\n") << 4 << Lines{"20", "1013", "60", "3.5"};
        QTest::newRow("extra lines ignored")
            << QByteArray("1.00\n2.0\n3\n4\n5\n") << 2 << Lines{"1.00", "2.0"};
        QTest::newRow("ends early") << QByteArray("3.00\n") << 5 << Lines{"3.00"};
        QTest::newRow("empty file") << QByteArray() << 2 << Lines{};
        QTest::newRow("last line without newline")
            << QByteArray("1.20\n4.0") << 2 << Lines{"1.20", "4.0"};
        // A CR LF line end cut short after its CR.
        QTest::newRow("last line CR without LF")
            << QByteArray("1.20\r\n4.0\r") << 2 << Lines{"1.20", "4.0"};
        QTest::newRow("letters only") << QByteArray("abc\n4.0\n") << 2 << Lines{"abc", "4.0"};
        QTest::newRow("empty line") << QByteArray("\n4.0\n") << 2 << Lines{"", "4.0"};
        QTest::newRow("CR inside a line kept")
            << QByteArray("1\r2\n3\n") << 2 << Lines{"1\r2", "3"};
        QTest::newRow("only the CR before LF dropped")
            << QByteArray("7\r\r\n8\n") << 2 << Lines{"7\r", "8"};
        QTest::newRow("NUL ends the text") << QByteArray("12\0"
                                                         "34\n5\n",
                                                         8)
                                           << 2 << Lines{"12", "5"};
        QTest::newRow("blanks kept") << QByteArray(" 1.5 \n") << 1 << Lines{" 1.5 "};
    }
    void readLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        QFETCH(Lines, expected);
        WorkingDirectory dir;
        QVERIFY(dir.isValid());
        QVERIFY(WriteBytes("values.sav", content));
        QCOMPARE(ReadValueLines("values.sav", static_cast<std::size_t>(count)), expected);
    }

    void longLinesKeepTheirStart()
    {
        WorkingDirectory dir;
        const std::string thousand(1000, '7');
        QVERIFY(WriteBytes("values.sav", QByteArray::fromStdString(thousand + "\n4.0\n")));
        const Lines lines = ReadValueLines("values.sav", 2);
        QCOMPARE(lines.size(), std::size_t{2});
        QCOMPARE(lines[0], std::string(kValueLineLimit, '7'));
        // The rest of the long line is skipped, not read as the next line.
        QCOMPARE(lines[1], std::string("4.0"));
    }

    void lineAtTheLimitWithCrLf()
    {
        WorkingDirectory dir;
        const std::string full(kValueLineLimit, '1');
        QVERIFY(
            WriteBytes("values.sav", QByteArray::fromStdString(full + "\r\n" + full + "2\r\n9\n")));
        const Lines lines = ReadValueLines("values.sav", 3);
        QCOMPARE(lines, (Lines{full, full, "9"}));
    }

    void everyWrittenNumberReadsBack_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("1e25") << 1e25;
        QTest::newRow("-1e25") << -1e25;
        QTest::newRow("1e200") << 1e200;
        QTest::newRow("1e300") << 1e300;
        QTest::newRow("largest negative") << -DBL_MAX;
        QTest::newRow("1.2") << 1.2;
    }
    void everyWrittenNumberReadsBack()
    {
        QFETCH(double, value);
        WorkingDirectory dir;
        const std::string line = FormatFixed(value, 2);
        QVERIFY(SaveValueFile("values.sav", {line, FormatWhole(-5)}));
        QVERIFY(line.size() <= kValueLineLimit);
        QCOMPARE(ReadValueLines("values.sav", 2), (Lines{line, "-5"}));
    }

    void oneE25IsTwentyNineCharacters()
    {
        WorkingDirectory dir;
        QVERIFY(SaveValueFile("dialog.sav", {FormatFixed(1e25, 2), FormatFixed(4, 1)}));
        QCOMPARE(*FileBytes("dialog.sav"), QByteArray("10000000000000000905969664.00\n4.0\n"));
    }

    void missingOrOddFilesGiveNoLines()
    {
        WorkingDirectory dir;
        QVERIFY(ReadValueLines("dialog.sav", 2).empty());
        QVERIFY(QDir().mkdir("dialog1.sav"));
        QVERIFY(ReadValueLines("dialog1.sav", 4).empty());
        // A device (endless zeros) is no value file either.
        QVERIFY(QFile::link("/dev/zero", "dialog2.sav"));
        QVERIFY(ReadValueLines("dialog2.sav", 2).empty());
    }

    void hugeFileIsNotReadToTheEnd()
    {
        WorkingDirectory dir;
        // Bigger than the read limit and without a single newline.
        QVERIFY(WriteBytes("values.sav", QByteArray(3 * int(kValueFileReadLimit), 'x')));
        QElapsedTimer timer;
        timer.start();
        const Lines lines = ReadValueLines("values.sav", 2);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(lines, (Lines{std::string(kValueLineLimit, 'x')}));
    }

    void loadFillsFieldsInOrder()
    {
        WorkingDirectory dir;
        QVERIFY(WriteBytes("values.sav", "3.00\r\n5\r\n"));
        QLineEdit edit1("Edit1");
        QLineEdit edit2("Edit2");
        QLineEdit edit4("Edit4");
        LoadValueFile("values.sav", {&edit1, &edit2, &edit4});
        QCOMPARE(edit1.text(), QString("3.00"));
        QCOMPARE(edit2.text(), QString("5"));
        // The file ended early: the last field keeps its own text.
        QCOMPARE(edit4.text(), QString("Edit4"));
    }

    void loadWithoutFileKeepsTexts()
    {
        WorkingDirectory dir;
        QLineEdit edit1("Edit1");
        LoadValueFile("dialog3.sav", {&edit1});
        QCOMPARE(edit1.text(), QString("Edit1"));
    }

    void saveWritesExactBytes()
    {
        WorkingDirectory dir;
        QVERIFY(SaveValueFile("dialog1.sav", {"20", "1013", "60", "3.5"}));
        QCOMPARE(*FileBytes("dialog1.sav"), QByteArray("20\n1013\n60\n3.5\n"));
        // A second save replaces the whole file, also a longer one.
        QVERIFY(WriteBytes("dialog1.sav", "1\n2\n3\n4\n5\n6\n7\n8\n"));
        QVERIFY(SaveValueFile("dialog1.sav", {"-5", "1000", "80", "0.0"}));
        QCOMPARE(*FileBytes("dialog1.sav"), QByteArray("-5\n1000\n80\n0.0\n"));
        // No temporary file is left behind.
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"dialog1.sav"});
    }

    void saveOverDirectoryFails()
    {
        WorkingDirectory dir;
        QVERIFY(QDir().mkdir("dialog.sav"));
        QVERIFY(!SaveValueFile("dialog.sav", {"1.20", "4.0"}));
        QVERIFY(QFileInfo("dialog.sav").isDir());
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{});
    }

    void saveIntoMissingDirectoryFails()
    {
        WorkingDirectory dir;
        QVERIFY(!SaveValueFile("missing/dialog.sav", {"1.20"}));
        QVERIFY(!QFileInfo::exists("missing"));
    }

    void saveFailingMidwayKeepsOldFile()
    {
        WorkingDirectory dir;
        const QByteArray old("1.20\n4.0\n");
        QVERIFY(WriteBytes("dialog.sav", old));
        bool saved = true;
        {
            // Like a disk that fills up after the first few bytes.
            FileSizeLimit limit(3);
            QVERIFY(limit.Active());
            saved = bool(SaveValueFile("dialog.sav", {FormatFixed(1e25, 2), FormatFixed(12.5, 1)}));
        }
        QVERIFY(!saved);
        QCOMPARE(*FileBytes("dialog.sav"), old);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"dialog.sav"});
    }

    void hostileFileSystem_data()
    {
        QTest::addColumn<Hostile>("place");
        QTest::addColumn<QString>("reason"); // empty: saved
        QTest::addColumn<QString>("after");  // dialog.sav afterwards
        QTest::addColumn<QStringList>("entries");
        const QString file = "Nie można zapisać pliku „dialog.sav”: ";
        QTest::newRow("read-only directory, writable file, no room")
            << Hostile::ReadOnlyDirectory << file + "brak uprawnień do zapisu w katalogu."
            << "file: 1.20\n4.0\n"
            << QStringList{"dialog.sav"};
        QTest::newRow("FIFO") << Hostile::Fifo
                              << file + "to nie jest zwykły plik, lecz potok (FIFO)."
                              << "fifo" << QStringList{"dialog.sav"};
        QTest::newRow("link to a device")
            << Hostile::LinkToDevice
            << file + "dowiązanie nie prowadzi do zwykłego pliku, lecz do urządzenia."
            << "link to device" << QStringList{"device", "dialog.sav"};
        QTest::newRow("link to a regular file")
            << Hostile::LinkToFile << QString() << "link to file: 9.99\n9.9\n"
            << QStringList{"dialog.sav", "real", "real/dialog.sav"};
        QTest::newRow("directory")
            << Hostile::Directory << file + "to nie jest zwykły plik, lecz katalog."
            << "directory" << QStringList{"dialog.sav"};
        QTest::newRow("temporary of an interrupted save")
            << Hostile::StaleTemporary << QString() << "file: 9.99\n9.9\n"
            << QStringList{"dialog.sav", "dialog.sav.backup"};
    }
    void hostileFileSystem()
    {
        QFETCH(Hostile, place);
        QFETCH(QString, reason);
        QFETCH(QString, after);
        QFETCH(QStringList, entries);
        WorkingDirectory dir;
        if (place == Hostile::ReadOnlyDirectory && geteuid() == 0 &&
            QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("running as root without setpriv (util-linux): no unprivileged user");
        // As root a device of our own (the null device), never /dev/null itself.
        if (place == Hostile::LinkToDevice && geteuid() == 0 &&
            mknod("device", S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("running as root without the right to make a device node; a link to "
                  "/dev/null would put the machine's own device at risk");
        QVERIFY(Prepare(place));
        // A reader, so that a writer opening the pipe would not hang the test.
        const int pipeReader =
            place == Hostile::Fifo ? open("dialog.sav", O_RDONLY | O_NONBLOCK) : -1;

        QString given;
        if (place == Hostile::ReadOnlyDirectory) {
            QByteArray problem;
            const std::optional<QString> childReason = SaveInChild(problem);
            chmod(qPrintable(dir.path()), 0700);
            if (problem.startsWith("setpriv:"))
                QSKIP(qPrintable("setpriv cannot drop privileges here: " + problem));
            QVERIFY2(childReason, problem.constData());
            given = *childReason;
        } else {
            given = ReasonOf(SaveValueFile("dialog.sav", kNewLines));
        }
        QCOMPARE(Describe("dialog.sav"), after);
        QCOMPARE(EntriesBelowCurrent(), entries);
        QCOMPARE(given, reason);
        if (pipeReader >= 0) {
            char byte = 0;
            QCOMPARE(read(pipeReader, &byte, 1), ssize_t{0}); // nothing was written into it
            close(pipeReader);
        }
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("WYW_SAVE_AS_CHILD"))
        return SaveAsChild();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestValueFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_value_file.moc"
