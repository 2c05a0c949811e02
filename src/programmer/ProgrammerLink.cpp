#include "programmer/ProgrammerLink.h"

#include "model/Prompts.h"
#include "programmer/Clock.h"
#include "programmer/LinkTexts.h"
#include "programmer/SerialPort.h"

#include <algorithm>
#include <utility>

ProgrammerLink::ProgrammerLink(SerialPort& port, Prompts& prompts, Clock& clock)
        : port_(port), prompts_(prompts), clock_(clock)
{
}

bool ProgrammerLink::OpenProgrammerPort(Language language, PortReport report)
{
    using namespace LinkTexts;
    if (!ProgrammerPresent) return false;
    const bool everyAttempt = report == PortReport::EveryAttempt;
    PortOpenResult result = PortOpenResult::Failed;
    for (int attempt = 0; attempt < 2 && result != PortOpenResult::Opened; ++attempt) {
        result = port_.open(ProgrammerPortPath);
        if (result != PortOpenResult::Opened && everyAttempt)
            prompts_.message(port_.errorText(), QStringLiteral("GetLastError"), PromptButtons::Ok,
                             PromptIcon::Information);
    }
    if (result == PortOpenResult::PermissionDenied) {
        prompts_.message(NoPermission.in(language).arg(ProgrammerPortPath), Error.in(language), PromptButtons::Ok,
                         PromptIcon::Error);
        return false;
    }
    if (result != PortOpenResult::Opened) {
        const QString busy = PortBusy.in(language) + ProgrammerPortPath + QStringLiteral(").");
        prompts_.message(everyAttempt ? busy : busy + QStringLiteral("\n") + port_.errorText(), Info.in(language),
                         PromptButtons::Ok, PromptIcon::Information);
        return false;
    }
    const LineSetupResult setup = port_.configure();
    if (setup == LineSetupResult::Applied) return true;
    const Bilingual& text = setup == LineSetupResult::CannotRead    ? CannotReadSettings
                            : setup == LineSetupResult::CannotApply ? CannotApplySettings
                                                                    : CannotSetTimeouts;
    ClosePort();
    prompts_.message(everyAttempt ? text.in(language) : text.in(language) + QStringLiteral("\n") + ProgrammerPortPath,
                     QString(), PromptButtons::Ok, PromptIcon::Error);
    return false;
}

void ProgrammerLink::ClosePort() { port_.close(); }

void ProgrammerLink::SendPacket(const Packet& packet)
{
    const QByteArray bytes = EncodePacket(packet);
    port_.clearErrors();
    port_.purge();
    port_.write(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), PacketBufferSize)));
}

void ProgrammerLink::ArmReply(std::uint32_t expected)
{
    expectedReplyLength_ = expected;
    replyPending_ = true;
    replyComplete_ = false;
    replyTicks_ = 0;
}

ReplyOutcome ProgrammerLink::AwaitReply(const Packet& request, std::uint32_t expected)
{
    ArmReply(expected);
    SendPacket(request);
    if (replyWait_ == ReplyWait::Direct) {
        ReadWholeReply();
        return LastReply();
    }
    drivingTicks_ = true;
    while (!replyComplete_ && replyPending_) {
        clock_.idleMs(PollPeriodMs);
        Tick();
    }
    drivingTicks_ = false;
    return LastReply();
}

void ProgrammerLink::ReadWholeReply()
{
    const qint64 deadline = clock_.nowMs() + ReplyTimeoutMs;
    do {
        ReadReply(expectedReplyLength_, static_cast<int>(deadline - clock_.nowMs()));
        replyComplete_ = lastRead_.size() == expectedReplyLength_;
    } while (!replyComplete_ && !LineGone() && clock_.nowMs() < deadline);
    replyPending_ = false;
}

BlockReply ProgrammerLink::ReadBlockReply(std::uint32_t expected)
{
    ArmReply(expected);
    lastRead_.clear();
    const qint64 deadline = clock_.nowMs() + ReplyTimeoutMs;
    BlockReply outcome = BlockReply::Missing;
    while (clock_.nowMs() < deadline) {
        if (LineGone()) {
            outcome = BlockReply::Lost;
            break;
        }
        ReadReply(expected, static_cast<int>(deadline - clock_.nowMs()));
        if (lastRead_.size() == expected) {
            outcome = port_.read(1, ReadGapMs).isEmpty() ? BlockReply::Whole : BlockReply::Long;
            break;
        }
        if (!lastRead_.isEmpty()) {
            outcome = port_.hungUp() ? BlockReply::Lost : BlockReply::Short;
            break;
        }
    }
    if (outcome == BlockReply::Missing && LineGone()) outcome = BlockReply::Lost;
    replyPending_ = false;
    replyComplete_ = outcome == BlockReply::Whole;
    return outcome;
}

void ProgrammerLink::EnterReaderMode(ReaderModes reader)
{
    ArmReply(ReaderFrameLength);
    readerMode_ = reader;
}

void ProgrammerLink::LeaveReaderMode() { readerMode_ = ReaderModes::Replies; }

ReplyOutcome ProgrammerLink::LastReply() const { return {replyPending_, replyComplete_, lastRead_}; }

void ProgrammerLink::PollTick()
{
    if (!drivingTicks_) Tick();
}

void ProgrammerLink::Tick()
{
    if (replyPending_ && ++replyTicks_ > ReplyTimeoutTicks) replyPending_ = false;
    if (port_.hasInput())
        ReadReply(expectedReplyLength_, ReadTimeoutMs(static_cast<int>(expectedReplyLength_)));
    else
        lastRead_.clear();
    if (port_.hungUp()) {
        LoseProgrammer();
        return;
    }
    if (readerMode_ == ReaderModes::Replies) {
        if (lastRead_.size() == expectedReplyLength_) {
            replyPending_ = false;
            replyComplete_ = true;
        }
    } else if (!lastRead_.isEmpty()) {
        port_.purge();
        if (OnReaderFrame) OnReaderFrame(lastRead_, readerMode_);
    }
}

bool ProgrammerLink::LineGone() const { return port_.hungUp() || !port_.isOpen(); }

void ProgrammerLink::LoseProgrammer()
{
    ClosePort();
    replyPending_ = false;
    const ReaderModes running = std::exchange(readerMode_, ReaderModes::Replies);
    if (OnProgrammerLost) OnProgrammerLost(running);
}

void ProgrammerLink::ReadReply(std::uint32_t count, int limitMs)
{
    lastRead_ = port_.read(static_cast<int>(std::min<std::uint32_t>(count, PacketBufferSize)), limitMs);
}

void ProgrammerLink::ShowAdapterSilent(Language language)
{
    prompts_.message(LinkTexts::AdapterSilent.in(language), LinkTexts::ErrorLoud.in(language), PromptButtons::Ok,
                     PromptIcon::Error);
}

bool ProgrammerLink::CheckAdapter(Language language)
{
    if (!ProgrammerPresent) return false;
    const QByteArray reply = AwaitReply({pcIdle, 0, true, {}}, 1).bytes;
    if (!reply.isEmpty() && static_cast<std::uint8_t>(reply[0]) == IdleReply) return true;
    ClosePort();
    ShowAdapterSilent(language);
    return false;
}

bool ProgrammerLink::QueryAdapterVersion(Language language)
{
    const QByteArray reply = AwaitReply({pcVersion, 0, true, {}}, 1).bytes;
    if (reply.isEmpty()) {
        ClosePort();
        ShowAdapterSilent(language);
        return false;
    }
    return static_cast<std::uint8_t>(reply[0]) == CompatibleFirmware;
}
