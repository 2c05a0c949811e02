#include "programmer/Packet.h"

QByteArray EncodePacket(const Packet& packet)
{
    const auto length = static_cast<int>(packet.data.size());
    QByteArray bytes(length + PacketOverhead, '\0');
    bytes[0] = static_cast<char>(packet.code);
    bytes[1] = static_cast<char>(packet.block & 0xFF);
    bytes[2] = static_cast<char>(packet.block >> 8);
    bytes[3] = static_cast<char>(packet.flag ? 1 : 0);
    bytes[4] = static_cast<char>(length);
    std::copy(packet.data.begin(), packet.data.end(), bytes.begin() + 5);
    return bytes;
}

std::optional<Packet> TakePacket(QByteArray& pending)
{
    while (pending.size() >= 5) {
        const int length = static_cast<std::uint8_t>(pending[4]);
        if (length > MaxChunkSize) {
            pending.remove(0, 1);
            continue;
        }
        if (pending.size() < length + PacketOverhead) return std::nullopt;
        Packet packet;
        packet.code = static_cast<std::uint8_t>(pending[0]);
        packet.block = static_cast<std::uint16_t>(static_cast<std::uint8_t>(pending[1]) |
                                                  static_cast<std::uint8_t>(pending[2]) << 8);
        packet.flag = pending[3] != 0;
        packet.data = pending.mid(5, length);
        pending.remove(0, length + PacketOverhead);
        return packet;
    }
    return std::nullopt;
}
