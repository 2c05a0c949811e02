#pragma once
// The vocabulary of controller types and chips: the eleven types in the order of the type list,
// and the memory chips the controllers keep their data on. What each type does is its row in
// model/ControllerTypes.

#include <QString>

#include <array>
#include <initializer_list>
#include <optional>

// The controller types in the order of the type list; the list index of a type is its value.
enum class TDeviceType { T150, PKU511, LMR702, PKU618, PKU630, G300, PKU512S, LMR70x2680, QS151, PKU512T, PKU630XE };
// The table of rows in model/ControllerTypes is sized by this count: a wrong count does not compile.
inline constexpr int DeviceTypeCount = 11;

// Every type, in list order.
inline constexpr std::array<TDeviceType, DeviceTypeCount> AllDeviceTypes = [] {
    std::array<TDeviceType, DeviceTypeCount> types{};
    for (int index = 0; index < DeviceTypeCount; ++index) types[static_cast<std::size_t>(index)] = TDeviceType(index);
    return types;
}();

// The index of a type in the type list (0 to 10), as data files, the list and kavro-cli know it.
constexpr int TypeIndex(TDeviceType type) { return static_cast<int>(type); }
// The type at a list index; none outside 0 to 10 (the list's -1 for "nothing selected" included).
constexpr std::optional<TDeviceType> TypeAtIndex(int index)
{
    if (index < 0 || index >= DeviceTypeCount) return std::nullopt;
    return TDeviceType(index);
}

// List text of a type; the empty text for none.
QString TypeText(TDeviceType type);
QString TypeText(std::optional<TDeviceType> type);

// The memory chips the controllers keep their data on.
enum class ChipKind { C24C16, C24C64, DS1995, DS1996 };
inline constexpr int ChipKindCount = 4;
inline constexpr std::array<ChipKind, ChipKindCount> AllChipKinds = [] {
    std::array<ChipKind, ChipKindCount> kinds{};
    for (int index = 0; index < ChipKindCount; ++index) kinds[static_cast<std::size_t>(index)] = ChipKind(index);
    return kinds;
}();

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

// The chip items of the read and write menus.
enum class ChipItemId {
    Read24C16,
    Read24C32,
    Read24C64,
    Read24C128,
    ReadDS1995,
    ReadDS1996,
    Write24C16,
    Write24C32,
    Write24C64,
    WriteDS1996,
};
inline constexpr int ChipItemCount = 10;
