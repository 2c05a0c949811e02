#include "model/KeyStore.h"

#include "model/IdTable.h"

#include <span>
#include <vector>

namespace {

using enum ReceiverKind;
using enum ModifiedWhen;
using enum AfterLastSlot;
using enum AdvanceElsewhere;
using enum KeyArea;
using enum InputTargetFamily;

constexpr DuplicateScope NoScope{Slots, 0, 0, false};

constexpr KeyReceiver Single(ReceiverKind kind, ReceiverControl control, DuplicateScope scope, ModifiedWhen modified)
{
    return {kind, control, scope, modified, 0, Stay, 0, AsAfterSelected, 0, 0, KeySound::Beep};
}
constexpr KeyReceiver Nothing(DuplicateScope scope = NoScope) { return Single(Nowhere, {}, scope, Never); }

// The apartment table of TabSheet1 (types 0, 1, 8 and 9).
// The receivers are rows of a table and keep the table's layout.
// clang-format off
constexpr DuplicateScope TabSheet1Scope{Slots, 600, 0, false};
constexpr KeyReceiver SGrid1{Table, TableId::SGrid1, TabSheet1Scope, AfterCellTest, 599, Wrap, 599, OnlyBelowLastSlot, 0, 599,
                             KeySound::Beep};
constexpr KeyReceiver StringGrid1 = Single(HeaderRow, TableId::StringGrid1, {Slots, 600, 5, false}, Never);

constexpr DuplicateScope LMR702Scope{Slots, 670, 7, true};
constexpr KeyReceiver SGrid2{Table, TableId::SGrid2, LMR702Scope, AfterDuplicateTest, 669, Stay, 668, OnlyBelowLastSlot, 0, 669,
                             KeySound::Beep};
constexpr KeyReceiver Edit2 = Single(MasterKey, FieldId::Edit2, LMR702Scope, AfterDuplicateTest);
constexpr KeyReceiver SGrid3 = Single(HeaderRow, TableId::SGrid3, LMR702Scope, AfterDuplicateTest);

constexpr DuplicateScope LMR70x2680Scope{Slots, 2680, 28, true};
constexpr KeyReceiver SGrid11{Table, TableId::SGrid11, LMR70x2680Scope, AfterDuplicateTest, 2679, Stay, 2678, OnlyBelowLastSlot,
                              0, 2679, KeySound::Beep};
constexpr KeyReceiver Edit4 = Single(MasterKey, FieldId::Edit4, LMR70x2680Scope, AfterDuplicateTest);
constexpr KeyReceiver SGrid12 = Single(HeaderRow, TableId::SGrid12, LMR70x2680Scope, AfterDuplicateTest);

// The PKU-618 tests and searches slots 0 to 480 and wraps its advance above slot 479.
constexpr DuplicateScope PKU618Scope{Slots, 481, 0, false};
constexpr KeyReceiver SGrid5{Table, TableId::SGrid5, PKU618Scope, AfterDuplicateTest, 479, Wrap, 480, AsAfterSelected, 0, 479,
                             KeySound::Beep};
constexpr KeyReceiver Edit3 = Single(MasterKey, FieldId::Edit3, PKU618Scope, AfterDuplicateTest);

// Row 200 of the PKU-630 table takes no key.
constexpr KeyReceiver SGrid4{Table, TableId::SGrid4, {Slots, 1200, 0, false}, AfterDuplicateTest, 1199, Wrap, 1199,
                             AsAfterSelected, 199, 1199, KeySound::Beep};

constexpr KeyReceiver SGrid6{Table, TableId::SGrid6, {Slots, 1800, 0, false}, AfterDuplicateTest, 1799, Wrap, 1799,
                             AsAfterSelected, 0, 1799, KeySound::Stored};
// The DS1995 variant keeps its own hundred apartments of four keys.
constexpr KeyReceiver StringGrid2{Table, TableId::StringGrid2, {Slots, 400, 0, false}, AfterDuplicateTest, 399, Wrap, 399,
                                  AsAfterSelected, 0, 399, KeySound::Stored};

constexpr KeyReceiver SGrid9{Scan, TableId::SGrid9, {Slots, 2400, 0, false}, BeforeDuplicateTest, 0, Stay, 0, AsAfterSelected,
                             0, 2399, KeySound::Stored};
constexpr KeyReceiver SGrid10 = Single(HeaderRow, TableId::SGrid10, {Slots, 0, 5, false}, BeforeDuplicateTest);

constexpr KeyReceiver StringGrid3{Table, TableId::StringGrid3, {ExtensionSlots, 5000, 0, false}, AfterDuplicateTest, 4999, Stay,
                                  4999, OnlyBelowLastSlot, 0, 4999, KeySound::Beep};

constexpr KeyReceiver NoReceiver = Nothing();
constexpr KeyReceiver PKU512TOther = Nothing(TabSheet1Scope);

// Receivers of a page by the InputTarget value of its family: the first entry whose target the
// family's InputTarget holds, else `otherwise`. A page with one receiving table has no entries.
struct TargetReceiver {
    int target;
    const KeyReceiver* receiver;
};
struct PageReceivers {
    KeyReceivers id;
    InputTargetFamily family;
    std::array<TargetReceiver, 3> receivers;
    const KeyReceiver* otherwise;
};
constexpr TargetReceiver NoEntry{-1, nullptr};
constexpr PageReceivers Only(KeyReceivers id, const KeyReceiver& receiver)
{
    return {id, InputTargetFamily::None, {NoEntry, NoEntry, NoEntry}, &receiver};
}

constexpr std::array<PageReceivers, KeyReceiversCount> Receivers{{
    Only(KeyReceivers::ApartmentTable, SGrid1),
    {KeyReceivers::PKU512T, PKU512T, {{{1, &SGrid1}, {2, &StringGrid1}, NoEntry}}, &PKU512TOther},
    {KeyReceivers::LMR702, LMR702AndPKU512S, {{{0, &SGrid2}, {2, &Edit2}, {3, &SGrid3}}}, &NoReceiver},
    {KeyReceivers::LMR70x2680, LMR70x2680, {{{0, &SGrid11}, {2, &Edit4}, {3, &SGrid12}}}, &NoReceiver},
    {KeyReceivers::PKU618, PKU618, {{{0, &SGrid5}, {1, &Edit3}, NoEntry}}, &NoReceiver},
    Only(KeyReceivers::PKU630, SGrid4),
    Only(KeyReceivers::G300, SGrid6),
    Only(KeyReceivers::G300DS1995, StringGrid2),
    {KeyReceivers::PKU512S, LMR702AndPKU512S, {{{1, &SGrid9}, {2, &SGrid10}, NoEntry}}, &NoReceiver},
    Only(KeyReceivers::PKU630XE, StringGrid3),
}};
// clang-format on
static_assert(RowsInIdOrder(Receivers, &PageReceivers::id), "one row per KeyReceivers id, in its order");

void Write(KeySlot& slot, KeyBytes key)
{
    // The fourth byte keeps its value (0xFF in a slot that was empty).
    slot.bytes[0] = key[0];
    slot.bytes[1] = key[1];
    slot.bytes[2] = key[2];
}

void RaiseKeyCount(TIntercomData& record, int cap)
{
    if (record.KeyCounter + 1 <= cap) ++record.KeyCounter;
}

// Where a Table receiver's selection goes after a store in `slot`.
int NextSlot(const KeyReceiver& receiver, int slot, bool storedElsewhere)
{
    if (storedElsewhere && receiver.elsewhere == OnlyBelowLastSlot)
        return slot + 1 < receiver.lastSlot ? slot + 1 : slot;
    if (slot + 1 <= receiver.lastSlot) return slot + 1;
    return receiver.afterLast == Wrap ? 0 : slot;
}

// The PKU-512S advance: the next key column, from the last column to the first of the next row,
// from the last row to the first.
CellRef NextScanCell(const TableSpec& table, CellRef cell)
{
    const int firstColumn = FirstKeyColumn(table);
    if (cell.column + 1 < table.columns) return {cell.column + 1, cell.row};
    return {firstColumn, cell.row + 1 > table.rows ? 1 : cell.row + 1};
}

void MarkIf(KeyStoreOutcome& outcome, const KeyReceiver& receiver, ModifiedWhen moment)
{
    if (receiver.modified == moment) outcome.markModified = true;
}

// The duplicate test with the modified marks around it; false when the key is a duplicate.
bool PassesDuplicateTest(const IntercomStore& store, const KeyReceiver& receiver, KeyBytes key,
                         KeyStoreOutcome& outcome)
{
    MarkIf(outcome, receiver, BeforeDuplicateTest);
    if (IsDuplicate(store, receiver, key)) {
        outcome.sound = KeySound::Duplicate;
        return false;
    }
    MarkIf(outcome, receiver, AfterDuplicateTest);
    return true;
}

} // namespace

