#pragma once
// The one device-independent record of an intercom controller and the store that holds it
// together with the 5000 extension key slots of the PKU-630XE.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

static_assert(std::endian::native == std::endian::little,
              "the record is stored byte for byte in little-endian data files");

// Four bytes: three key identifier bytes in image order and 0xFF. All four 0xFF is empty.
struct KeySlot {
    std::array<std::uint8_t, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};

    bool isEmpty() const { return bytes == std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}; }
    void clear() { bytes.fill(0xFF); }
    bool operator==(const KeySlot&) const = default;
};
static_assert(sizeof(KeySlot) == 4 && alignof(KeySlot) == 1);

inline constexpr int KeySlotCount = 2680;
inline constexpr int CodeCount = 200;
inline constexpr int HeaderKeySlotCount = 28;
inline constexpr int ExtensionKeySlotCount = 5000;
inline constexpr int TypeNameSize = 40;
inline constexpr int PassThroughSize = 800;

// Empty code, unset password.
inline constexpr std::uint16_t EmptyDigitValue = 0xFFFF;

// Every field sits at its natural alignment, so the struct has no padding; the offsets below
// are the data file's offsets and are checked at compile time.
struct TIntercomData {
    std::array<KeySlot, KeySlotCount> KeySlots;
    std::array<std::uint16_t, CodeCount> Codes;             // digit-nibble values
    std::array<KeySlot, HeaderKeySlotCount> HeaderKeySlots; // guard and system keys
    std::int32_t ConciergeNumber;
    KeySlot MasterKey;
    std::array<std::uint8_t, TypeNameSize> TypeName; // Windows-1251, zero-terminated
    std::uint16_t ServicePassword;
    std::uint16_t SystemPassword;
    std::uint16_t GeneralCode;
    std::uint8_t ConfigByte;
    std::uint8_t AuxByte; // CRC-8 work byte
    std::uint16_t KeyCounter;
    std::uint16_t CodeCounter;
    std::array<std::uint8_t, PassThroughSize> PassThroughArea;
    std::array<std::uint8_t, 30> Reserved30;
    std::array<std::uint8_t, 200> Reserved200;
    std::uint8_t Volume;
    std::uint8_t LockTime;
};

static_assert(std::is_standard_layout_v<TIntercomData> && std::is_trivially_copyable_v<TIntercomData>);
static_assert(offsetof(TIntercomData, KeySlots) == 0);
static_assert(offsetof(TIntercomData, Codes) == 10720);
static_assert(offsetof(TIntercomData, HeaderKeySlots) == 11120);
static_assert(offsetof(TIntercomData, ConciergeNumber) == 11232);
static_assert(offsetof(TIntercomData, MasterKey) == 11236);
static_assert(offsetof(TIntercomData, TypeName) == 11240);
static_assert(offsetof(TIntercomData, ServicePassword) == 11280);
static_assert(offsetof(TIntercomData, SystemPassword) == 11282);
static_assert(offsetof(TIntercomData, GeneralCode) == 11284);
static_assert(offsetof(TIntercomData, ConfigByte) == 11286);
static_assert(offsetof(TIntercomData, AuxByte) == 11287);
static_assert(offsetof(TIntercomData, KeyCounter) == 11288);
static_assert(offsetof(TIntercomData, CodeCounter) == 11290);
static_assert(offsetof(TIntercomData, PassThroughArea) == 11292);
static_assert(offsetof(TIntercomData, Reserved30) == 12092);
static_assert(offsetof(TIntercomData, Reserved200) == 12122);
static_assert(offsetof(TIntercomData, Volume) == 12322);
static_assert(offsetof(TIntercomData, LockTime) == 12323);
static_assert(sizeof(TIntercomData) == 12324);

inline constexpr int DataFileSize = sizeof(TIntercomData);

// The record with the PKU-630XE extension key slots directly behind it.
struct IntercomStore {
    TIntercomData Record;
    std::array<KeySlot, ExtensionKeySlotCount> ExtensionKeySlots;
};
static_assert(offsetof(IntercomStore, ExtensionKeySlots) == 12324);
static_assert(sizeof(IntercomStore) == 32324);

inline constexpr int ExtendedFileSize = sizeof(IntercomStore);

// The start-up state: empty key slots, codes and passwords 0, every other field 0.
void ResetRecord(IntercomStore& store);
