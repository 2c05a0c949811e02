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

int ProgrammerLink::OpenProgrammerPort(Language language, PortReport report)
{
    using namespace LinkTexts;
    if (!ProgrammerPresent) return 1;
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
        return 1;
    }
    if (result != PortOpenResult::Opened) {
        const QString busy = PortBusy.in(language) + ProgrammerPortPath + QStringLiteral(").");
        prompts_.message(everyAttempt ? busy : busy + QStringLiteral("\n") + port_.errorText(), Info.in(language),
                         PromptButtons::Ok, PromptIcon::Information);
        return 1;
    }
    const LineSetupResult setup = port_.configure();
    if (setup == LineSetupResult::Applied) return 0;
    const Bilingual& text = setup == LineSetupResult::CannotRead    ? CannotReadSettings
                          : setup == LineSetupResult::CannotApply ? CannotApplySettings
                                                                  : CannotSetTimeouts;
    ClosePort();
    prompts_.message(everyAttempt ? text.in(language) : text.in(language) + QStringLiteral("\n") + ProgrammerPortPath,
                     QString(), PromptButtons::Ok, PromptIcon::Error);
    return 1;
}

void ProgrammerLink::ClosePort() { port_.close(); }

void ProgrammerLink::SendPacket(int length)
{
    port_.clearErrors();
    port_.purge();
    port_.write(QByteArrayView(CommandBuffer.data(), std::clamp(length, 0, PacketBufferSize)));
}

int ProgrammerLink::PreparePacket(const Packet& packet)
{
    const QByteArray bytes = EncodePacket(packet);
    CommandBuffer.fill(0);
    std::copy(bytes.begin(), bytes.end(), CommandBuffer.begin());
    return static_cast<int>(bytes.size());
}

void ProgrammerLink::AwaitReply(std::uint32_t expected, int packetLength)
{
    ExpectedReplyLength = expected;
    ReplyComplete = false;
    ReplyPending = true;
    ReplyTicks = 0;
    SendPacket(packetLength);
    if (ReplyWaitMode == ReplyWait::Direct) {
        ReadWholeReply(expected);
        return;
    }
    drivingTicks_ = true;
    while (!ReplyComplete && ReplyPending) {
        clock_.idleMs(PollPeriodMs);
        Tick();
    }
    drivingTicks_ = false;
}

bool ProgrammerLink::ReadWholeReply(std::uint32_t expected)
{
    ExpectedReplyLength = expected;
    ReplyPending = true;
    ReplyComplete = false;
    ReplyTicks = 0;
    const qint64 deadline = clock_.nowMs() + ReplyTimeoutMs;
    do {
        ReadReply(expected, static_cast<int>(deadline - clock_.nowMs()));
        ReplyComplete = ReplyLength == expected;
    } while (!ReplyComplete && !LineGone() && clock_.nowMs() < deadline);
    ReplyPending = false;
    return ReplyComplete;
}

BlockReply ProgrammerLink::ReadBlockReply(std::uint32_t expected)
{
    ExpectedReplyLength = expected;
    ReplyPending = true;
    ReplyComplete = false;
    ReplyTicks = 0;
    ReplyLength = 0;
    const qint64 deadline = clock_.nowMs() + ReplyTimeoutMs;
    BlockReply outcome = BlockReply::Missing;
    while (clock_.nowMs() < deadline) {
        if (LineGone()) {
            outcome = BlockReply::Lost;
            break;
        }
        ReadReply(expected, static_cast<int>(deadline - clock_.nowMs()));
        if (ReplyLength == expected) {
            outcome = port_.read(1, ReadGapMs).isEmpty() ? BlockReply::Whole : BlockReply::Long;
            break;
        }
        if (ReplyLength != 0) {
            outcome = port_.hungUp() ? BlockReply::Lost : BlockReply::Short;
            break;
        }
    }
    if (outcome == BlockReply::Missing && LineGone()) outcome = BlockReply::Lost;
    ReplyPending = false;
    ReplyComplete = outcome == BlockReply::Whole;
    return outcome;
}

void ProgrammerLink::PollTick()
{
    if (!drivingTicks_) Tick();
}

void ProgrammerLink::Tick()
{
    if (ReplyPending && ++ReplyTicks > ReplyTimeoutTicks) ReplyPending = false;
    if (port_.hasInput()) ReadReply(ExpectedReplyLength, ReadTimeoutMs(static_cast<int>(ExpectedReplyLength)));
    else ReplyLength = 0;
    if (port_.hungUp()) {
        LoseProgrammer();
        return;
    }
    if (ReaderMode == ReaderModes::Replies) {
        if (ReplyLength == ExpectedReplyLength) {
            ReplyPending = false;
            ReplyComplete = true;
        }
    } else if (ReplyLength != 0) {
        port_.purge();
        if (OnReaderFrame)
            OnReaderFrame(QByteArrayView(ReplyBuffer.data(), static_cast<qsizetype>(ReplyLength)), ReaderMode);
    }
}

bool ProgrammerLink::LineGone() const { return port_.hungUp() || !port_.isOpen(); }

void ProgrammerLink::LoseProgrammer()
{
    ClosePort();
    ReplyPending = false;
    const ReaderModes running = std::exchange(ReaderMode, ReaderModes::Replies);
    if (OnProgrammerLost) OnProgrammerLost(running);
}

void ProgrammerLink::ReadReply(std::uint32_t count, int limitMs)
{
    const QByteArray bytes = port_.read(static_cast<int>(std::min<std::uint32_t>(count, PacketBufferSize)), limitMs);
    std::copy(bytes.begin(), bytes.end(), ReplyBuffer.begin());
    ReplyLength = static_cast<std::uint32_t>(bytes.size());
}

void ProgrammerLink::ShowAdapterSilent(Language language)
{
    prompts_.message(LinkTexts::AdapterSilent.in(language), LinkTexts::ErrorLoud.in(language), PromptButtons::Ok,
                     PromptIcon::Error);
}

bool ProgrammerLink::CheckAdapter(Language language)
{
    if (!ProgrammerPresent) return false;
    AwaitReply(1, PreparePacket({pcIdle, 0, true, {}}));
    if (ReplyLength != 0 && ReplyBuffer[0] == IdleReply) return true;
    ClosePort();
    ShowAdapterSilent(language);
    return false;
}

bool ProgrammerLink::QueryAdapterVersion(Language language)
{
    AwaitReply(1, PreparePacket({pcVersion, 0, true, {}}));
    if (ReplyLength == 0) {
        ClosePort();
        ShowAdapterSilent(language);
        return false;
    }
    return ReplyBuffer[0] == CompatibleFirmware;
}
