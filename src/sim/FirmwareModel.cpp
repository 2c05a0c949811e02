#include "sim/FirmwareModel.h"

FirmwareModel::FirmwareModel(ChipMemories& memories, Settings settings) : memories_(memories), settings_(settings)
{
    if (!settings_.ibutton) settings_.ibutton = FindChip(u"DS1996");
}

QList<FirmwareModel::Exchange> FirmwareModel::receive(QByteArrayView bytes)
{
    pending_.append(bytes);
    QList<Exchange> exchanges;
    for (QByteArray unread = pending_; auto packet = TakePacket(pending_); unread = pending_) {
        packets_.append(*packet);
        exchanges.append({unread.left(unread.size() - pending_.size()), answer(*packet)});
    }
    return exchanges;
}

const ProgrammerChip* FirmwareModel::chipForRead(std::uint8_t code) const
{
    if (code == pcReadIButton) return settings_.ibutton;
    for (const ProgrammerChip& chip : Chips)
        if (chip.read.command == code) return &chip;
    return nullptr;
}

const ProgrammerChip* FirmwareModel::chipForWrite(std::uint8_t code) const
{
    if (code == pcWriteIButton) return settings_.ibutton;
    for (const ProgrammerChip& chip : Chips)
        if (chip.write.command == code) return &chip;
    return nullptr;
}

std::optional<QByteArray> FirmwareModel::answer(const Packet& packet)
{
    switch (packet.code) {
    case pcVersion: return QByteArray(1, static_cast<char>(settings_.version));
    case pcIdle:
        readerRunning_ = false;
        pageBuffer_.clear();
        return QByteArray(1, static_cast<char>(IdleReply));
    case pcStartTouchMemory:
    case pcStartRfid: readerRunning_ = true; return std::nullopt;
    default: break;
    }
    if (const ProgrammerChip* chip = chipForRead(packet.code)) {
        // Past the end of the chip the bus reads as erased.
        const QByteArray block = memories_.memory(*chip).mid(packet.block * BlockSize, BlockSize);
        return block + QByteArray(BlockSize - block.size(), '\xFF');
    }
    if (const ProgrammerChip* chip = chipForWrite(packet.code)) {
        // The iButton writes in 32-byte pages whichever iButton it is.
        const int pageSize = packet.code == pcWriteIButton ? MaxChunkSize : chip->write.pageSize();
        pageBuffer_ += packet.data;
        if (packet.flag) {
            QByteArray page = pageBuffer_.left(pageSize);
            pageBuffer_.clear();
            if (corruptWrites_ && !page.isEmpty()) page.back() = static_cast<char>(~page.back());
            memories_.commit(*chip, packet.block * pageSize, page);
        }
        return QByteArray(1, '\0');
    }
    return std::nullopt; // an unknown command gets no answer
}

std::optional<QByteArray> FirmwareModel::keyFrame(const std::array<std::uint8_t, 3>& key, bool validChecksum) const
{
    if (!readerRunning_) return std::nullopt;
    const auto sum = static_cast<std::uint8_t>(key[0] + key[1] + key[2] + (validChecksum ? 0 : 1));
    QByteArray frame;
    for (std::uint8_t byte : key) frame.append(static_cast<char>(byte));
    frame.append(static_cast<char>(sum));
    return frame;
}
