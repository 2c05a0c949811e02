#include "programmer/Chips.h"

#include "model/IdTable.h"

#include <QStringList>

#include <algorithm>
#include <string_view>

static_assert(
    [] {
        for (const ProgrammerChip& chip : Chips)
            if (chip.write.exists() && chip.write.imageSize() != chip.read.imageSize()) return false;
        return true;
    }(),
    "a chip's write geometry covers exactly its read image");

static_assert(
    [] {
        for (const ChipKind kind : AllChipKinds)
            if (std::ranges::count(Chips, std::optional<ChipKind>(kind), &ProgrammerChip::kind) != 1) return false;
        return true;
    }(),
    "every chip kind has exactly one chip row");

namespace {

using enum ChipItemId;
using enum ChipDirection;
using enum ChipKind;

constexpr std::array<ChipItem, ChipItemCount> Items{{
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
static_assert(RowsInIdOrder(Items, &ChipItem::id), "one chip item per ChipItemId, in its order");
static_assert(
    [] {
        for (const ChipItem& item : Items) {
            const auto chip = std::ranges::find(Chips, std::string_view(item.chip), &ProgrammerChip::name);
            if (chip == Chips.end() || chip->kind != item.kind) return false;
        }
        return true;
    }(),
    "every chip item names a chip row and carries that row's kind");

} // namespace

const ProgrammerChip* FindChip(QStringView name)
{
    for (const ProgrammerChip& chip : Chips)
        if (name.compare(QLatin1String(chip.name), Qt::CaseInsensitive) == 0) return &chip;
    return nullptr;
}

const ProgrammerChip& ChipOf(ChipKind kind)
{
    return *std::ranges::find(Chips, std::optional<ChipKind>(kind), &ProgrammerChip::kind);
}

QString ChipNames()
{
    QStringList names;
    for (const ProgrammerChip& chip : Chips) names << QLatin1String(chip.name);
    return names.join(QStringLiteral(", "));
}

int ChipSize(ChipKind kind) { return ChipSize(ChipOf(kind)); }

const char* ChipName(ChipKind kind) { return ChipOf(kind).name; }

std::optional<ChipKind> ChipKindByName(const QString& name)
{
    const ProgrammerChip* chip = FindChip(name);
    return chip ? chip->kind : std::nullopt;
}

QString ImageFileName(ChipKind kind) { return QString::fromLatin1(ChipOf(kind).imageFile); }

std::span<const ChipItem> ChipItems() { return Items; }

const ChipItem& ChipItemOf(ChipItemId id) { return RowOf(Items, id); }

const ChipItem* ChipItemFor(ChipDirection direction, ChipKind kind)
{
    const auto found = std::ranges::find_if(
        Items, [&](const ChipItem& item) { return item.direction == direction && item.kind == kind; });
    return found == Items.end() ? nullptr : &*found;
}

const ProgrammerChip& ProgrammerChipOf(const ChipItem& item) { return *FindChip(QString::fromLatin1(item.chip)); }
