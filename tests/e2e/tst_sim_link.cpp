// The real link (QSerialPort) against the real kavro-sim over a pseudo-terminal: whole-chip reads
// and writes of every chip, key frames, and the simulator's faults.

#include "LinkFakes.h"
#include "SimProcess.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QTest>

namespace {

// Real time, but the fixed pauses between chunks are skipped: the simulator does not need them.
class NoPauseClock : public SystemClock {
public:
    void sleepMs(int ms) override { pauses += ms; }
    qint64 pauses = 0;
};

// The link to a simulator; prepare its chips, then start it and open its port.
struct SimLink {
    SimLink() : link(port, prompts, clock) {}
    bool start(const QStringList& options = {})
    {
        if (!sim.start(options)) return false;
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = sim.port();
        return link.OpenProgrammerPort(Language::English);
    }
    WorkingDirectory dir; // where the image files are
    SimProcess sim;
    QtSerialPort port;
    ScriptedPrompts prompts;
    NoPauseClock clock;
    ProgrammerLink link;
    NoProgress progress;
};

QStringList IButtonOption(const ProgrammerChip& chip)
{
    return chip.read.command == pcReadIButton ? QStringList{QStringLiteral("--ibutton"), QLatin1String(chip.name)}
                                              : QStringList{};
}

} // namespace

class SimLinkTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryChipThroughThePort_data() { AddChipRows(false); }
    void readsEveryChipThroughThePort()
    {
        QFETCH(QString, chip);
        const ProgrammerChip& kind = *FindChip(chip);
        SimLink rig;
        const QByteArray content = Pattern(ChipSize(kind), 3);
        rig.sim.prepareChip(chip, content);
        QVERIFY(rig.start(IButtonOption(kind)));
        rig.prompts.answer(PromptAnswer::Ok);
        QCOMPARE(ReadChipToImage(rig.link, kind.read, rig.dir.file("image.bin"), rig.progress, Language::English),
                 TransferResult::Completed);
        QCOMPARE(ReadAll(rig.dir.file("image.bin")), content);
    }

    void writesEveryWritableChipThroughThePort_data() { AddChipRows(true); }
    void writesEveryWritableChipThroughThePort()
    {
        QFETCH(QString, chip);
        const ProgrammerChip& kind = *FindChip(chip);
        SimLink rig;
        QVERIFY(rig.start(IButtonOption(kind)));
        const QByteArray image = Pattern(ChipSize(kind), 7);
        WriteAll(rig.dir.file("image.bin"), image);
        rig.prompts.answer(PromptAnswer::Ok);
        QCOMPARE(WriteImageToChip(rig.link, kind.write, image, rig.progress, Language::English),
                 TransferResult::Completed);
        // The simulator writes each committed page through to its chip file.
        QCOMPARE(ReadAll(rig.sim.chipFile(chip)), image);
        QCOMPARE(rig.clock.pauses, qint64(kind.write.blockCount) * kind.write.chunksPerPage * PauseAfterChunkMs);
    }

    void faultsEndAReadWithAnEmptyImage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<QString>("fault");
        QTest::newRow("programmer goes quiet mid-read")
            << QStringList{"--stall-after", "5"} << false << "Block 5 (address 0x0280): no reply within 1.1 s.";
        QTest::newRow("blocks split by a long gap")
            << QStringList{"--split-gap-ms", "15"} << false << "the reply broke off after 64 of 128 bytes.";
        QTest::newRow("blocks split by 3 ms")
            << QStringList{"--split-gap-ms", "3"} << false << "the reply broke off after 64 of 128 bytes.";
        QTest::newRow("programmer unplugged")
            << QStringList{} << true << "Block 0 (address 0x0000): the programmer was disconnected.";
    }
    void faultsEndAReadWithAnEmptyImage()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, unplug);
        QFETCH(QString, fault);
        SimLink rig;
        QVERIFY(rig.start(options));
        WriteAll(rig.dir.file("image.bin"), "old content");
        if (unplug) {
            rig.sim.command("unplug");
            QVERIFY(rig.sim.waitForExit(3000));
        }
        rig.prompts.answer(PromptAnswer::Ok);
        QCOMPARE(ReadChipToImage(rig.link, FindChip(u"24C64")->read, rig.dir.file("image.bin"), rig.progress,
                                 Language::English),
                 TransferResult::Failed);
        const QStringList lines = rig.prompts.messages().last().text.split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("Cannot read the chip: connection failed"));
        QVERIFY2(lines.last().endsWith(fault), qPrintable(lines.last()));
        QCOMPARE(QFileInfo(rig.dir.file("image.bin")).size(), 0);
        QVERIFY(!rig.port.isOpen());
    }

    void aBlockSplitByAGapWithinTheRuleIsReadWhole()
    {
        SimLink rig;
        const QByteArray content = Pattern(2048, 6);
        rig.sim.prepareChip(QStringLiteral("24C16"), content);
        QVERIFY(rig.start({QStringLiteral("--split-gap-ms"), QStringLiteral("1")}));
        // The simulator's 1 ms pause runs on a shared machine and may itself come late (a late one
        // fails its read at once); a read that took every gap for the end of a reply would fail
        // every attempt.
        bool completed = false;
        for (int attempt = 0; attempt < 10 && !completed; ++attempt) {
            rig.prompts.answer(PromptAnswer::Ok);
            QVERIFY(attempt == 0 || rig.link.OpenProgrammerPort(Language::English));
            completed = ReadChipToImage(rig.link, FindChip(u"24C16")->read, rig.dir.file("image.bin"), rig.progress,
                                        Language::English) == TransferResult::Completed;
        }
        QVERIFY(completed);
        QCOMPARE(ReadAll(rig.dir.file("image.bin")), content);
    }

    void runningReaderDeliversKeyFrames()
    {
        SimLink rig;
        QVERIFY(rig.start());
        QList<QByteArray> frames;
        rig.link.OnReaderFrame = [&](QByteArrayView frame, ReaderModes) { frames.append(frame.toByteArray()); };
        rig.link.SendPacket({pcStartTouchMemory, 0, true, {}});
        rig.link.EnterReaderMode(ReaderModes::TouchMemory);
        for (const QByteArray& command : {QByteArray("key 0A0B0C"), QByteArray("badkey 010203")}) {
            const auto before = frames.size();
            rig.sim.command(command);
            for (int tick = 0; tick < 30 && frames.size() == before; ++tick) {
                rig.clock.idleMs(PollPeriodMs);
                rig.link.PollTick();
            }
        }
        QCOMPARE(frames, (QList<QByteArray>{QByteArray::fromHex("0a0b0c21"), QByteArray::fromHex("01020307")}));
        // pcIdle stops the reader: the next key gives no frame, and the programmer answers 0x85.
        rig.link.LeaveReaderMode();
        QVERIFY(rig.link.CheckAdapter(Language::English));
        rig.link.ClosePort();
    }
};

QTEST_GUILESS_MAIN(SimLinkTest)
#include "tst_sim_link.moc"
