#include "programmer/KeyReaders.h"

bool StartReader(ProgrammerLink& link, KeyReader reader, Language language)
{
    if (!link.OpenProgrammerPort(language)) return false;
    const bool touchMemory = reader == KeyReader::TouchMemory;
    link.SendPacket({touchMemory ? pcStartTouchMemory : pcStartRfid, 0, true, {}});
    link.EnterReaderMode(touchMemory ? ReaderModes::TouchMemory : ReaderModes::Rfid);
    return true;
}

void StopReader(ProgrammerLink& link)
{
    link.LeaveReaderMode();
    link.AwaitReply({pcIdle, 0, true, {}}, 0);
    link.ClosePort();
}

std::optional<KeyBytes> KeyOfFrame(QByteArrayView frame)
{
    if (frame.size() < static_cast<qsizetype>(ReaderFrameLength)) return std::nullopt;
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(frame[i]); };
    if (static_cast<std::uint8_t>(byte(0) + byte(1) + byte(2)) != byte(3)) return std::nullopt;
    return KeyBytes{byte(0), byte(1), byte(2)};
}
