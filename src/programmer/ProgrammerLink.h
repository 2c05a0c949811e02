#pragma once
// The programmer's port and its packet exchange: opening with the fixed line settings, sending
// packets, the timed reply wait, the two handshakes and the 100 ms poll tick.

#include "model/Language.h"
#include "programmer/Packet.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <functional>

class Clock;
class Prompts;
class SerialPort;

constexpr int PollPeriodMs = 100;
constexpr std::uint32_t ReplyTimeoutTicks = 10; // the wait ends on the tick that goes above this

enum class ReaderModes { Replies = 0, TouchMemory = 1, Rfid = 2 };

// How a port that cannot be opened is reported: each failed attempt with the system's text and
// then the outcome, or the outcome alone with the system's text and the port in it (at start-up,
// before the user has asked for anything).
enum class PortReport { EveryAttempt, OutcomeOnly };
// How a command exchange waits for its reply. The window reads replies in its poll ticks, so a
// reply is taken at the tick after it came; a program without a user interface reads the port
// directly and takes the reply the moment it is whole. Both give up after the same time.
enum class ReplyWait { PollTicks, Direct };

// The time-out of a reply, counted from the send: 11 poll periods.
constexpr qint64 ReplyTimeoutMs = (ReplyTimeoutTicks + 1) * PollPeriodMs;

// How the reply to a block request (a chip block, a chunk's acknowledgement) came. Only a whole
// reply is taken: anything else would shift every later block by the bytes too many or too few.
enum class BlockReply {
    Whole,   // exactly the bytes asked for in one read within the time-out, and nothing after them
    Missing, // nothing came within the time-out
    Short,   // fewer bytes: the reply broke off (a gap above 2 ms) or ran past the time-out
    Long,    // more bytes followed the reply within 2 ms
    Lost,    // the port hung up or is closed
};

class ProgrammerLink {
public:
    ProgrammerLink(SerialPort& port, Prompts& prompts, Clock& clock);

    // 0 when the port is open and configured, 1 when not (already reported to the user, or
    // silently while no programmer is present).
    int OpenProgrammerPort(Language language, PortReport report = PortReport::EveryAttempt);
    void ClosePort();
    // Sends the first `length` bytes of CommandBuffer. Bytes waiting on the port are thrown away
    // first, so that nothing left from an earlier exchange passes for this request's reply.
    void SendPacket(int length);
    // Builds `packet` in CommandBuffer (every byte it does not set is zero) and returns its length.
    int PreparePacket(const Packet& packet);
    // Sends the prepared packet and waits, as ReplyWaitMode says, until one read returns `expected`
    // bytes or the time-out passes; ReplyLength and ReplyBuffer hold the outcome.
    void AwaitReply(std::uint32_t expected, int packetLength);
    // Arms the reply time-out and reads the port directly, without waiting for a poll tick, until
    // one read returns `expected` bytes; false when ReplyTimeoutMs from now pass first. Each read
    // waits no longer than the time left. Called right after a packet was sent. A hung-up or closed
    // port ends the wait at once.
    bool ReadWholeReply(std::uint32_t expected);
    // The reply to a block request just sent, read directly under the same time-out; ReplyBuffer
    // holds it when whole. A reply is too long when another byte follows it within the read rule's
    // 2 ms gap, which costs that gap after each block.
    BlockReply ReadBlockReply(std::uint32_t expected);
    // pcIdle answered with 0x85. A failure closes the port and is reported.
    bool CheckAdapter(Language language);
    // pcVersion answered with 3. Silence closes the port and is reported; another version is not.
    bool QueryAdapterVersion(Language language);

    // One tick of the 100 ms poll timer. While a reply wait drives the ticks itself, a tick from
    // the window's timer does nothing. A tick takes what has arrived and returns: it waits for
    // more only while a reply or frame is coming in, never for one that has not begun, so the
    // window is not held by an idle tick. A port found hung up is closed, ends a reply wait and a
    // running key reader, and is reported through OnProgrammerLost.
    void PollTick();

    SerialPort& port() { return port_; }
    Prompts& prompts() { return prompts_; }
    Clock& clock() { return clock_; }

    QString ProgrammerPortPath;
    bool ProgrammerPresent = false;
    std::array<std::uint8_t, PacketBufferSize> CommandBuffer{};
    std::array<std::uint8_t, PacketBufferSize> ReplyBuffer{};
    std::uint32_t ExpectedReplyLength = 0;
    std::uint32_t ReplyLength = 0;
    bool ReplyPending = false;
    bool ReplyComplete = false;
    std::uint32_t ReplyTicks = 0;
    ReaderModes ReaderMode = ReaderModes::Replies;
    ReplyWait ReplyWaitMode = ReplyWait::PollTicks;
    // Receives each key reader frame read by a tick in reader mode 1 or 2.
    std::function<void(QByteArrayView frame, ReaderModes mode)> OnReaderFrame;
    // Told when a tick found the port hung up, after it was closed; `readerMode` is the mode that
    // was running (a key reader is over: ReaderMode is back to Replies).
    std::function<void(ReaderModes readerMode)> OnProgrammerLost;

private:
    void Tick();
    // Reads up to `count` bytes, waiting at most `limitMs`, into ReplyBuffer; ReplyLength becomes
    // the count.
    void ReadReply(std::uint32_t count, int limitMs);
    // The port hung up, or was closed under a wait: nothing more can arrive.
    bool LineGone() const;
    void LoseProgrammer();
    void ShowAdapterSilent(Language language);

    SerialPort& port_;
    Prompts& prompts_;
    Clock& clock_;
    bool drivingTicks_ = false;
};
