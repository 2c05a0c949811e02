// Packets on the wire, the chip geometry table, opening the port and the reply exchanges.

#include "LinkFakes.h"
#include "programmer/Chips.h"
#include "programmer/Packet.h"
#include "programmer/ProgrammerLink.h"
#include "support/ScriptedPrompts.h"

#include <QTest>

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QByteArray Counting(int size)
{
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(0xA0 + i);
    return bytes;
}

// A link to a present programmer behind the in-process port.
struct LinkRig {
    explicit LinkRig(FirmwareModel::Settings settings = {}) : port(clock, settings), link(port, prompts, clock)
    {
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = QStringLiteral("/dev/ttyACM0");
    }
    InstantClock clock;
    FakeProgrammerPort port;
    ScriptedPrompts prompts;
    ProgrammerLink link;
};

} // namespace

class LinkTest : public QObject {
    Q_OBJECT
private slots:
    void packetCarriesExactlyItsOwnBytes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("block");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("handshake pcIdle") << int(pcIdle) << 0 << true << QByteArray() << Hex("0b0000010000");
        QTest::newRow("version query") << int(pcVersion) << 0 << true << QByteArray() << Hex("120000010000");
        QTest::newRow("block read 15") << int(pcRead24C16) << 15 << true << QByteArray() << Hex("010f00010000");
        QTest::newRow("block 256 low byte first")
            << int(pcRead24C512) << 256 << true << QByteArray() << Hex("160001010000");
        QTest::newRow("block 1023") << int(pcRead24C1024) << 1023 << true << QByteArray() << Hex("17ff03010000");
        QTest::newRow("16-byte chunk, 22 bytes")
            << int(pcWrite24C16) << 127 << true << Counting(16) << Hex("057f000110") + Counting(16) + Hex("00");
        QTest::newRow("32-byte chunk without flag, 38 bytes")
            << int(pcWrite24C512) << 300 << false << Counting(32) << Hex("102c010020") + Counting(32) + Hex("00");
        QTest::newRow("reader start") << int(pcStartRfid) << 0 << true << QByteArray() << Hex("0a0000010000");
    }
    void packetCarriesExactlyItsOwnBytes()
    {
        QFETCH(int, code);
        QFETCH(int, block);
        QFETCH(bool, flag);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, wire);
        const Packet packet{static_cast<std::uint8_t>(code), static_cast<std::uint16_t>(block), flag, data};
        QCOMPARE(EncodePacket(packet).toHex(), wire.toHex());
        QCOMPARE(EncodePacket(packet).size(), data.size() + 6);

        QByteArray stream = wire + wire.left(3);
        const auto taken = TakePacket(stream);
        QVERIFY(taken.has_value());
        QCOMPARE(int(taken->code), code);
        QCOMPARE(int(taken->block), block);
        QCOMPARE(taken->flag, flag);
        QCOMPARE(taken->data, data);
        QCOMPARE(stream, wire.left(3)); // an incomplete packet waits for its remaining bytes
        QVERIFY(!TakePacket(stream).has_value());
    }

    void withoutAProgrammerNothingIsOpenedSentOrShown()
    {
        LinkRig rig;
        rig.link.ProgrammerPresent = false;
        QVERIFY(!rig.link.OpenProgrammerPort(Language::English));
        QVERIFY(!rig.link.CheckAdapter(Language::English));
        QCOMPARE(rig.port.openAttempts, 0);
        QVERIFY(rig.port.writes.isEmpty() && rig.prompts.messages().isEmpty());
    }

    void openFailureIsReportedWithTheWayOut_data()
    {
        QTest::addColumn<int>("openResult");
        QTest::addColumn<int>("setupResult");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("lastCaption");
        const QString busy = QStringLiteral("Device or resource busy");
        QTest::newRow("busy: two system errors, then the path")
            << int(PortOpenResult::Failed) << 0
            << QStringList{busy, busy, "This port is busy or absent (port /dev/ttyACM0)."} << "Info";
        QTest::newRow("no permission names the udev rule and dialout")
            << int(PortOpenResult::PermissionDenied) << 0
            << QStringList{busy, busy,
                           "No permission to open the port /dev/ttyACM0. Install the udev rule 60-kavro-px17.rules, "
                           "or add your user to the dialout group and log in again."}
            << "Error";
        QTest::newRow("settings unreadable") << int(PortOpenResult::Opened) << int(LineSetupResult::CannotRead)
                                             << QStringList{"Error2: cannot open the port."} << "";
        QTest::newRow("settings refused") << int(PortOpenResult::Opened) << int(LineSetupResult::CannotApply)
                                          << QStringList{"Error 3 port initialization"} << "";
        QTest::newRow("time-outs refused") << int(PortOpenResult::Opened) << int(LineSetupResult::CannotSetTimeouts)
                                           << QStringList{"Error 4 port initialization"} << "";
    }
    void openFailureIsReportedWithTheWayOut()
    {
        QFETCH(int, openResult);
        QFETCH(int, setupResult);
        QFETCH(QStringList, texts);
        QFETCH(QString, lastCaption);
        LinkRig rig;
        rig.port.openResult = static_cast<PortOpenResult>(openResult);
        rig.port.setupResult = static_cast<LineSetupResult>(setupResult);
        QVERIFY(!rig.link.OpenProgrammerPort(Language::English));
        QCOMPARE(rig.prompts.texts(), texts);
        QCOMPARE(rig.prompts.messages().last().caption, lastCaption);
        if (texts.size() > 1) QCOMPARE(rig.prompts.messages().first().caption, QStringLiteral("GetLastError"));
        QVERIFY(rig.port.writes.isEmpty() && !rig.port.isOpen());
    }

    void handshakesJudgeTheReply_data()
    {
        QTest::addColumn<bool>("versionQuery");
        QTest::addColumn<int>("firmwareVersion");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("idleReply"); // -1: the programmer's own 0x85
        QTest::addColumn<bool>("outcome");
        QTest::addColumn<bool>("reported");
        QTest::newRow("adapter answers 0x85") << false << 3 << false << -1 << true << false;
        QTest::newRow("adapter answers 0x84") << false << 3 << false << 0x84 << false << true;
        QTest::newRow("adapter silent") << false << 3 << true << -1 << false << true;
        QTest::newRow("firmware 3") << true << 3 << false << -1 << true << false;
        QTest::newRow("firmware 2 is refused without a message") << true << 2 << false << -1 << false << false;
        QTest::newRow("firmware silent") << true << 3 << true << -1 << false << true;
    }
    void handshakesJudgeTheReply()
    {
        QFETCH(bool, versionQuery);
        QFETCH(int, firmwareVersion);
        QFETCH(bool, silent);
        QFETCH(int, idleReply);
        QFETCH(bool, outcome);
        QFETCH(bool, reported);
        LinkRig rig({static_cast<std::uint8_t>(firmwareVersion), nullptr});
        rig.port.silent = silent;
        if (idleReply >= 0) rig.port.idleReplyOverride = static_cast<char>(idleReply);
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        const bool result =
            versionQuery ? rig.link.QueryAdapterVersion(Language::English) : rig.link.CheckAdapter(Language::English);
        QCOMPARE(result, outcome);
        QCOMPARE(rig.port.writes, QList<QByteArray>{Hex(versionQuery ? "120000010000" : "0b0000010000")});
        QCOMPARE(rig.prompts.messages().size(), reported ? 1 : 0);
        if (reported) {
            QCOMPARE(rig.prompts.messages()[0].text, QStringLiteral("Connection to adapter failed(0)"));
            QCOMPARE(rig.prompts.messages()[0].caption, QStringLiteral("Error"));
            QVERIFY(!rig.port.isOpen());
        }
        // A silent programmer is given up on the tick that goes above ten.
        QCOMPARE(rig.clock.idles.size(), silent ? 11 : 1);
    }

    // The window takes a reply at a poll tick, kavro-cli at once; both by the same read rule and
    // with the same time-out.
    void replyCountsOnlyWhenOneReadReturnsItWhole_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::addColumn<QByteArrayList>("pieces"); // waiting when the wait begins, after the send
        QTest::addColumn<QList<int>>("gapsUs");     // before each piece
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("complete");
        for (const bool direct : {false, true}) {
            const auto row = [direct](const char* name) {
                const QString title = QLatin1String(direct ? "direct, " : "poll ticks, ") + QLatin1String(name);
                return &(QTest::newRow(qPrintable(title)) << direct);
            };
            *row("nothing expected completes at once") << QByteArrayList{} << QList<int>{} << 0 << true;
            *row("whole reply") << QByteArrayList{"abcd"} << QList<int>{0} << 4 << true;
            *row("short reply times out") << QByteArrayList{"ab"} << QList<int>{0} << 4 << false;
            *row("split by 2 ms is one reply") << QByteArrayList{"ab", "cd"} << QList<int>{0, 2000} << 4 << true;
            *row("three pieces, each within 2 ms")
                << QByteArrayList{"a", "b", "cd"} << QList<int>{0, 1900, 2000} << 4 << true;
            *row("split by just over 2 ms times out")
                << QByteArrayList{"ab", "cd"} << QList<int>{0, 2001} << 4 << false;
            *row("split by 3 ms times out") << QByteArrayList{"ab", "cd"} << QList<int>{0, 3000} << 4 << false;
        }
    }
    void replyCountsOnlyWhenOneReadReturnsItWhole()
    {
        QFETCH(bool, direct);
        QFETCH(QByteArrayList, pieces);
        QFETCH(QList<int>, gapsUs);
        QFETCH(int, expected);
        QFETCH(bool, complete);
        LinkRig rig;
        rig.port.silent = true;
        rig.link.setReplyWait(direct ? ReplyWait::Direct : ReplyWait::PollTicks);
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        for (int i = 0; i < pieces.size(); ++i) rig.port.arriveAfterNextWrite(pieces[i], gapsUs[i]);
        const qint64 sent = rig.clock.nowMs();
        const ReplyOutcome reply = rig.link.AwaitReply({pcIdle, 0, true, {}}, static_cast<std::uint32_t>(expected));
        QCOMPARE(reply.complete, complete);
        QVERIFY(!reply.pending);
        if (complete) QCOMPARE(reply.bytes, pieces.join());
        if (!direct) {
            QCOMPARE(rig.clock.idles.size(), complete ? 1 : 11);
            return;
        }
        // Nothing waits for a tick; a reply that never comes whole is given up 1.1 s after the send.
        QVERIFY(rig.clock.idles.isEmpty());
        const qint64 waited = rig.clock.nowMs() - sent;
        if (complete)
            QVERIFY2(waited <= 2, qPrintable(QString::number(waited)));
        else
            QCOMPARE(waited, ReplyTimeoutMs);
    }

    void packetsAfterALongOneCarryOnlyTheirOwnBytes()
    {
        LinkRig rig;
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        rig.link.AwaitReply({pcWrite24C512, 0x0201, true, Counting(32)}, 1);
        QVERIFY(rig.link.CheckAdapter(Language::English));
        QCOMPARE(rig.port.writes.size(), 2);
        QCOMPARE(rig.port.writes[0].size(), 38);
        QCOMPARE(rig.port.writes[1].toHex(), Hex("0b0000010000").toHex());
    }

    // A handshake's stale answer left on the line by an exchange that timed out is thrown away
    // before the next request instead of passing for its reply.
    void aLateAnswerNeverPassesForTheNextReply()
    {
        LinkRig rig;
        rig.link.setReplyWait(ReplyWait::Direct);
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        rig.port.arrive("\x03"); // a version reply that came after its wait ended
        QVERIFY(rig.link.CheckAdapter(Language::English));
        QCOMPARE(rig.port.discarded, QByteArray("\x03"));
    }

    // While the window is idle with the port open (after a block read, during a dialog, with a key
    // reader waiting for a key), a poll tick takes what has arrived and returns at once; what comes
    // is still taken by the next tick.
    void anIdlePollTickNeverBlocks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::newRow("port left open after a block read") << int(ReaderModes::Replies) << BlockSize;
        QTest::newRow("touch-memory reader waiting for a key") << int(ReaderModes::TouchMemory) << 4;
        QTest::newRow("RFID reader waiting for a card") << int(ReaderModes::Rfid) << 4;
    }
    void anIdlePollTickNeverBlocks()
    {
        QFETCH(int, mode);
        QFETCH(int, expected);
        LinkRig rig;
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        QList<QByteArray> frames;
        rig.link.OnReaderFrame = [&](QByteArrayView frame, ReaderModes) { frames.append(frame.toByteArray()); };
        if (ReaderModes(mode) == ReaderModes::Replies) {
            rig.link.SendPacket({pcRead24C16, 0, true, {}});
            QCOMPARE(rig.link.ReadBlockReply(BlockSize), BlockReply::Whole);
            rig.port.blockedMs = 0;
        } else {
            rig.link.EnterReaderMode(ReaderModes(mode));
        }
        for (int tick = 0; tick < 50; ++tick) rig.link.PollTick();
        QCOMPARE(rig.port.blockedMs, 0);

        const QByteArray arriving = Counting(expected);
        rig.port.arrive(arriving.left(expected / 2));
        rig.port.arrive(arriving.mid(expected / 2), 1500); // the rest 1.5 ms later: one reply
        rig.link.PollTick();
        if (ReaderModes(mode) == ReaderModes::Replies)
            QCOMPARE(rig.link.LastReply().bytes, arriving);
        else
            QCOMPARE(frames, QList<QByteArray>{arriving});
        QVERIFY(rig.port.blockedMs <= 1);
    }

    // Once a reader is stopped, bytes still on the line are a reply, never a key: nothing reaches
    // the page's receiver.
    void aStoppedReaderHandsOnNoMoreFrames()
    {
        LinkRig rig;
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        QList<QByteArray> frames;
        rig.link.OnReaderFrame = [&](QByteArrayView frame, ReaderModes) { frames.append(frame.toByteArray()); };
        rig.link.EnterReaderMode(ReaderModes::TouchMemory);
        rig.port.arrive(QByteArray::fromHex("0a0b0c21"));
        rig.link.PollTick();
        rig.link.LeaveReaderMode();
        rig.port.arrive(QByteArray::fromHex("01020306"));
        rig.link.PollTick();
        QCOMPARE(frames, QList<QByteArray>{QByteArray::fromHex("0a0b0c21")});
        QCOMPARE(rig.link.readerMode(), ReaderModes::Replies);
    }

    // A port that hangs up is a lost programmer: a running reader ends and the window is told once,
    // a reply wait ends at once, and nothing reads the dead port again.
    void aHungUpPortEndsTheReaderAndEveryWaitAtOnce()
    {
        LinkRig rig;
        rig.port.unplugAfter = 0;
        QList<ReaderModes> lost;
        rig.link.OnProgrammerLost = [&](ReaderModes running) { lost.append(running); };
        QVERIFY(rig.link.OpenProgrammerPort(Language::English));
        rig.link.EnterReaderMode(ReaderModes::Rfid);
        for (int tick = 0; tick < 20; ++tick) rig.link.PollTick();
        QCOMPARE(lost, QList<ReaderModes>{ReaderModes::Rfid});
        QCOMPARE(rig.link.readerMode(), ReaderModes::Replies);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(rig.port.reads, 0);

        for (const ReplyWait wait : {ReplyWait::PollTicks, ReplyWait::Direct}) {
            QVERIFY(rig.link.OpenProgrammerPort(Language::English));
            rig.link.setReplyWait(wait);
            const qint64 sent = rig.clock.nowMs();
            const ReplyOutcome reply = rig.link.AwaitReply({pcIdle, 0, true, {}}, 1);
            QVERIFY(!reply.complete && !reply.pending);
            // One poll period at most: the first tick sees the hang-up.
            QVERIFY2(rig.clock.nowMs() - sent <= PollPeriodMs, qPrintable(QString::number(rig.clock.nowMs() - sent)));
        }
        QCOMPARE(lost.size(), 2); // the poll-tick wait found it too; the direct one left it to its caller
    }
};

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
