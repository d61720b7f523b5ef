// The value files: how lines are read back into fields and how a file is
// replaced, including damaged files and files that cannot be written.
#include "valuefile.h"

#include "input_dialog_support.h"
#include "number_format.h"
#include "test_main.h"

#include <QFileInfo>
#include <QLineEdit>

#include <csignal>
#include <string>
#include <sys/resource.h>
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

} // namespace

Q_DECLARE_METATYPE(Lines)

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
        QTest::newRow("1.2") << 1.2;
    }
    void everyWrittenNumberReadsBack()
    {
        QFETCH(double, value);
        WorkingDirectory dir;
        const std::string line = FormatFixed(value, 2);
        QVERIFY(SaveValueFile("values.sav", {line, FormatWhole(-5)}));
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
            saved = SaveValueFile("dialog.sav", {FormatFixed(1e25, 2), FormatFixed(12.5, 1)});
        }
        QVERIFY(!saved);
        QCOMPARE(*FileBytes("dialog.sav"), old);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"dialog.sav"});
    }

    void readOnlyDirectoryWithWritableFile()
    {
        if (geteuid() == 0)
            QSKIP("as root a read-only directory still takes new files");
        WorkingDirectory dir;
        QVERIFY(WriteBytes("dialog22.sav", "0.10\n"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool saved = SaveValueFile("dialog22.sav", {"0.20"});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(saved);
        QCOMPARE(*FileBytes("dialog22.sav"), QByteArray("0.20\n"));
    }
};

WYW_GUI_TEST_MAIN(TestValueFile)
#include "test_valuefile.moc"
