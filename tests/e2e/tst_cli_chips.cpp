// kavro-cli's chip commands against a running kavro-sim: what a shell user sees and the exit
// status a script relies on.

#include "MisbehavingProgrammer.h"
#include "SimProcess.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

class CliChipsTest : public QObject {
    Q_OBJECT
private slots:
    void theSimulatorMakesAMissingChipsFolder()
    {
        WorkingDirectory dir;
        SimProcess sim;
        const QString chips = dir.file("new/chips");
        QVERIFY(sim.start({"--chips", chips}));
        WriteAll(dir.file("in.bin"), Pattern(2048));
        QCOMPARE(RunCli({"write", "24C16", "in.bin", "--port", sim.port()}).status, 0);
        QCOMPARE(ReadAll(chips + "/24C16.bin"), Pattern(2048));
    }

    void writeVerifyAndReadRoundTripAChipAndVerifyReportsEachDifference()
    {
        WorkingDirectory dir;
        SimProcess sim;
        QVERIFY(sim.start());
        WriteAll(dir.file("in.bin"), Pattern(2048));
        const CliRun run = RunCli({"write", "24C16", "in.bin", "--verify", "--port", sim.port()});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("The chip matches in.bin"), qPrintable(run.out + run.err));
        QCOMPARE(ReadAll(sim.chipFile("24C16")), Pattern(2048));

        // KAVRO_PORT points at the programmer as well as --port does.
        const CliRun read = RunCli({"read", "24c16", "-o", "out.bin"}, sim.port());
        QCOMPARE(read.status, 0);
        QCOMPARE(ReadAll(dir.file("out.bin")), Pattern(2048));

