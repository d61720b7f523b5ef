// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString err;
};

Run RunCli(const QStringList& arguments)
{
    QProcess process;
    process.start(WYW_CLI_PROGRAM, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

const QStringList kSingle{"--density", "1.2",  "--wind",          "4",
                          "--round",   "0.16", "--building-rect", "3,5,0.14,0.14,2",
                          "--model",   "5"};

// The pages of a PDF document: its page objects.
int Pages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestCliSheet : public QObject {
    Q_OBJECT
private slots:
    // One page for a single calculation; for the schedule of the template a
    // page per duct and the index.
    void writesThePdf_data()
    {
        QTest::addColumn<bool>("schedule");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("pages");
        QTest::newRow("single") << false << 0 << 1;
        QTest::newRow("schedule") << true << 1 << 16; // 15 ducts, 2 of them failing
    }
    void writesThePdf()
    {
        QFETCH(bool, schedule);
        QFETCH(int, status);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("karta.pdf");
        QStringList arguments = kSingle;
        if (schedule) {
            QProcess writer;
            writer.setStandardOutputFile(dir.filePath("t.wyw"));
            writer.start(WYW_CLI_PROGRAM, {"--schedule-template"});
            QVERIFY(writer.waitForFinished(60000));
            arguments = QStringList{"--schedule", dir.filePath("t.wyw")};
        }
        const Run run = RunCli(arguments + QStringList{"--sheet", pdf});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, status);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(Pages(bytes), pages);
    }

    // A folder that does not exist: the reason, status 4, no file.
    void missingFolderFails()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("brak/karta.pdf");
        const Run run = RunCli(kSingle + QStringList{"--sheet", pdf});
        QCOMPARE(run.status, 4);
        QCOMPARE(run.err, "wywietrznik-cli: Nie można zapisać pliku „" + pdf +
                              "”: nie ma takiego katalogu.\n");
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliSheet)
#include "test_cli_sheet.moc"
