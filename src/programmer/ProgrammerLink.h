#pragma once
// The programmer's port and its packet exchange: opening with the fixed line settings, sending
// packets, the timed reply wait, the two handshakes and the 100 ms poll tick.

#include "model/Language.h"
#include "programmer/Packet.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>

class Clock;
class Prompts;
class SerialPort;

constexpr int PollPeriodMs = 100;
constexpr std::uint32_t ReplyTimeoutTicks = 10; // the wait ends on the tick that goes above this

enum class ReaderModes { Replies = 0, TouchMemory = 1, Rfid = 2 };
// A running key reader sends three key bytes and their checksum per frame.
constexpr std::uint32_t ReaderFrameLength = 4;

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

// What the last reply wait and the last read of the port came to.
struct ReplyOutcome {
    bool pending = false;  // a reply is armed and has neither come whole nor timed out yet
    bool complete = false; // the armed reply came whole
    QByteArray bytes;      // what the last read took: the reply itself when complete
};

class ProgrammerLink {
public:
    ProgrammerLink(SerialPort& port, Prompts& prompts, Clock& clock);

    // True when the port is open and configured; false when not (already reported to the user,
    // or silently while no programmer is present).
    bool OpenProgrammerPort(Language language, PortReport report = PortReport::EveryAttempt);
    void ClosePort();
    // Sends `packet`. Bytes waiting on the port are thrown away first, so that nothing left from
    // an earlier exchange passes for this request's reply.
    void SendPacket(const Packet& packet);
    // Sends `request` and waits, as the reply wait says, until one read returns `expected` bytes
    // or the time-out passes.
    ReplyOutcome AwaitReply(const Packet& request, std::uint32_t expected);
    // The reply to a block request just sent, read directly under the reply time-out; LastReply()
    // holds it when whole. A reply is too long when another byte follows it within the read
    // rule's 2 ms gap, which costs that gap after each block.
    BlockReply ReadBlockReply(std::uint32_t expected);
    // From now on the poll ticks hand each frame of a running key reader to OnReaderFrame.
    void EnterReaderMode(ReaderModes reader);
    // Replies are exchanges again; frames still arriving are no longer handed on.
    void LeaveReaderMode();
    ReaderModes readerMode() const { return readerMode_; }
    ReplyOutcome LastReply() const;
    ReplyWait replyWait() const { return replyWait_; }
    void setReplyWait(ReplyWait wait) { replyWait_ = wait; }
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
    // Receives each key reader frame read by a tick in reader mode 1 or 2.
    std::function<void(QByteArrayView frame, ReaderModes mode)> OnReaderFrame;
    // Told when a tick found the port hung up, after it was closed; `readerMode` is the mode that
    // was running (a key reader is over: the link is back to replies).
    std::function<void(ReaderModes readerMode)> OnProgrammerLost;

private:
    // Starts the wait for a reply of `expected` bytes: pending, not yet whole, no tick counted.
    void ArmReply(std::uint32_t expected);
    // Reads the port directly, without waiting for a poll tick, until one read returns the armed
    // reply whole or ReplyTimeoutMs from now pass. Each read waits no longer than the time left.
    // A hung-up or closed port ends the wait at once.
    void ReadWholeReply();
    void Tick();
    // Reads up to `count` bytes, waiting at most `limitMs`; they become the last read.
    void ReadReply(std::uint32_t count, int limitMs);
    // The port hung up, or was closed under a wait: nothing more can arrive.
    bool LineGone() const;
    void LoseProgrammer();
    void ShowAdapterSilent(Language language);

    SerialPort& port_;
    Prompts& prompts_;
    Clock& clock_;
    bool drivingTicks_ = false;
    QByteArray lastRead_;
    std::uint32_t expectedReplyLength_ = 0;
    bool replyPending_ = false;
    bool replyComplete_ = false;
    std::uint32_t replyTicks_ = 0;
    ReaderModes readerMode_ = ReaderModes::Replies;
    ReplyWait replyWait_ = ReplyWait::PollTicks;
};
