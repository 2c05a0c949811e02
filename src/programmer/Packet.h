#pragma once
// The programmer's command packets: command codes, packet layout and the fixed reply values.
//
// A packet is: code, block number (low byte, high byte), flag, data length N, N data bytes and
// one filler byte, N + 6 bytes in all. Bytes a command does not set go out as zero.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

enum ProgrammerCommand : std::uint8_t {
    pcRead24C16 = 0x01,
    pcRead24C32 = 0x02,
    pcRead24C64 = 0x03,
    pcReadIButton = 0x04,
    pcWrite24C16 = 0x05,
    pcWrite24C32 = 0x06,
    pcWrite24C64 = 0x07,
    pcWriteIButton = 0x08,
    pcStartTouchMemory = 0x09,
    pcStartRfid = 0x0A,
    pcIdle = 0x0B,
    pcWrite24C128 = 0x0E,
    pcWrite24C256 = 0x0F,
    pcWrite24C512 = 0x10,
    pcWrite24C1024 = 0x11,
    pcVersion = 0x12,
    pcRead24C128 = 0x14,
    pcRead24C256 = 0x15,
    pcRead24C512 = 0x16,
    pcRead24C1024 = 0x17,
};

constexpr int PacketOverhead = 6; // header of five bytes plus the filler byte
constexpr int MaxChunkSize = 32;
constexpr int PacketBufferSize = 129; // the largest reply, a 128-byte block, fits
constexpr int BlockSize = 128;
constexpr std::uint8_t IdleReply = 0x85;       // the programmer's answer to pcIdle
constexpr std::uint8_t CompatibleFirmware = 3; // the pcVersion answer this program works with

struct Packet {
    std::uint8_t code = 0;
    std::uint16_t block = 0;
    bool flag = true;
    QByteArray data; // at most MaxChunkSize bytes
};

// The bytes of `packet` on the wire, exactly N + 6 of them.
QByteArray EncodePacket(const Packet& packet);

// Takes one complete packet from the front of `pending` (bytes received so far). Returns nothing
// and leaves `pending` as it is while the packet is still incomplete. A data length above
// MaxChunkSize cannot come from this program; the byte is dropped so the stream resynchronises.
std::optional<Packet> TakePacket(QByteArray& pending);
