#pragma once
// How each chip moves between the programmer and an image: the read geometry (128-byte blocks)
// and the write geometry (pages sent in chunks), one row per chip.

#include "programmer/Packet.h"

#include <QStringView>

#include <array>
#include <cstdint>
#include <span>

struct ChipGeometry {
    std::uint8_t command = 0;       // byte 0 of every packet; 0 for "no such transfer"
    std::uint16_t blockCount = 0;   // reads: 128-byte blocks; writes: pages
    std::uint8_t chunkSize = 0;     // writes: data bytes per packet (16 or 32)
    std::uint8_t chunksPerPage = 0; // writes: packets per page (1, 2 or 4)

    constexpr bool exists() const { return command != 0; }
    constexpr bool isWrite() const { return chunkSize != 0; }
    constexpr int pageSize() const { return chunkSize * chunksPerPage; }
    constexpr int imageSize() const { return isWrite() ? blockCount * pageSize() : blockCount * BlockSize; }
};

struct ProgrammerChip {
    const char* name;
    ChipGeometry read;
    ChipGeometry write; // !exists() for a chip this program cannot write
};

constexpr int MaxImageSize = 131072;

inline constexpr std::array<ProgrammerChip, 9> Chips{{
    {"24C16", {pcRead24C16, 16}, {pcWrite24C16, 128, 16, 1}},
    {"24C32", {pcRead24C32, 32}, {pcWrite24C32, 128, 32, 1}},
    {"24C64", {pcRead24C64, 64}, {pcWrite24C64, 256, 32, 1}},
    {"24C128", {pcRead24C128, 128}, {pcWrite24C128, 256, 32, 2}},
    {"24C256", {pcRead24C256, 256}, {pcWrite24C256, 512, 32, 2}},
    {"24C512", {pcRead24C512, 512}, {pcWrite24C512, 512, 32, 4}},
    {"24C1024", {pcRead24C1024, 1024}, {pcWrite24C1024, 1024, 32, 4}},
    {"DS1995", {pcReadIButton, 16}, {}},
    {"DS1996", {pcReadIButton, 64}, {pcWriteIButton, 256, 32, 1}},
}};

// The chip of that name (case-insensitive), or nullptr.
const ProgrammerChip* FindChip(QStringView name);

// "24C16, 24C32, ..." for usage texts.
QString ChipNames();

constexpr int ChipSize(const ProgrammerChip& chip) { return chip.read.imageSize(); }
