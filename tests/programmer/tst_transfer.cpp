// Whole-chip reads and writes against the in-process programmer: what goes on the wire, what ends
// up in the image file or the chip, and what the user sees when something goes wrong.

#include "LinkFakes.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/ChipVerify.h"
#include "programmer/ProgrammerLink.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

struct TransferRig {
    explicit TransferRig(const ProgrammerChip& chip)
            : port(clock, {CompatibleFirmware, chip.read.command == pcReadIButton ? &chip : nullptr}),
              link(port, prompts, clock)
    {
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = QStringLiteral("/dev/ttyACM0");
        QVERIFY(link.OpenProgrammerPort(Language::English));
    }
    // Reads `chip` into the image file at `path`, or writes that file to it.
    TransferResult run(bool write, const ProgrammerChip& chip, const QString& path,
                       Language language = Language::English)
    {
        return write ? WriteImageToChip(link, chip.write, ReadAll(path), progress, language)
                     : ReadChipToImage(link, chip.read, path, progress, language);
    }
    WorkingDirectory dir; // where the image files are
    InstantClock clock;
    FakeProgrammerPort port;
    ScriptedPrompts prompts;
    ProgrammerLink link;
    RecordingProgress progress;
};

} // namespace

class TransferTest : public QObject {
    Q_OBJECT
private slots:
    void readFetchesEveryBlockIntoTheImage_data() { AddChipRows(false); }
    void readFetchesEveryBlockIntoTheImage()
    {
        QFETCH(QString, chip);
        const ProgrammerChip& kind = *FindChip(chip);
        TransferRig rig(kind);
        const QByteArray content = Pattern(ChipSize(kind), 5);
        rig.port.memories.memory(kind) = content;
        rig.prompts.answer(PromptAnswer::Ok);

        QCOMPARE(rig.run(false, kind, rig.dir.file("chip.bin")), TransferResult::Completed);
        QCOMPARE(ReadAll(rig.dir.file("chip.bin")), content);
        QCOMPARE(rig.prompts.messages()[0].text, QStringLiteral("Insert chip to read"));
        const auto& packets = rig.port.firmware().packets();
        QCOMPARE(packets.size(), int(kind.read.blockCount));
        for (int block = 0; block < packets.size(); ++block) {
            QCOMPARE(packets[block].block, block);
            QCOMPARE(packets[block].code, kind.read.command);
            QCOMPARE(rig.port.writes[block].size(), 6);
        }
        QCOMPARE(rig.progress.maxima, QList<int>{kind.read.blockCount});
        QCOMPARE(rig.progress.byteCounts.last(), qint64(ChipSize(kind)));
        QVERIFY(!rig.port.isOpen() && rig.progress.closed == 1);
        QVERIFY(rig.clock.sleeps.isEmpty()); // reads never pause
    }

    void writeSendsEveryPageInChunksAndFlagsItsLastChunk_data() { AddChipRows(true); }
    void writeSendsEveryPageInChunksAndFlagsItsLastChunk()
    {
        QFETCH(QString, chip);
        const ProgrammerChip& kind = *FindChip(chip);
        const ChipGeometry& geometry = kind.write;
        TransferRig rig(kind);
        rig.port.memories.memory(kind).fill('\0');
        const QByteArray image = Pattern(ChipSize(kind), 9);
        WriteAll(rig.dir.file("image.bin"), image);
        rig.prompts.answer(PromptAnswer::Ok);

        QCOMPARE(rig.run(true, kind, rig.dir.file("image.bin")), TransferResult::Completed);
        QCOMPARE(rig.port.memories.memory(kind), image);
        QCOMPARE(rig.prompts.messages()[0].text, QStringLiteral("Insert chip to wtite"));
        const auto& packets = rig.port.firmware().packets();
        QCOMPARE(packets.size(), geometry.blockCount * geometry.chunksPerPage);
        for (int i = 0; i < packets.size(); ++i) {
            QCOMPARE(int(packets[i].block), i / geometry.chunksPerPage);
            QCOMPARE(packets[i].flag, i % geometry.chunksPerPage == geometry.chunksPerPage - 1);
            QCOMPARE(rig.port.writes[i].size(), geometry.chunkSize + 6);
        }
        QCOMPARE(rig.clock.sleeps, QList<int>(packets.size(), PauseAfterChunkMs));
        // The gauge moves once per page, the count shows the bytes taken so far.
        QCOMPARE(rig.progress.positions.size(), int(geometry.blockCount));
        QCOMPARE(rig.progress.byteCounts.first(), qint64(geometry.pageSize()));
        QCOMPARE(rig.progress.byteCounts.last(), qint64(ChipSize(kind)));
        QVERIFY(!rig.port.isOpen());
    }

