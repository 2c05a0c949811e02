#pragma once
// The eleven controller types and what the rest of the program looks up per type.

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// Index of a controller type in the type list, 0 to 10; NoType when none is selected.
using TDeviceType = int;
inline constexpr TDeviceType NoType = -1;
inline constexpr int DeviceTypeCount = 11;

// The memory chips the controllers keep their data on.
enum class ChipKind { C24C16, C24C64, DS1995, DS1996 };
inline constexpr int ChipKindCount = 4;

// A set of chip kinds, one bit per kind.
class ChipSet {
public:
    constexpr ChipSet() = default;
    constexpr ChipSet(std::initializer_list<ChipKind> kinds)
    {
        for (ChipKind kind : kinds) bits_ |= bit(kind);
    }
    constexpr bool contains(ChipKind kind) const { return (bits_ & bit(kind)) != 0; }
    constexpr bool isEmpty() const { return bits_ == 0; }
    constexpr bool operator==(const ChipSet&) const = default;

private:
    static constexpr unsigned bit(ChipKind kind) { return 1u << static_cast<unsigned>(kind); }
    unsigned bits_ = 0;
};

struct TypeInfo {
    const char* listText;        // UTF-8; the text of the type list and of TypeName
    // Read items a type change leaves enabled; unset for PKU-630XE, whose selection leaves
    // the read items as they were.
    std::optional<ChipSet> readItemsOnTypeChange;
    std::optional<std::uint8_t> newConfigByte; // ConfigByte of a New document, unset = unchanged
};

namespace DeviceTypes {
inline constexpr TDeviceType T150 = 0;
inline constexpr TDeviceType PKU511 = 1;
inline constexpr TDeviceType LMR702 = 2;
inline constexpr TDeviceType PKU618 = 3;
inline constexpr TDeviceType PKU630 = 4;
inline constexpr TDeviceType G300 = 5;
inline constexpr TDeviceType PKU512S = 6;
inline constexpr TDeviceType LMR70x2680 = 7;
inline constexpr TDeviceType QS151 = 8;
inline constexpr TDeviceType PKU512T = 9;
inline constexpr TDeviceType PKU630XE = 10;
}

bool IsValidType(TDeviceType type);
const TypeInfo& TypeInfoOf(TDeviceType type);   // type must be valid
QString TypeText(TDeviceType type);             // list text; empty for NoType

// Chip names as the menus and kavro-cli spell them ("24C16", "DS1995" ...).
const char* ChipName(ChipKind chip);
std::optional<ChipKind> ChipKindByName(const QString& name); // case-insensitive
int ChipSize(ChipKind chip);
