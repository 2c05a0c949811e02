#pragma once
// One row per controller type: everything the program does differently per type. The rows that
// name things defined in the codec, document and key-store files name them by an id below; each
// of those files holds one table indexed by that id.

#include "model/PageDispatch.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"

#include <cstdint>
#include <optional>

// The layouts a type's chips are read and written with (codecs/CodecTables).
enum class LayoutFamily { T150, LMR702, PKU618, PKU630, G300, PKU512S, LMR70x2680, PKU512T, PKU630XE };
inline constexpr int LayoutFamilyCount = 9;
static_assert(static_cast<int>(LayoutFamily::PKU630XE) + 1 == LayoutFamilyCount);

// Where a captured key goes on a page (model/KeyStore).
enum class KeyReceivers {
    ApartmentTable,
    PKU512T,
    LMR702,
    LMR70x2680,
    PKU618,
    PKU630,
    G300,
    G300DS1995,
    PKU512S,
    PKU630XE
};
inline constexpr int KeyReceiversCount = 10;
static_assert(static_cast<int>(KeyReceivers::PKU630XE) + 1 == KeyReceiversCount);

// The data part of a page's report (documents/Report).
enum class ReportParts { T150, PKU512T, LMR702, LMR70x2680, PKU618, PKU630, G300, G300DS1995, PKU512S, PKU630XE };
inline constexpr int ReportPartsCount = 10;
static_assert(static_cast<int>(ReportParts::PKU630XE) + 1 == ReportPartsCount);

// A page a type is shown on and what works on it.
struct PageRules {
    Fill fill; // also names the page's terms (documents/PageTerms)
    KeyReceivers receivers;
    std::optional<TableId> codeTable; // the table "fill individual codes" fills; unset: the page has none
    ReportParts report;
};

// The conversion leading to a type (documents/Conversion).
struct ConversionRow {
    int menuPosition;           // 0 for the first item of the conversion menu
    const char* caption;        // the same in both languages ("to T150")
    const char* action;         // action object name ("toT150")
    std::uint8_t configMask;    // ConfigByte := ConfigByte AND configMask
    int firstEmptiedHeaderSlot; // header key slots from here to 27 are emptied; -1 for none
};

struct ControllerType {
    TDeviceType id;
    const char* listText; // UTF-8; the text of the type list and of TypeName
    // Read items a type change leaves enabled; unset: the read items stay as they were.
    std::optional<ChipSet> readItemsOnTypeChange;
    ChipSet writeItemsOffOnTypeChange;         // besides the write menu itself
    std::optional<ChipKind> newWriteChip;      // the write item New enables; unset: none
    std::optional<std::uint8_t> newConfigByte; // ConfigByte of a New document; unset: unchanged
    LayoutFamily layouts;
    PageRules page;
    // The page shown while SmallIButton is set (the G300's DS1995 variant); unset: always `page`.
    std::optional<PageRules> smallIButtonPage = std::nullopt;
    bool showsConfiguration = true; // false: the page's configuration boxes are hidden for this type
    std::optional<ConversionRow> conversion = std::nullopt; // unset: no conversion leads to this type
    // The keys live in the 5000 extension slots, which data files do not carry: New clears them,
    // a chip dump is the document's file, and the recovery file holds them.
    bool usesExtensionSlots = false;
};

const ControllerType& ControllerTypeOf(TDeviceType type);

// The page of `type` as shown with SmallIButton set or not.
const PageRules& PageOf(TDeviceType type, bool smallIButton);
// The fill of a type; the G300 shows its DS1995 variant exactly while SmallIButton is set.
Fill FillOf(TDeviceType type, bool smallIButton);
