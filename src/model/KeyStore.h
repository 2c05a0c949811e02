#pragma once
// Where a captured or typed key goes: the receiver of the current page (a table, the master key,
// a guard or system key row), the duplicate test, the slot it is stored in, where the selection
// moves next, the key count and the sound. The rules differ per controller type in a handful of
// values; they are one table indexed by the KeyReceivers id of a type's page, and the routines
// below work on the record alone. The page shows the
// outcome: it writes the stored cell and moves the selection.

#include "model/FieldSpecs.h"
#include "model/IntercomData.h"
#include "model/KeyIdentifier.h"
#include "model/TableSpecs.h"
#include "model/ControllerTypes.h"

#include <array>
#include <functional>
#include <optional>

enum class KeySound { None, Stored, Duplicate, Beep };

// When a capture marks the document modified.
enum class ModifiedWhen { AfterCellTest, AfterDuplicateTest, BeforeDuplicateTest, Never };

// What the duplicate test compares the key with.
struct DuplicateScope {
    KeyArea area;    // the key slots or the extension slots
    int keySlots;    // slots 0 .. keySlots - 1 of that area
    int headerSlots; // header key slots 0 .. headerSlots - 1
    bool masterKey;
};

enum class ReceiverKind {
    Table,     // a key table: the selected cell's slot, else the first free one
    Scan,      // the PKU-512S apartment table: the selected cell, else the next free cell in reading order
    HeaderRow, // a guard or system key table: the selected row's header key slot, replaced
    MasterKey, // the master key field
    Nowhere,   // the duplicate test only
};

// The advance after a store in the selected slot: to the next slot, and after the last one back
// to slot 0 or staying on it. After a store in the first free slot some tables advance only
// while the next slot lies below their last slot.
enum class AfterLastSlot { Wrap, Stay };
enum class AdvanceElsewhere { AsAfterSelected, OnlyBelowLastSlot };

// The control that receives a key: a table, or the master key field; neither for Nowhere.
struct ReceiverControl {
    constexpr ReceiverControl() = default;
    constexpr ReceiverControl(TableId receivingTable) : table(receivingTable) {}
    constexpr ReceiverControl(FieldId receivingField) : field(receivingField) {}

    std::optional<TableId> table;
    std::optional<FieldId> field;
};

struct KeyReceiver {
    ReceiverKind kind;
    ReceiverControl control;
    DuplicateScope duplicates;
    ModifiedWhen modified;
    int lastSlot; // Table: the last slot a store in the selected slot advances from
    AfterLastSlot afterLast;
    int searchLast; // Table: the first-free search covers slots 0 .. searchLast
    AdvanceElsewhere elsewhere;
    int lastKeyRow;           // Table: the last row whose cells take a key; 0 for every row
    int keyCountCap;          // Table and Scan: the key count is raised while it stays at or below this
    KeySound storedElsewhere; // the sound of a store in the first free slot (Stored or Beep)
};

// The receiver of a key on the page of `type`: the page family's InputTarget picks among several;
// on the G300 the variant shown does.
// Nothing receives a key without a type.
const KeyReceiver& ReceiverOf(std::optional<TDeviceType> type, bool smallIButton, const InputTargets& targets);

// The table spec of the receiver's table; nullptr for the master key and Nowhere.
const TableSpec* ReceiverTable(const KeyReceiver& receiver);

// True when `key` equals a slot the receiver's duplicate test covers (bytes 0 to 2 the key and
// byte 3 0xFF); a key of three 0xFF equals every empty slot.
bool IsDuplicate(const IntercomStore& store, const KeyReceiver& receiver, KeyBytes key);

struct KeyStoreOutcome {
    bool markModified = false;
    std::optional<int> storedSlot; // Table and Scan: the slot that took the key
    std::optional<CellRef> storedCell;
    std::optional<CellRef> nextCell; // where the selection goes
    KeySound sound = KeySound::None;
};

// Stores `key` for a Table, Scan or Nowhere receiver at the selected cell of `table` (nullptr for Nowhere).
// `cellIsFree` tells the scan whether a cell shows an empty key.
KeyStoreOutcome StoreKey(IntercomStore& store, const KeyReceiver& receiver, const TableSpec* table, CellRef selected,
                         KeyBytes key, const std::function<bool(CellRef)>& cellIsFree = {});

// A HeaderRow receiver: header key slot `row` - 1 takes the key; the selection goes to the next
// row, from the last one back to row 1. A MasterKey receiver: the master key takes it.
KeyStoreOutcome StoreSingleKey(IntercomStore& store, const KeyReceiver& receiver, const TableSpec* table,
                               int selectedRow, KeyBytes key);
