#pragma once
// The chip items of the read and write menus, written once: menu item, the action that carries
// the command, the programmer chip it transfers and, for the chips controllers keep their data
// on, the chip kind whose codecs and image file the command uses.

#include "model/TypeCatalogue.h"
#include "programmer/ChipGeometry.h"

#include <optional>
#include <span>

enum class ChipDirection { Read, Write };

enum class ChipItemId {
    Read24C16, Read24C32, Read24C64, Read24C128, ReadDS1995, ReadDS1996,
    Write24C16, Write24C32, Write24C64, WriteDS1996,
};

struct ChipItem {
    ChipItemId id;
    const char* item;   // menu item object name ("N24c162")
    const char* action; // action object name ("READ24c16"); nullptr: the item carries no command
    ChipDirection direction;
    const char* chip;   // programmer chip name, as ChipGeometry lists it
    std::optional<ChipKind> kind; // unset: no controller keeps its data on this chip
    bool everEnabled;   // false: the item exists and stays disabled
};

// Every chip item, read items first, each menu in its order.
std::span<const ChipItem> ChipItems();
const ChipItem& ChipItemOf(ChipItemId id);
// The item of that direction for a chip kind; nullptr for DS1995 writing.
const ChipItem* ChipItemFor(ChipDirection direction, ChipKind kind);
const ProgrammerChip& ProgrammerChipOf(const ChipItem& item);
