#include "app/KeyPlaces.h"

#include "views/PageParts.h"

#include <memory>

namespace {

constexpr Bilingual Apartment{"кв. %1, ключ %2", "apartment %1, key %2"};
constexpr Bilingual ListKey{"ключ %1", "key %1"};
constexpr Bilingual GuardKey{"ключ охраны %1", "guard key %1"};
constexpr Bilingual SystemKey{"системный ключ %1", "system key %1"};
constexpr Bilingual MasterKey{"мастер-ключ", "master key"};

bool IsGuardTable(const TableSpec& table) { return table.id == TableId::SGrid3 || table.id == TableId::SGrid12; }

QString HeaderRowPlace(const TableSpec& table, int row, Language language)
{
    return (IsGuardTable(table) ? GuardKey : SystemKey).in(language).arg(row);
}

} // namespace

std::optional<QString> PlaceOfCell(const TableSpec& table, CellRef cell, Language language)
{
    const std::optional<int> slot = SlotOfCell(table, cell);
    if (!slot) return std::nullopt;
    switch (table.label) {
    case RowLabel::ApartmentFromZero:
        return Apartment.in(language).arg(cell.row - 1).arg(cell.column - FirstKeyColumn(table) + 1);
    case RowLabel::ApartmentFromOne:
        return Apartment.in(language).arg(cell.row).arg(cell.column - FirstKeyColumn(table) + 1);
    case RowLabel::FirstKeyNumber: return ListKey.in(language).arg(*slot + 1);
    case RowLabel::RowNumber: return HeaderRowPlace(table, cell.row, language);
    }
    return std::nullopt;
}

QString MasterKeyPlace(Language language) { return MasterKey.in(language); }

std::optional<QString> NextKeyPlace(const IntercomStore& store, const KeyReceiver& receiver, const RecordGrid* grid,
                                    Language language)
{
    switch (receiver.kind) {
    case ReceiverKind::MasterKey: return MasterKeyPlace(language);
    case ReceiverKind::HeaderRow:
        if (!grid) return std::nullopt;
        return HeaderRowPlace(grid->Spec(), grid->Row(), language);
    case ReceiverKind::Nowhere: return std::nullopt;
    case ReceiverKind::Table:
    case ReceiverKind::Scan: break;
    }
    if (!grid) return std::nullopt;
    // The key store's own rules on a copy of the record, with a key it holds nowhere: the place
    // named is the place a captured key takes.
    auto trial = std::make_unique<IntercomStore>(store);
    KeyBytes probe{0x01, 0x00, 0x00};
    while (IsDuplicate(*trial, receiver, probe) && probe[0] != 0xFF) ++probe[0];
    const KeyStoreOutcome outcome =
        StoreKey(*trial, receiver, &grid->Spec(), {grid->Col(), grid->Row()}, probe,
                 [grid](CellRef cell) { return grid->Cell(cell.column, cell.row) == QLatin1String("FF FF FF"); });
    if (!outcome.storedCell) return std::nullopt;
    return PlaceOfCell(grid->Spec(), *outcome.storedCell, language);
}

std::optional<QString> DuplicatePlace(const IntercomStore& store, const KeyReceiver& receiver, KeyBytes key,
                                      std::span<RecordGrid* const> grids, Language language)
{
    const DuplicateScope& scope = receiver.duplicates;
    if (scope.masterKey && HoldsKey(store.Record.MasterKey, key)) return MasterKeyPlace(language);
    for (const RecordGrid* grid : grids) {
        const TableSpec& table = grid->Spec();
        const bool headerTable = table.area == KeyArea::HeaderSlots;
        const int slotCount = headerTable ? scope.headerSlots : (table.area == scope.area ? scope.keySlots : 0);
        for (int slot = 0; slot < slotCount; ++slot) {
            if (!HoldsKey(KeyOfSlot(store, table, slot), key)) continue;
            if (const std::optional<CellRef> cell = CellOfSlot(table, slot)) return PlaceOfCell(table, *cell, language);
        }
    }
    return std::nullopt;
}
