#include "programmer/ChipItems.h"

#include <algorithm>
#include <array>

namespace {

using enum ChipItemId;
using enum ChipDirection;
using enum ChipKind;

constexpr std::array<ChipItem, 10> Items{{
    {Read24C16, "N24c162", "READ24c16", Read, "24C16", C24C16, true},
    {Read24C32, "N24c322", "READ24c32", Read, "24C32", std::nullopt, false},
    {Read24C64, "N24c642", "READ24c64", Read, "24C64", C24C64, true},
    {Read24C128, "N24c1282", nullptr, Read, "24C128", std::nullopt, false},
    {ReadDS1995, "DS19952", "ReadDS1995", Read, "DS1995", DS1995, true},
    {ReadDS1996, "DS19962", "ReadDS1996", Read, "DS1996", DS1996, true},
    {Write24C16, "N24c163", "Write24c16", Write, "24C16", C24C16, true},
    {Write24C32, "N24c323", "Write24c32", Write, "24C32", std::nullopt, false},
    {Write24C64, "N24c643", "Write24c64", Write, "24C64", C24C64, true},
    {WriteDS1996, "DS19963", "WriteDS1996", Write, "DS1996", DS1996, true},
}};

constexpr bool ItemsInIdOrder()
{
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (static_cast<std::size_t>(Items[i].id) != i) return false;
    return true;
}
static_assert(ItemsInIdOrder());

} // namespace

std::span<const ChipItem> ChipItems() { return Items; }

const ChipItem& ChipItemOf(ChipItemId id) { return Items.at(static_cast<std::size_t>(id)); }

const ChipItem* ChipItemFor(ChipDirection direction, ChipKind kind)
{
    const auto found = std::ranges::find_if(
        Items, [&](const ChipItem& item) { return item.direction == direction && item.kind == kind; });
    return found == Items.end() ? nullptr : &*found;
}

const ProgrammerChip& ProgrammerChipOf(const ChipItem& item) { return *FindChip(QString::fromLatin1(item.chip)); }