const KeyReceiver& ReceiverOf(std::optional<TDeviceType> type, bool smallIButton, const InputTargets& targets)
{
    if (!type) return NoReceiver;
    const PageReceivers& page = RowOf(Receivers, PageOf(*type, smallIButton).receivers);
    for (const TargetReceiver& entry : page.receivers)
        if (entry.receiver && entry.target == targets[page.family]) return *entry.receiver;
    return *page.otherwise;
}

const TableSpec* ReceiverTable(const KeyReceiver& receiver)
{
    return receiver.control.table ? &TableSpecOf(*receiver.control.table) : nullptr;
}

bool IsDuplicate(const IntercomStore& store, const KeyReceiver& receiver, KeyBytes key)
{
    const DuplicateScope& scope = receiver.duplicates;
    const auto& area =
        scope.area == ExtensionSlots ? store.ExtensionKeySlots : std::span<const KeySlot>(store.Record.KeySlots);
    for (int slot = 0; slot < scope.keySlots; ++slot)
        if (HoldsKey(area[static_cast<std::size_t>(slot)], key)) return true;
    for (int slot = 0; slot < scope.headerSlots; ++slot)
        if (HoldsKey(store.Record.HeaderKeySlots[static_cast<std::size_t>(slot)], key)) return true;
    return scope.masterKey && HoldsKey(store.Record.MasterKey, key);
}

