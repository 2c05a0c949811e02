#include "programmer/KeyReaders.h"

namespace {
constexpr std::uint32_t FrameLength = 4;
}

bool StartReader(ProgrammerLink& link, KeyReader reader, Language language)
{
    if (link.OpenProgrammerPort(language) != 0) return false;
    const int length = link.PreparePacket({reader == KeyReader::TouchMemory ? pcStartTouchMemory : pcStartRfid, 0, true, {}});
    link.ExpectedReplyLength = FrameLength;
    link.ReaderMode = ReaderModes::Replies;
    link.ReplyComplete = false;
    link.ReplyPending = true;
    link.ReplyTicks = 0;
    link.SendPacket(length);
    link.ReaderMode = reader == KeyReader::TouchMemory ? ReaderModes::TouchMemory : ReaderModes::Rfid;
    return true;
}

void StopReader(ProgrammerLink& link)
{
    link.ReaderMode = ReaderModes::Replies;
    link.AwaitReply(0, link.PreparePacket({pcIdle, 0, true, {}}));
    link.ClosePort();
}

std::optional<KeyBytes> KeyOfFrame(QByteArrayView frame)
{
    if (frame.size() < static_cast<qsizetype>(FrameLength)) return std::nullopt;
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(frame[i]); };
    if (static_cast<std::uint8_t>(byte(0) + byte(1) + byte(2)) != byte(3)) return std::nullopt;
    return KeyBytes{byte(0), byte(1), byte(2)};
}
