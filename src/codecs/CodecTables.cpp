#include "codecs/CodecTables.h"

#include "codecs/ApartmentBankLayouts.h"
#include "codecs/G300Layouts.h"
#include "codecs/KeyListLayouts.h"
#include "codecs/PKU512Layouts.h"
#include "codecs/PKU618Layouts.h"

#include <algorithm>
#include <array>

namespace {

using namespace DeviceTypes;
using enum ChipKind;

// The codec a chip dump of each type is imported and exported with, by type index.
constexpr std::array<const Layout*, DeviceTypeCount> DumpLayouts{
    &T150Layout,        // 0 T150_QS150_KAVRO-R150
    &T150Layout,        // 1 PKU-511
    &LMR702Layout,      // 2 LMR 700_701_702
    &PKU618Layout,      // 3 PKU-618
    &PKU630Layout,      // 4 PKU-630
    &G300Layout,        // 5 G300
    &PKU512SLayout,     // 6 PKU-512S
    &LMR70x_2680Layout, // 7 LMR 70x-2680
    &T150Layout,        // 8 QS151
    &PKU512TLayout,     // 9 PKU-512T_PKU512T-80
    &PKU630XELayout,    // 10 PKU-630XE
};

struct ReadRow {
    ChipKind chip;
    TDeviceType type;
    const Layout* layout;
    TDeviceType thenConvertTo; // NoType: no conversion follows
};
constexpr ReadRow ReadRows[] = {
    {C24C16, T150, &T150Layout, NoType},
    {C24C16, PKU511, &T150Layout, NoType},
    {C24C16, QS151, &T150Layout, NoType},
    {C24C16, LMR702, &LMR702Layout, NoType},
    {C24C16, PKU618, &PKU618Layout, NoType},
    // A PKU-512S on a 24C16 holds a T150 family bank; it becomes PKU-512S data by conversion.
    {C24C16, PKU512S, &T150Layout, PKU512S},
    {C24C16, PKU512T, &PKU512TLayout, NoType},
    {C24C64, PKU618, &PKU618Layout64, NoType},
    {C24C64, PKU630, &PKU630Layout, NoType},
    {C24C64, PKU512S, &PKU512SLayout, NoType},
    {C24C64, LMR70x2680, &LMR70x_2680Layout, NoType},
    {DS1995, G300, &G300DS1995Layout, NoType},
    {DS1996, G300, &G300Layout, NoType},
};

struct WriteRow {
    ChipKind chip;
    TDeviceType type;
    const Layout* layout;
};
constexpr WriteRow WriteRows[] = {
    {C24C16, T150, &T150Layout},        {C24C16, PKU511, &T150Layout},      {C24C16, QS151, &T150Layout},
    {C24C16, LMR702, &LMR702Layout},    {C24C16, PKU618, &PKU618Layout},    {C24C16, PKU512T, &PKU512TLayout},
    {C24C64, PKU618, &PKU618Layout64},  {C24C64, PKU630, &PKU630Layout},    {C24C64, PKU512S, &PKU512SLayout},
    {C24C64, LMR70x2680, &LMR70x_2680Layout},
};

// What a write command does for a type that has no row above.
struct WriteFallback {
    ChipKind chip;
    WriteEncoding encoding;
};
constexpr WriteFallback WriteFallbacks[] = {
    {C24C16, {WriteStep::UseImageOnDisk, nullptr}},
    {C24C64, {WriteStep::Nothing, nullptr}},
    {DS1995, {WriteStep::Nothing, nullptr}},
    {DS1996, {WriteStep::Encode, &G300Layout}}, // every type writes a DS1996 in the G300 layout
};

constexpr const Layout* EveryLayout[] = {
    &T150Layout,   &PKU630Layout,      &PKU512TLayout,  &PKU512SLayout,  &LMR702Layout,
    &LMR70x_2680Layout, &PKU630XELayout, &PKU618Layout, &PKU618Layout64, &G300Layout,
    &G300DS1995Layout,
};

} // namespace

const Layout* DumpLayoutFor(TDeviceType type)
{
    return IsValidType(type) ? DumpLayouts[static_cast<std::size_t>(type)] : nullptr;
}

std::optional<ReadDecoding> ReadDecodingFor(ChipKind chip, TDeviceType type)
{
    for (const ReadRow& row : ReadRows) {
        if (row.chip != chip || row.type != type) continue;
        std::optional<TDeviceType> convert;
        if (row.thenConvertTo != NoType) convert = row.thenConvertTo;
        return ReadDecoding{row.layout, convert};
    }
    return std::nullopt;
}

WriteEncoding WriteEncodingFor(ChipKind chip, TDeviceType type)
{
    for (const WriteRow& row : WriteRows)
        if (row.chip == chip && row.type == type) return {WriteStep::Encode, row.layout};
    const auto fallback = std::ranges::find(WriteFallbacks, chip, &WriteFallback::chip);
    return fallback->encoding;
}

std::span<const Layout* const> AllLayouts() { return EveryLayout; }
