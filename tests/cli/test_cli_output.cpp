// SPDX-License-Identifier: GPL-3.0-or-later
// The output of the real command-line calculator: a write that fails ends the
// run with status 4 and the system's reason, a batch is written as it is
// computed, and a label's control characters never reach a file raw.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

namespace {

const QString kHall = "--density 1.2 --wind 4 --round 0.16 --hall 5";

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the program on `arguments` with `input` as its standard input. Its
// output goes to `output` (a file, "/dev/full"), or is read when empty; a
// `sizeLimit` above 0 is the child's file-size limit in bytes.
Run RunProgram(const QStringList& arguments, const QByteArray& input = {},
               const QString& output = {}, rlim_t sizeLimit = 0)
{
    QProcess process;
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    if (sizeLimit > 0) {
        process.setChildProcessModifier([sizeLimit] {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = sizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process.start(WYW_CLI_PROGRAM, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCliOutput : public QObject {
    Q_OBJECT
private slots:
    // Every kind of output, to a full disk (/dev/full: ENOSPC) or past a
    // file-size limit (EFBIG): status 4 with the reason, the file cut where
    // the limit stood.
    void failedWrite_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("limit"); // 0: to /dev/full
        QTest::addColumn<QString>("reason");
        const QString full = "brak miejsca na dysku";
        const QString size = "przekroczony rozmiar pliku";
        const QByteArray cases = (kHall + " --model 5\n").toUtf8().repeated(2000);
        QTest::newRow("--version") << "--version" << QByteArray() << 0 << full;
        QTest::newRow("--help") << "--help" << QByteArray() << 0 << full;
        QTest::newRow("report") << kHall + " --model 5" << QByteArray() << 0 << full;
        QTest::newRow("--all json") << kHall + " --all --format json" << QByteArray() << 0 << full;
        QTest::newRow("--wind-sweep")
            << "--density 1.2 --round 0.16 --hall 5 --model 5 --wind-sweep 0:20:0.01"
            << QByteArray() << 0 << full;
        QTest::newRow("batch json") << "--batch - --format json" << cases << 0 << full;
        QTest::newRow("template, 4096 bytes")
            << "--schedule-template" << QByteArray() << 4096 << size;
        QTest::newRow("batch csv, 4096 bytes") << "--batch -" << cases << 4096 << size;
    }
    void failedWrite()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, limit);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString output = limit > 0 ? dir.filePath("wynik") : "/dev/full";
        const Run run = RunProgram(arguments.split(' '), input, output, limit);
        QCOMPARE(run.err, "wywietrznik-cli: nie można zapisać wyniku: " + reason + ".\n");
        QCOMPARE(run.status, 4);
        if (limit > 0)
            QCOMPARE(QFileInfo(output).size(), qint64(limit));
    }

    // The output's reader gone, with SIGPIPE ignored as a shell's trap does:
    // the write fails with EPIPE, told in words.
    void closedPipe()
    {
        QProcess shell;
        shell.start("/bin/sh",
                    {"-c",
                     R"(trap "" PIPE; { sleep 0.3; "$0" --version; echo "rc=$?" >&2; } | true)",
                     WYW_CLI_PROGRAM});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(
            QString::fromUtf8(shell.readAllStandardError()),
            "wywietrznik-cli: nie można zapisać wyniku: odbiorca wyniku zamknął potok.\nrc=4\n");
    }

    // A batch on a pipe: each result comes out while the input is still open;
    // a line one byte over 64 KB is that line's error and the next is computed.
    void streamedBatch()
    {
        QProcess process;
        process.start(WYW_CLI_PROGRAM, {"--batch", "-"});
        QVERIFY(process.waitForStarted());
        process.write((kHall + " --model 5\n").toUtf8());
        QByteArray out;
        while (out.count('\n') < 2 && process.waitForReadyRead(30000))
            out += process.readAllStandardOutput();
        QCOMPARE(out, "wiersz,przypadek,wywietrznik,v,Q,Qh,DPsw,c,stan,powód\n1," + kHall.toUtf8() +
                          " --model 5,5,4,0.042607236484742794,153.38605134507407,"
                          "3.77523075442556,2.1191100931350517,wynik,\n");
        process.write(QByteArray(65537, ' ') + "--wind 1\n" + (kHall + " --model 5\n").toUtf8());
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        const QList<QByteArray> rows = process.readAllStandardOutput().split('\n');
        QCOMPARE(rows.size(), 3);
        QCOMPARE(QString::fromUtf8(rows[0]), "2,,,,,,,,błąd,wiersz jest dłuższy niż 65536 bajtów");
        QVERIFY(rows[1].startsWith("3," + kHall.toUtf8() + " --model 5,5,4,0.0426"));
        QCOMPARE(process.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TestCliOutput)
#include "test_cli_output.moc"