KeyStoreOutcome StoreKey(IntercomStore& store, const KeyReceiver& receiver, const TableSpec* table, CellRef selected,
                         KeyBytes key, const std::function<bool(CellRef)>& cellIsFree)
{
    KeyStoreOutcome outcome;
    if (!PassesDuplicateTest(store, receiver, key, outcome) || !table) return outcome;
    const std::optional<int> selectedSlot = SlotOfCell(*table, selected);
    if (!selectedSlot || (receiver.lastKeyRow != 0 && selected.row > receiver.lastKeyRow)) return outcome;
    MarkIf(outcome, receiver, AfterCellTest);

    std::optional<int> slot;
    CellRef cell = selected;
    bool elsewhere = false;
    if (KeyOfSlot(store, *table, *selectedSlot).isEmpty()) {
        slot = selectedSlot;
    } else if (receiver.kind == Scan) {
        // From the selected cell rightwards, then row by row, to the last cell of the table.
        for (CellRef next = NextScanCell(*table, selected); next.row != 1 || next.column != FirstKeyColumn(*table);
             next = NextScanCell(*table, next)) {
            if (next.row < selected.row) break;
            if (cellIsFree && cellIsFree(next)) {
                cell = next;
                slot = SlotOfCell(*table, next);
                break;
            }
        }
        if (!slot) return outcome; // no free cell: nothing stored, the selection stays
    } else {
        for (int free = 0; free <= receiver.searchLast; ++free) {
            if (KeyOfSlot(store, *table, free).isEmpty()) {
                slot = free;
                break;
            }
        }
        if (!slot) return outcome;
        elsewhere = true;
        cell = *CellOfSlot(*table, *slot);
    }

    Write(KeyOfSlot(store, *table, *slot), key);
    RaiseKeyCount(store.Record, receiver.keyCountCap);
    outcome.storedSlot = slot;
    outcome.storedCell = cell;
    if (receiver.kind == Scan) {
        outcome.nextCell = NextScanCell(*table, cell);
        outcome.sound = KeySound::Stored;
    } else {
        outcome.nextCell = CellOfSlot(*table, NextSlot(receiver, *slot, elsewhere));
        outcome.sound = elsewhere ? receiver.storedElsewhere : KeySound::Stored;
    }
    return outcome;
}

KeyStoreOutcome StoreSingleKey(IntercomStore& store, const KeyReceiver& receiver, const TableSpec* table,
                               int selectedRow, KeyBytes key)
{
    KeyStoreOutcome outcome;
    if (!PassesDuplicateTest(store, receiver, key, outcome)) return outcome;
    if (receiver.kind == MasterKey) {
        Write(store.Record.MasterKey, key);
    } else {
        const int row = qBound(1, selectedRow, table->rows);
        Write(store.Record.HeaderKeySlots[static_cast<std::size_t>(row - 1)], key);
        outcome.storedSlot = row - 1;
        outcome.storedCell = CellRef{1, row};
        outcome.nextCell = CellRef{1, row + 1 > table->rows ? 1 : row + 1};
    }
    outcome.sound = KeySound::Beep;
    return outcome;
}