    void shortImageLeavesTheRestOfTheChipErased()
    {
        const ProgrammerChip& kind = *FindChip(u"24C64");
        TransferRig rig(kind);
        rig.port.memories.memory(kind).fill('\0');
        // An earlier, longer transfer must not leak into this one.
        WriteAll(rig.dir.file("long.bin"), Pattern(ChipSize(kind), 1));
        rig.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
        QCOMPARE(rig.run(true, kind, rig.dir.file("long.bin")), TransferResult::Completed);
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        WriteAll(rig.dir.file("short.bin"), Pattern(100, 2));
        QCOMPARE(rig.run(true, kind, rig.dir.file("short.bin")), TransferResult::Completed);
        QCOMPARE(rig.port.memories.memory(kind), Pattern(100, 2) + QByteArray(ChipSize(kind) - 100, '\xFF'));
    }

    void lostConnectionEndsTheTransfer_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("message");
        QTest::newRow("programmer goes quiet mid-read")
            << false << false
            << "Cannot read the chip: connection failed\nBlock 5 (address 0x0280): no reply within 1.1 s.";
        QTest::newRow("every block split by a long gap") << false << true
                                                         << "Cannot read the chip: connection failed\nBlock 0 (address "
                                                            "0x0000): the reply broke off after 64 of 128 bytes.";
        QTest::newRow("programmer goes quiet mid-write")
            << true << false
            << "Cannot write the chip: connection failed\nPage 5 (address 0x00A0): no reply within 1.1 s.";
    }
    void lostConnectionEndsTheTransfer()
    {
        QFETCH(bool, write);
        QFETCH(bool, split);
        QFETCH(QString, message);
        const ProgrammerChip& kind = *FindChip(u"24C32");
        TransferRig rig(kind);
        rig.port.memories.memory(kind).fill('\0');
        rig.port.stallAfter = split ? -1 : 5;
        if (split) rig.port.splitGapUs = 15000;
        WriteAll(rig.dir.file("chip.bin"), Pattern(4096, 4));
        rig.prompts.answer(PromptAnswer::Ok);
        const qint64 start = rig.clock.nowMs();
        QCOMPARE(rig.run(write, kind, rig.dir.file("chip.bin")), TransferResult::Failed);
        QCOMPARE(rig.prompts.messages().last().text, message);
        QCOMPARE(rig.prompts.messages().last().caption, QStringLiteral("Error"));
        QVERIFY(!rig.port.isOpen() && rig.progress.closed == 1);
        if (write) {
            // The pages acknowledged before the silence stay written.
            QCOMPARE(rig.port.memories.memory(kind).left(5 * 32), Pattern(4096, 4).left(5 * 32));
            QCOMPARE(rig.port.memories.memory(kind).mid(6 * 32, 32), QByteArray(32, '\0'));
        } else {
            QCOMPARE(QFileInfo(rig.dir.file("chip.bin")).size(), 0); // nothing partial is ever written
            // The read gives up 1.1 s after sending for the missing block, not a read's time-out
            // later; a block that broke off is refused as soon as the gap shows it.
            const qint64 waited = rig.clock.nowMs() - start;
            if (split)
                QVERIFY2(waited < ReplyTimeoutMs, qPrintable(QString::number(waited)));
            else
                QVERIFY2(waited >= ReplyTimeoutMs && waited <= ReplyTimeoutMs + 20,
                         qPrintable(QString::number(waited)));
        }
    }

    // A programmer that garbles its replies never gives a dump that passes for the chip, nor a
    // write that passes for done: the transfer stops at the first block whose reply is not exactly
    // what was asked, says which, and a hang-up ends it at once instead of waiting out the time-out.
    void aMisbehavingProgrammerNeverPassesForACompletedTransfer_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString read = QStringLiteral("Cannot read the chip: connection failed\n");
        const QString write = QStringLiteral("Cannot write the chip: connection failed\n");
        QTest::newRow("read: every reply twice")
            << false << "repeat" << read + "Block 0 (address 0x0000): extra bytes came after the 128-byte reply.";
        QTest::newRow("read: junk before every reply")
            << false << "junk" << read + "Block 0 (address 0x0000): extra bytes came after the 128-byte reply.";
        QTest::newRow("read: unplugged after two blocks")
            << false << "unplug" << read + "Block 2 (address 0x0100): the programmer was disconnected.";
        QTest::newRow("write: every acknowledgement twice")
            << true << "repeat" << write + "Page 0 (address 0x0000): extra bytes came after the 1-byte reply.";
        QTest::newRow("write: junk before every acknowledgement")
            << true << "junk" << write + "Page 0 (address 0x0000): extra bytes came after the 1-byte reply.";
        QTest::newRow("write: unplugged after two pages")
            << true << "unplug" << write + "Page 2 (address 0x0040): the programmer was disconnected.";
    }
    void aMisbehavingProgrammerNeverPassesForACompletedTransfer()
    {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const ProgrammerChip& kind = *FindChip(u"24C32");
        TransferRig rig(kind);
        rig.port.memories.memory(kind) = Pattern(4096, 3);
        rig.port.repeatReplies = fault == "repeat";
        if (fault == "junk") rig.port.junkBeforeReplies = "\x55\xAA";
        if (fault == "unplug") rig.port.unplugAfter = 2;
        WriteAll(rig.dir.file("chip.bin"), Pattern(4096, 4));
        rig.prompts.answer(PromptAnswer::Ok);
        const qint64 start = rig.clock.nowMs();

        QCOMPARE(rig.run(write, kind, rig.dir.file("chip.bin")), TransferResult::Failed);
        QCOMPARE(rig.prompts.texts().last(), message);
        QVERIFY(!rig.port.isOpen() && rig.progress.closed == 1);
        if (!write) QVERIFY(rig.progress.positions.size() <= 2); // no block after the bad one counts as read
        // Refused as soon as the reply shows its fault: no wait for a time-out, no read after the next.
        QVERIFY2(rig.clock.nowMs() - start < ReplyTimeoutMs, qPrintable(QString::number(rig.clock.nowMs() - start)));
        QVERIFY(rig.port.reads <= 2 * 3 + 2);
    }

    // What a partial read, a cancelled one or a time-out left on the line is thrown away before the
    // next request: the next transfer reads the chip exactly.
    void bytesLeftOnTheLineNeverShiftTheNextTransfer()
    {
        const ProgrammerChip& kind = *FindChip(u"24C16");
        TransferRig rig(kind);
        rig.port.memories.memory(kind) = Pattern(2048, 8);
        rig.port.arrive(QByteArray(100, '\x11')); // a reply nobody took
        rig.prompts.answer(PromptAnswer::Ok);
        QCOMPARE(rig.run(false, kind, rig.dir.file("chip.bin")), TransferResult::Completed);
        QCOMPARE(ReadAll(rig.dir.file("chip.bin")), Pattern(2048, 8));
        QCOMPARE(rig.port.discarded, QByteArray(100, '\x11'));
    }

    void aTransferThatNeverStartsSendsNothingAndChangesNothing_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("read cancelled at the prompt") << false << "chip.bin"
                                                      << "Вставьте микросхему для чтения";
        QTest::newRow("write cancelled at the prompt") << true << "chip.bin"
                                                       << "Вставьте микросхему для записи";
        QTest::newRow("read into a folder") << false << "folder"
                                            << "Ошибка открытия файла для записи";
        QTest::newRow("read onto a symbolic link") << false << "link"
                                                   << "Ошибка открытия файла для записи";
    }
    void aTransferThatNeverStartsSendsNothingAndChangesNothing()
    {
        QFETCH(bool, write);
        QFETCH(QString, target);
        QFETCH(QString, message);
        const ProgrammerChip& kind = *FindChip(u"24C16");
        TransferRig rig(kind);
        const QByteArray before = rig.port.memories.memory(kind);
        WriteAll(rig.dir.file("chip.bin"), Pattern(2048, 3));
        QVERIFY(QDir(rig.dir.path()).mkdir("folder"));
        QVERIFY(QFile::link(rig.dir.file("chip.bin"), rig.dir.file("link")));
        const bool usableFile = target == "chip.bin";
        const QString path = rig.dir.file(target);
        if (usableFile) rig.prompts.answer(PromptAnswer::Cancel);
        QCOMPARE(rig.run(write, kind, path, Language::Russian),
                 usableFile ? TransferResult::Cancelled : TransferResult::Failed);
        QCOMPARE(rig.prompts.messages().size(), 1);
        QVERIFY(rig.prompts.messages()[0].text.startsWith(message));
        if (usableFile) {
            QCOMPARE(rig.prompts.messages()[0].caption, QStringLiteral("Сообщение"));
            QCOMPARE(rig.prompts.messages()[0].buttons, PromptButtons::OkCancel);
        } else {
            QVERIFY(rig.prompts.messages()[0].text.contains(path)); // the message names the file
        }
        QVERIFY(rig.port.writes.isEmpty() && !rig.port.isOpen());
        // A cancelled read leaves no image file; a refused one leaves what a link points to; a
        // cancelled write leaves the chip as it was.
        QCOMPARE(QFileInfo::exists(rig.dir.file("chip.bin")), write || !usableFile);
        QCOMPARE(ReadAll(rig.dir.file("chip.bin")), write || !usableFile ? Pattern(2048, 3) : QByteArray());
        QCOMPARE(rig.port.memories.memory(kind), before);
    }

    // The check after a write reads the chip where it is, without asking for it again, and counts
    // every byte that differs from what was sent, completed with 0xFF to the chip's size.
    void verifyComparesTheWholeChipWithWhatWasSent_data()
    {
        QTest::addColumn<int>("sentSize");
        QTest::addColumn<bool>("corrupt");
        QTest::addColumn<int>("differing");
        QTest::addColumn<int>("first");
        QTest::newRow("chip holds the image") << 8192 << false << 0 << -1;
        QTest::newRow("short image, chip erased behind it") << 1000 << false << 0 << -1;
        QTest::newRow("every page lost its last byte") << 8192 << true << 256 << 31;
        QTest::newRow("longer image: only the chip's size counts") << 9000 << false << 0 << -1;
    }
    void verifyComparesTheWholeChipWithWhatWasSent()
    {
        QFETCH(int, sentSize);
        QFETCH(bool, corrupt);
        QFETCH(int, differing);
        QFETCH(int, first);
        const ProgrammerChip& kind = *FindChip(u"24C64");
        TransferRig rig(kind);
        const QByteArray sent = Pattern(sentSize, 8);
        WriteAll(rig.dir.file("image.bin"), sent);
        rig.port.corruptWrites = corrupt;
        rig.prompts.answer(PromptAnswer::Ok);
        QCOMPARE(rig.run(true, kind, rig.dir.file("image.bin")), TransferResult::Completed);
        const int writes = rig.port.writes.size();

        const VerifyResult result = VerifyChipAgainstImage(rig.link, kind, sent, rig.progress, Language::English);
        QVERIFY(result.readBack);
        QCOMPARE(result.differingBytes, differing);
        QCOMPARE(result.firstDifference, first);
        QCOMPARE(result.matches(), differing == 0);
        QCOMPARE(result.chip, rig.port.memories.memory(kind));
        QCOMPARE(rig.prompts.messages().size(), 1); // only the write's insert-chip question
        QCOMPARE(rig.port.writes.size() - writes, int(kind.read.blockCount));
        QCOMPARE(rig.progress.maxima.last(), int(kind.read.blockCount));
        QVERIFY(!rig.port.isOpen());
    }

    void verifyMessageNamesTheCountAndFirstAddress_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("ru") << int(Language::Russian)
                            << "Ошибка проверки: содержимое микросхемы отличается от данных (отличающихся байт: 3, "
                               "первый адрес 0x1FFFF)";
        QTest::newRow("en") << int(Language::English)
                            << "Verification failed: the chip differs from the data (differing bytes: 3, first address "
                               "0x1FFFF)";
    }
    void verifyMessageNamesTheCountAndFirstAddress()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        VerifyResult result;
        result.readBack = true;
        result.differingBytes = 3;
        result.firstDifference = 0x1FFFF;
        ScriptedPrompts prompts;
        ShowVerifyMismatch(prompts, result, static_cast<Language>(language));
        QCOMPARE(prompts.texts(), QStringList{text});
        QCOMPARE(prompts.messages()[0].caption, QString::fromUtf8(language == 0 ? "Ошибка" : "Error"));
    }

    void verifyThatCannotReadBackSaysSo()
    {
        const ProgrammerChip& kind = *FindChip(u"24C16");
        TransferRig rig(kind);
        rig.link.ClosePort();
        rig.port.stallAfter = 3;
        const VerifyResult result =
            VerifyChipAgainstImage(rig.link, kind, Pattern(2048), rig.progress, Language::English);
        QVERIFY(!result.readBack && !result.matches());
        QCOMPARE(
            rig.prompts.texts(),
            QStringList{"Cannot read the chip: connection failed\nBlock 3 (address 0x0180): no reply within 1.1 s."});
        QVERIFY(!rig.port.isOpen());
    }
};

QTEST_GUILESS_MAIN(TransferTest)
#include "tst_transfer.moc"
