// kavro-cli in a hostile environment: a full disk (a file size limit with SIGXFSZ ignored, so writes
// fail with EFBIG), a read-only folder, a pipe or device given as input. No command leaves a
// truncated output, reports success or waits on a pipe.

#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QByteArray Previous = "the output file as it was before";

// kavro-cli under a file size limit of one 512-byte block, as `ulimit -f` in the shell sets it.
CliRun RunCliOnAFullDisk(const QStringList& args)
{
    return RunCli(QStringList{"-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\"", KAVRO_CLI_PATH} + args, {},
                  QStringLiteral("/bin/sh"));
}

// Every kavro-cli command that writes an output file, with "in.kvr" and "image.bin" as inputs.
void AddWriterRows()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("new") << QStringList{"new", "0", "-o", "out"};
    QTest::newRow("new, extended") << QStringList{"new", "PKU-630XE", "-o", "out", "--with-extension"};
    QTest::newRow("fill-codes") << QStringList{"fill-codes", "in.kvr", "-o", "out", "--seed", "3"};
    QTest::newRow("convert") << QStringList{"convert", "PKU-511", "in.kvr", "-o", "out"};
    QTest::newRow("encode") << QStringList{"encode", "0", "in.kvr", "-o", "out"};
    QTest::newRow("decode") << QStringList{"decode", "0", "image.bin", "-o", "out"};
    QTest::newRow("report") << QStringList{"report", "in.kvr", "-o", "out"};
}

void MakeInputs(const WorkingDirectory& dir)
{
    QCOMPARE(RunCli({"new", "0", "-o", dir.file("in.kvr")}).status, 0);
    QCOMPARE(RunCli({"encode", "0", dir.file("in.kvr"), "-o", dir.file("image.bin")}).status, 0);
}

QStringList InFolder(const WorkingDirectory& dir, QStringList args)
{
    for (QString& arg : args)
        if (arg == "in.kvr" || arg == "image.bin" || arg == "out") arg = dir.file(arg);
    return args;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class CliFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void aWriteOnAFullDiskLeavesThePreviousOutputAndFails_data() { AddWriterRows(); }
    void aWriteOnAFullDiskLeavesThePreviousOutputAndFails()
    {
        QFETCH(QStringList, args);
        WorkingDirectory dir;
        MakeInputs(dir);
        WriteAll(dir.file("out"), Previous);
        const QStringList before = FolderEntries(dir.path());
        const CliRun run = RunCliOnAFullDisk(InFolder(dir, args));
        QCOMPARE(run.status, 2);
        QVERIFY2(
            run.err.contains("Cannot write the file " + dir.file("out") + ": the file would be larger than allowed"),
            qPrintable(run.err));
        QCOMPARE(ReadAll(dir.file("out")), Previous);
        QCOMPARE(FolderEntries(dir.path()), before); // no temporary file left behind
    }

    void aWriteIntoAReadOnlyFolderFails_data() { AddWriterRows(); }
    void aWriteIntoAReadOnlyFolderFails()
    {
        QFETCH(QStringList, args);
        WorkingDirectory dir;
        MakeInputs(dir);
        WriteAll(dir.file("out"), Previous);
        CliRun run;
        QString reason;
        {
            const ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.holds()) QSKIP("no way to make a folder read-only for this user here");
            reason = readOnly.reason();
            run = RunCli(InFolder(dir, args));
        }
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(dir.file("out") + ": " + reason), qPrintable(run.err));
        QCOMPARE(ReadAll(dir.file("out")), Previous);
    }

    // Every input of every command given a named pipe (or a device): refused at once by name.
    void anInputThatIsNotARegularFileIsRefusedWithoutWaiting_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");
        QTest::newRow("show") << QStringList{"show", "fifo"} << "fifo";
        QTest::newRow("fill-codes") << QStringList{"fill-codes", "fifo", "-o", "out"} << "fifo";
        QTest::newRow("convert") << QStringList{"convert", "PKU-511", "fifo", "-o", "out"} << "fifo";
        QTest::newRow("encode") << QStringList{"encode", "0", "fifo", "-o", "out"} << "fifo";
        QTest::newRow("decode") << QStringList{"decode", "0", "fifo", "-o", "out"} << "fifo";
        QTest::newRow("decode --base") << QStringList{"decode", "0", "image.bin", "-o", "out", "--base", "fifo"}
                                       << "fifo";
        QTest::newRow("report") << QStringList{"report", "fifo", "-o", "out"} << "fifo";
        QTest::newRow("write") << QStringList{"write", "24C16", "fifo"} << "fifo";
        QTest::newRow("verify") << QStringList{"verify", "24C16", "fifo"} << "fifo";
        QTest::newRow("write a device") << QStringList{"write", "24C16", "/dev/zero"} << "/dev/zero";
        QTest::newRow("encode a folder") << QStringList{"encode", "0", "folder", "-o", "out"} << "folder";
    }
    void anInputThatIsNotARegularFileIsRefusedWithoutWaiting()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        WorkingDirectory dir;
        MakeInputs(dir);
        MakeFifo(dir.file("fifo"));
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        for (QString& arg : args)
            if (arg == "fifo" || arg == "folder") arg = dir.file(arg);
        QElapsedTimer timer;
        timer.start();
        const CliRun run = RunCli(InFolder(dir, args));
        QVERIFY(timer.elapsed() < 10000);
        QCOMPARE(run.status, 2);
        const QString named = input.startsWith('/') ? input : dir.file(input);
        QVERIFY2(run.err.contains(named + " is not used: it is not a regular file"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(dir.file("out")));
    }

    void aPipeAsTheLanguageFileIsPassedOverNotWaitedOn()
    {
        WorkingDirectory dir;
        MakeInputs(dir);
        QVERIFY(QDir(dir.path()).mkpath("config/kavro"));
        MakeFifo(dir.file("config/kavro/lang.ini"));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", dir.file("config"));
        process.setProcessEnvironment(environment);
        process.start(KAVRO_CLI_PATH, {"report", dir.file("in.kvr"), "-o", dir.file("report.txt")});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(ReadAll(dir.file("report.txt")).size() > 0);
    }

    void anOutputNameThatIsNotUtf8IsWrittenUnderThatName()
    {
        WorkingDirectory dir;
        const QByteArray name = QFile::encodeName(dir.path()) + "/keys-\xff.kvr";
        QProcess process;
        process.start("/bin/sh",
                      {"-c", "exec \"$0\" new 0 -o \"$(printf '" + dir.path() + "/keys-\\377.kvr')\"", KAVRO_CLI_PATH});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(access(name.constData(), F_OK) == 0);
        unlink(name.constData()); // a name Qt's own folder removal cannot spell
    }
};

QTEST_GUILESS_MAIN(CliFaultsTest)
#include "tst_cli_faults.moc"
