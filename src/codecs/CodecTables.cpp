#include "codecs/CodecTables.h"

#include "codecs/ApartmentBankLayouts.h"
#include "codecs/G300Layouts.h"
#include "codecs/KeyListLayouts.h"
#include "codecs/PKU512Layouts.h"
#include "codecs/PKU618Layouts.h"

#include "model/IdTable.h"

#include <array>

namespace {

using enum ChipKind;

// A layout per chip kind; nullptr where the chip has none.
struct ChipLayouts {
    const Layout* c24c16 = nullptr;
    const Layout* c24c64 = nullptr;
    const Layout* ds1995 = nullptr;
    const Layout* ds1996 = nullptr;

    constexpr const Layout* of(ChipKind chip) const
    {
        switch (chip) {
        case C24C16: return c24c16;
        case C24C64: return c24c64;
        case DS1995: return ds1995;
        case DS1996: return ds1996;
        }
        return nullptr;
    }
};

struct FamilyLayouts {
    LayoutFamily family;
    const Layout* dump; // chip dumps are imported and exported with it
    ChipLayouts read;   // what a read command decodes; nullptr: the read decodes nothing
    ChipLayouts write;  // what a write command encodes; nullptr: the chip's fallback below
    // A read of this chip is followed by a conversion to the type read.
    std::optional<ChipKind> readThenConvert = std::nullopt;
};

constexpr std::array<FamilyLayouts, LayoutFamilyCount> Families{{
    {.family = LayoutFamily::T150,
     .dump = &T150Layout,
     .read = {.c24c16 = &T150Layout},
     .write = {.c24c16 = &T150Layout}},
    {.family = LayoutFamily::LMR702,
     .dump = &LMR702Layout,
     .read = {.c24c16 = &LMR702Layout},
     .write = {.c24c16 = &LMR702Layout}},
    {.family = LayoutFamily::PKU618,
     .dump = &PKU618Layout,
     .read = {.c24c16 = &PKU618Layout, .c24c64 = &PKU618Layout64},
     .write = {.c24c16 = &PKU618Layout, .c24c64 = &PKU618Layout64}},
    {.family = LayoutFamily::PKU630,
     .dump = &PKU630Layout,
     .read = {.c24c64 = &PKU630Layout},
     .write = {.c24c64 = &PKU630Layout}},
    {.family = LayoutFamily::G300,
     .dump = &G300Layout,
     .read = {.ds1995 = &G300DS1995Layout, .ds1996 = &G300Layout},
     .write = {}},
    // A PKU-512S on a 24C16 holds a T150 family bank; it becomes PKU-512S data by conversion.
    {.family = LayoutFamily::PKU512S,
     .dump = &PKU512SLayout,
     .read = {.c24c16 = &T150Layout, .c24c64 = &PKU512SLayout},
     .write = {.c24c64 = &PKU512SLayout},
     .readThenConvert = C24C16},
    {.family = LayoutFamily::LMR70x2680,
     .dump = &LMR70x_2680Layout,
     .read = {.c24c64 = &LMR70x_2680Layout},
     .write = {.c24c64 = &LMR70x_2680Layout}},
    {.family = LayoutFamily::PKU512T,
     .dump = &PKU512TLayout,
     .read = {.c24c16 = &PKU512TLayout},
     .write = {.c24c16 = &PKU512TLayout}},
    {.family = LayoutFamily::PKU630XE, .dump = &PKU630XELayout, .read = {}, .write = {}},
}};
static_assert(RowsInIdOrder(Families, &FamilyLayouts::family),
              "one row per layout family, in the order of LayoutFamily");

const FamilyLayouts& LayoutsOf(TDeviceType type) { return RowOf(Families, ControllerTypeOf(type).layouts); }

// What a write command does where the type's layouts have none for the chip, or without a type.
constexpr WriteEncoding WriteFallbackOf(ChipKind chip)
{
    switch (chip) {
    case C24C16: return {WriteStep::UseImageOnDisk, nullptr};
    case C24C64: return {WriteStep::Nothing, nullptr};
    case DS1995: return {WriteStep::Nothing, nullptr};
    case DS1996: return {WriteStep::Encode, &G300Layout}; // every type writes a DS1996 in the G300 layout
    }
    return {WriteStep::Nothing, nullptr};
}

constexpr const Layout* EveryLayout[] = {
    &T150Layout,     &PKU630Layout, &PKU512TLayout,  &PKU512SLayout, &LMR702Layout,     &LMR70x_2680Layout,
    &PKU630XELayout, &PKU618Layout, &PKU618Layout64, &G300Layout,    &G300DS1995Layout,
};

} // namespace

const Layout* DumpLayoutFor(std::optional<TDeviceType> type) { return type ? LayoutsOf(*type).dump : nullptr; }

std::optional<ReadDecoding> ReadDecodingFor(ChipKind chip, std::optional<TDeviceType> type)
{
    if (!type) return std::nullopt;
    const FamilyLayouts& family = LayoutsOf(*type);
    const Layout* layout = family.read.of(chip);
    if (!layout) return std::nullopt;
    std::optional<TDeviceType> convert;
    if (family.readThenConvert == chip) convert = type;
    return ReadDecoding{layout, convert};
}

WriteEncoding WriteEncodingFor(ChipKind chip, std::optional<TDeviceType> type)
{
    if (const Layout* layout = type ? LayoutsOf(*type).write.of(chip) : nullptr) return {WriteStep::Encode, layout};
    return WriteFallbackOf(chip);
}

std::span<const Layout* const> AllLayouts() { return EveryLayout; }
