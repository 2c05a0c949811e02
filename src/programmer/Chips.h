#pragma once
// The chip table: one row per chip the programmer handles, with its read and write geometry
// (the programmer's command byte, blocks, pages and chunks), its size, and for the chips
// controllers keep their data on the chip kind and the image file in the working folder; and the
// chip items of the read and write menus, each naming its chip.

#include "model/TypeCatalogue.h"
#include "programmer/Packet.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
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
    ChipGeometry write;                // !exists() for a chip this program cannot write
    std::optional<ChipKind> kind = {}; // unset: no controller keeps its data on this chip
    const char* imageFile = nullptr;   // the kind's image file in the working folder
};

constexpr int MaxImageSize = 131072;

inline constexpr auto Chips = std::to_array<ProgrammerChip>({
    {"24C16", {pcRead24C16, 16}, {pcWrite24C16, 128, 16, 1}, ChipKind::C24C16, "~dev24c16.tmp"},
    {"24C32", {pcRead24C32, 32}, {pcWrite24C32, 128, 32, 1}},
    {"24C64", {pcRead24C64, 64}, {pcWrite24C64, 256, 32, 1}, ChipKind::C24C64, "~dev24c64.tmp"},
    {"24C128", {pcRead24C128, 128}, {pcWrite24C128, 256, 32, 2}},
    {"24C256", {pcRead24C256, 256}, {pcWrite24C256, 512, 32, 2}},
    {"24C512", {pcRead24C512, 512}, {pcWrite24C512, 512, 32, 4}},
    {"24C1024", {pcRead24C1024, 1024}, {pcWrite24C1024, 1024, 32, 4}},
    {"DS1995", {pcReadIButton, 16}, {}, ChipKind::DS1995, "~dev1995.tmp"},
    {"DS1996", {pcReadIButton, 64}, {pcWriteIButton, 256, 32, 1}, ChipKind::DS1996, "~dev1996.tmp"},
});

// The chip of that name (case-insensitive), or nullptr.
const ProgrammerChip* FindChip(QStringView name);
// The chip of a chip kind.
const ProgrammerChip& ChipOf(ChipKind kind);

// "24C16, 24C32, ..." for usage texts.
QString ChipNames();

// The bytes a chip holds: its read image.
constexpr int ChipSize(const ProgrammerChip& chip) { return chip.read.imageSize(); }
int ChipSize(ChipKind kind);

// Chip kind names as the menus and kavro-cli spell them ("24C16", "DS1995" ...).
const char* ChipName(ChipKind kind);
std::optional<ChipKind> ChipKindByName(const QString& name); // case-insensitive
// The working folder's image file of a chip kind ("~dev24c16.tmp").
QString ImageFileName(ChipKind kind);

enum class ChipDirection { Read, Write };

struct ChipItem {
    ChipItemId id;
    const char* item;   // menu item object name ("N24c162")
    const char* action; // action object name ("READ24c16"); nullptr: the item carries no command
    ChipDirection direction;
    const char* chip;             // the name of its row in Chips
    std::optional<ChipKind> kind; // the kind of that row
    bool everEnabled;             // false: the item exists and stays disabled
};

// Every chip item, read items first, each menu in its order.
std::span<const ChipItem> ChipItems();
const ChipItem& ChipItemOf(ChipItemId id);
// The item of that direction for a chip kind; nullptr for DS1995 writing.
const ChipItem* ChipItemFor(ChipDirection direction, ChipKind kind);
const ProgrammerChip& ProgrammerChipOf(const ChipItem& item);