        QByteArray other = Pattern(2048);
        other[0x123] = '\x55';
        WriteAll(dir.file("other.bin"), other);
        const CliRun verify = RunCli({"verify", "24C16", "other.bin", "--port", sim.port()});
        QCOMPARE(verify.status, 4);
        const auto onChip = static_cast<std::uint8_t>(Pattern(2048)[0x123]);
        QCOMPARE(verify.out.trimmed(),
                 QStringLiteral("0x000123: file 0x55, chip 0x%1").arg(onChip, 2, 16, QLatin1Char('0')));
    }

    void ctrlCDuringAReadLeavesThePreviousOutputAndNothingElse()
    {
        WorkingDirectory dir;
        SimProcess sim;
        // The programmer falls silent after five blocks, so the read is surely under way when
        // the user presses Ctrl+C.
        QVERIFY(sim.start({"--stall-after", "6"}));
        WriteAll(dir.file("out.bin"), Filled(2048, '\x5A'));
        QProcess cli;
        cli.start(QStringLiteral(KAVRO_CLI_PATH), {"read", "24C16", "-o", "out.bin", "--port", sim.port()});
        QVERIFY(cli.waitForStarted());
        QTest::qWait(400);
        QCOMPARE(cli.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
        QVERIFY(cli.waitForFinished(5000));
        QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
        QCOMPARE(ReadAll(dir.file("out.bin")), Filled(2048, '\x5A'));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"out.bin"});
    }

    void writeVerifyReportsAChipThatKeepsOtherBytes()
    {
        WorkingDirectory dir;
        SimProcess sim;
        QVERIFY(sim.start({"--corrupt-writes"}));
        WriteAll(dir.file("in.bin"), Pattern(2048));
        const CliRun run = RunCli({"write", "24C16", "in.bin", "--verify", "--port", sim.port()});
        QCOMPARE(run.status, 4);
        // Each 16-byte page lost its last byte: 128 bytes, the first at 0x00F.
        QVERIFY2(run.err.contains("in.bin: Verification failed: the chip differs from the data (differing bytes: 128, "
                                  "first address 0x000F)"),
                 qPrintable(run.err));
        const auto chipByte = static_cast<std::uint8_t>(~Pattern(2048)[0xF]);
        QVERIFY2(run.out.startsWith(QStringLiteral("0x00000f: file 0x%1, chip 0x%2\n")
                                        .arg(static_cast<std::uint8_t>(Pattern(2048)[0xF]), 2, 16, QLatin1Char('0'))
                                        .arg(chipByte, 2, 16, QLatin1Char('0'))),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("... 108 more differences"));
    }

    void traceShowsEveryPacketAndReplyOnBothSides()
    {
        WorkingDirectory dir;
        SimProcess sim;
        sim.sendErrorsTo(dir.file("sim.log"));
        QVERIFY(sim.start({"--trace"}));
        const CliRun run = RunCli({"version", "--trace", "--port", sim.port()});
        QCOMPARE(run.status, 0);
        sim.command("unplug");
        QVERIFY(sim.waitForExit(3000));
        const QString simLog = QString::fromUtf8(ReadAll(dir.file("sim.log")));
        for (const QString& trace : {run.err, simLog}) {
            const QStringList lines = trace.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY2(lines.size() == 2, qPrintable(trace));
            QVERIFY2(QRegularExpression("^ *\\d+\\.\\d{6} PC->PX 12 00 00 01 00 00$").match(lines[0]).hasMatch(),
                     qPrintable(lines[0]));
            QVERIFY2(QRegularExpression("^ *\\d+\\.\\d{6} PX->PC 03$").match(lines[1]).hasMatch(),
                     qPrintable(lines[1]));
        }
    }

    void deviceFailuresExitWithThree_data()
    {
        QTest::addColumn<QStringList>("simOptions"); // empty: no simulator, the port does not exist
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("no programmer at the port")
            << QStringList{} << QStringList{"version"} << "This port is busy or absent (port /nonexistent/tty).";
        QTest::newRow("old firmware") << QStringList{"--version", "7"} << QStringList{"version"}
                                      << "incompatible version of the software adapter";
        QTest::newRow("goes quiet mid-read")
            << QStringList{"--stall-after", "3"} << QStringList{"read", "24C64", "-o", "out.bin"}
            << "Cannot read the chip: connection failed";
    }
    void deviceFailuresExitWithThree()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(QStringList, command);
        QFETCH(QString, message);
        WorkingDirectory dir;
        WriteAll(dir.file("out.bin"), "kept");
        SimProcess sim;
        QString port = QStringLiteral("/nonexistent/tty");
        if (!simOptions.isEmpty()) {
            QVERIFY(sim.start(simOptions));
            port = sim.port();
        }
        const CliRun run = RunCli(command + QStringList{"--port", port});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(ReadAll(dir.file("out.bin")), QByteArray("kept")); // a failed read keeps the old dump
    }

    // Through a programmer that garbles its replies, no command reports success: the exit status
    // says the device failed, the message names the block, and the previous dump is kept.
    void aMisbehavingProgrammerNeverPassesForSuccess_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        const QString twice = QStringLiteral("Block 0 (address 0x0000): extra bytes came after the 128-byte reply.");
        QTest::newRow("read, every reply twice") << "repeat" << QStringList{"read", "24C16", "-o", "out.bin"} << twice;
        QTest::newRow("read, junk before every reply")
            << "junk" << QStringList{"read", "24C16", "-o", "out.bin"} << twice;
        QTest::newRow("read, hangs up in the fourth block")
            << "hang up" << QStringList{"read", "24C16", "-o", "out.bin"}
            << "Block 3 (address 0x0180): "; // broken off or disconnected, as the hang-up falls
        QTest::newRow("write, every acknowledgement twice")
            << "repeat" << QStringList{"write", "24C16", "in.bin", "--no-backup"}
            << "Page 0 (address 0x0000): extra bytes came after the 1-byte reply.";
        QTest::newRow("verify, every reply twice") << "repeat" << QStringList{"verify", "24C16", "in.bin"} << twice;
    }
    void aMisbehavingProgrammerNeverPassesForSuccess()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, command);
        QFETCH(QString, message);
        WorkingDirectory dir;
        WriteAll(dir.file("out.bin"), "kept");
        WriteAll(dir.file("in.bin"), Pattern(2048, 5));
        SimProcess sim;
        sim.prepareChip(QStringLiteral("24C16"), Pattern(2048, 5));
        QVERIFY(sim.start());
        MisbehavingProgrammer::Fault misbehaviour;
        misbehaviour.repeatReplies = fault == "repeat";
        // The version reply (0x03) comes first and is taken; what follows it is left on the line.
        if (fault == "junk") misbehaviour.junkBeforeReplies = "\x03\x55";
        if (fault == "hang up") misbehaviour.hangUpAfterBytes = 1 + 3 * 128 + 50;
        MisbehavingProgrammer proxy;
        QVERIFY(proxy.start(sim.port(), misbehaviour));
        const CliRun run = RunCli(command + QStringList{"--port", proxy.port()});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(!run.out.contains("matches"), qPrintable(run.out));
        QCOMPARE(ReadAll(dir.file("out.bin")), QByteArray("kept"));
    }

    // A reply held back by the programmer but whole within its time-out still counts, and what an
    // earlier exchange left on the line is thrown away and shown in the trace.
    void aSlowProgrammerWithinTheTimeOutStillReadsExactly()
    {
        WorkingDirectory dir;
        SimProcess sim;
        sim.prepareChip(QStringLiteral("24C16"), Pattern(2048, 6));
        QVERIFY(sim.start());
        MisbehavingProgrammer::Fault slow;
        slow.delayRepliesMs = 150;
        MisbehavingProgrammer proxy;
        QVERIFY(proxy.start(sim.port(), slow));
        const CliRun run = RunCli({"read", "24C16", "-o", "out.bin", "--port", proxy.port()});
        QCOMPARE(run.status, 0);
        QCOMPARE(ReadAll(dir.file("out.bin")), Pattern(2048, 6));
    }

    // The second copy of a repeated adapter-check answer is thrown away before the first chunk is
    // sent, and the trace says how many bytes were discarded.
    void traceCountsTheStaleBytesDiscardedBeforeARequest()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("in.bin"), Pattern(2048, 5));
        SimProcess sim;
        QVERIFY(sim.start());
        MisbehavingProgrammer::Fault twice;
        twice.repeatReplies = true;
        MisbehavingProgrammer proxy;
        QVERIFY(proxy.start(sim.port(), twice));
        const CliRun write = RunCli({"write", "24C16", "in.bin", "--no-backup", "--trace", "--port", proxy.port()});
        QCOMPARE(write.status, 3);
        QVERIFY2(QRegularExpression(
                     "PX->PC 85\n.*PX->PC discarded 1 stale bytes before the request: 85\n.*PC->PX 05 00 00 01 10",
                     QRegularExpression::DotMatchesEverythingOption)
                     .match(write.err)
                     .hasMatch(),
                 qPrintable(write.err));
    }

    void badArgumentsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown chip") << QStringList{"read", "24C2048", "-o", "x.bin"} << 1 << "unknown chip '24C2048'";
        QTest::newRow("DS1995 cannot be written")
            << QStringList{"write", "DS1995", "in.bin"} << 1 << "a DS1995 cannot be written";
        QTest::newRow("dump larger than the chip") << QStringList{"write", "24C16", "big.bin"} << 2
                                                   << "big.bin holds 4096 bytes, more than the 2048 of a 24C16";
        QTest::newRow("missing dump") << QStringList{"verify", "24C16", "none.bin"} << 2
                                      << "Cannot open the file none.bin: no such file or folder";
        QTest::newRow("read without output") << QStringList{"read", "24C16"} << 1 << "usage";
        QTest::newRow("verify takes no --verify")
            << QStringList{"verify", "24C16", "in.bin", "--verify"} << 1 << "unknown option '--verify'";
        QTest::newRow("write takes no output file")
            << QStringList{"write", "24C16", "in.bin", "-o", "x.bin"} << 1 << "unknown option '-o'";
    }
    void badArgumentsChangeNothing()
    {
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        WorkingDirectory dir;
        WriteAll(dir.file("in.bin"), Pattern(2048));
        WriteAll(dir.file("big.bin"), Pattern(4096));
        const CliRun run = RunCli(command + QStringList{"--port", "/nonexistent/tty"});
        QCOMPARE(run.status, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(CliChipsTest)
#include "tst_cli_chips.moc"
