#pragma once
// The programmer's side of the protocol: takes the bytes the computer sends, answers each packet
// from the chip memories, and produces key reader frames while a reader runs.

#include "sim/ChipMemories.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

class FirmwareModel {
public:
    struct Settings {
        std::uint8_t version = CompatibleFirmware;
        const ProgrammerChip* ibutton = nullptr; // the iButton in the reader; DS1996 when not given
    };

    FirmwareModel(ChipMemories& memories, Settings settings);

    // One packet as it came over the wire (with any bytes skipped before it) and its reply.
    struct Exchange {
        QByteArray packet;
        std::optional<QByteArray> reply; // none for a packet the programmer does not answer
    };
    // Feeds bytes received from the computer; returns every packet completed by them.
    QList<Exchange> receive(QByteArrayView bytes);

    // A faulty chip: every committed page is stored with its last byte inverted, while the write
    // is acknowledged as usual.
    void setCorruptWrites(bool corrupt) { corruptWrites_ = corrupt; }

    // A frame for a key touched to the running reader: three key bytes and their sum, or with a
    // wrong sum when `validChecksum` is false. Nothing while no reader runs.
    std::optional<QByteArray> keyFrame(const std::array<std::uint8_t, 3>& key, bool validChecksum) const;

    bool readerRunning() const { return readerRunning_; }
    // Packets received, for tests that look at what the computer sent.
    const QList<Packet>& packets() const { return packets_; }

private:
    std::optional<QByteArray> answer(const Packet& packet);
    const ProgrammerChip* chipForRead(std::uint8_t code) const;
    const ProgrammerChip* chipForWrite(std::uint8_t code) const;

    ChipMemories& memories_;
    Settings settings_;
    QByteArray pending_;
    QByteArray pageBuffer_;
    bool readerRunning_ = false;
    bool corruptWrites_ = false;
    QList<Packet> packets_;
};
