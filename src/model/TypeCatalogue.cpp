#include "model/TypeCatalogue.h"

#include <array>

namespace {

using enum ChipKind;

constexpr std::array<TypeInfo, DeviceTypeCount> Catalogue{{
    {"T150_QS150_KAVRO-R150", ChipSet{C24C16}, 0x1F},
    {"PKU-511", ChipSet{C24C16}, 0x10},
    {"LMR 700_701_702", ChipSet{C24C16}, std::nullopt},
    {"PKU-618", ChipSet{C24C16}, std::nullopt},
    {"PKU-630", ChipSet{C24C64}, 0x10},
    {"G300", ChipSet{DS1995, DS1996}, 0x1F},
    {"PKU-512S", ChipSet{C24C16, C24C64}, 0x1F},
    {"LMR 70\u0445-2680", ChipSet{C24C64}, 0x1F},
    {"QS151", ChipSet{C24C16}, 0x1F},
    {"PKU-512T_PKU512T-80", ChipSet{C24C16}, 0x1F},
    {"PKU-630XE", std::nullopt, std::nullopt},
}};

struct ChipNameEntry {
    ChipKind chip;
    const char* name;
    int size;
};
constexpr std::array<ChipNameEntry, ChipKindCount> ChipNames{{
    {C24C16, "24C16", 2048},
    {C24C64, "24C64", 8192},
    {DS1995, "DS1995", 2048},
    {DS1996, "DS1996", 8192},
}};

} // namespace

bool IsValidType(TDeviceType type) { return type >= 0 && type < DeviceTypeCount; }

const TypeInfo& TypeInfoOf(TDeviceType type) { return Catalogue.at(static_cast<std::size_t>(type)); }

QString TypeText(TDeviceType type)
{
    return IsValidType(type) ? QString::fromUtf8(TypeInfoOf(type).listText) : QString();
}

const char* ChipName(ChipKind chip) { return ChipNames.at(static_cast<std::size_t>(chip)).name; }

int ChipSize(ChipKind chip) { return ChipNames.at(static_cast<std::size_t>(chip)).size; }

std::optional<ChipKind> ChipKindByName(const QString& name)
{
    for (const ChipNameEntry& entry : ChipNames)
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) return entry.chip;
    return std::nullopt;
}
