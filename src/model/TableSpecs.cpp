#include "model/TableSpecs.h"

#include "model/IdTable.h"
#include "model/TextForms.h"

#include <cstring>

namespace {

using enum HeaderStyle;
using enum RowLabel;
using enum KeyArea;
using enum KeyTextOrder;
using enum InputTargetFamily;

constexpr Bilingual NoExtraColumn{nullptr, nullptr};

// An apartment table of `rows` rows with a code in column 1 and `keys` keys from slot 0 on.
// The table specs are rows of a table and keep the table's layout.
// clang-format off
constexpr TableSpec ApartmentTable(TableId id, const char* name, int rows, int keys, int labelledRows,
                                   InputTargetFamily family = None, int target = 0)
{
    return {id, name, 2 + keys, rows, true, Apartment, ApartmentFromZero, labelledRows, 1, Slots,
            {{{1, rows, 2, 1 + keys, 0}}}, 1, ThirdByteFirst, family, target, NoExtraColumn};
}

constexpr TableSpec KeyListTable(TableId id, const char* name, int rows, int keys, KeyArea area, InputTargetFamily family)
{
    return {id, name, 1 + keys, rows, true, KeyList, FirstKeyNumber, rows, -1, area,
            {{{1, rows, 1, keys, 0}}}, 1, ThirdByteFirst, family, 0, NoExtraColumn};
}

constexpr TableSpec SmallKeyTable(TableId id, const char* name, int keys, InputTargetFamily family, int target)
{
    return {id, name, 2, keys, false, SmallKeys, RowNumber, keys, -1, HeaderSlots,
            {{{1, keys, 1, 1, 0}}}, 1, ThirdByteFirst, family, target, NoExtraColumn};
}

constexpr TableSpec PKU630Table()
{
    TableSpec spec = ApartmentTable(TableId::SGrid4, "SGrid4", 200, 6, 200);
    spec.columns += 1;
    spec.extraHeader = {"Гостин.", "HOTEL"};
    return spec;
}

constexpr TableSpec G300DS1995Table()
{
    TableSpec spec = ApartmentTable(TableId::StringGrid2, "StringGrid2", 100, 4, 100);
    spec.order = Stored;
    return spec;
}

// Apartments 0 to 99 keep keys 1 to 6 in slots 0 to 599 and keys 7 to 12 in slots 600 to 1199;
// apartments 100 to 199 the same from slot 1200 on.
constexpr TableSpec PKU512STable()
{
    TableSpec spec = ApartmentTable(TableId::SGrid9, "SGrid9", 200, 12, 200, LMR702AndPKU512S, 1);
    spec.blocks = {{{1, 100, 2, 7, 0}, {1, 100, 8, 13, 600}, {101, 200, 2, 7, 1200}, {101, 200, 8, 13, 1800}}};
    spec.blockCount = 4;
    return spec;
}

constexpr TableSpec PKU618Table()
{
    return {TableId::SGrid5, "SGrid5", 31, 40, false, Apartment, ApartmentFromOne, 40, -1, Slots,
            {{{1, 40, 1, 30, 0}}}, 1, ThirdByteFirst, PKU618, 0, NoExtraColumn};
}

constexpr std::array<TableSpec, TableIdCount> Specs{{
    ApartmentTable(TableId::SGrid1, "SGrid1", 100, 6, 100, PKU512T, 1),
    SmallKeyTable(TableId::StringGrid1, "StringGrid1", 5, PKU512T, 2),
    KeyListTable(TableId::SGrid2, "SGrid2", 134, 5, Slots, LMR702AndPKU512S),
    SmallKeyTable(TableId::SGrid3, "SGrid3", 7, LMR702AndPKU512S, 3),
    KeyListTable(TableId::SGrid11, "SGrid11", 536, 5, Slots, LMR70x2680),
    SmallKeyTable(TableId::SGrid12, "SGrid12", 28, LMR70x2680, 3),
    KeyListTable(TableId::StringGrid3, "StringGrid3", 500, 10, ExtensionSlots, None),
    PKU618Table(),
    PKU630Table(),
    // Rows 201 to 300 carry keys only: slots 1200 to 1799 follow on from the apartments' slots.
    ApartmentTable(TableId::SGrid6, "SGrid6", 300, 6, 200),
    G300DS1995Table(),
    PKU512STable(),
    SmallKeyTable(TableId::SGrid10, "SGrid10", 5, LMR702AndPKU512S, 2),
}};
// clang-format on

static_assert(RowsInIdOrder(Specs, &TableSpec::id), "the table specs are listed in TableId order");

const SlotBlock* BlockOfCell(const TableSpec& spec, CellRef cell)
{
    for (int i = 0; i < spec.blockCount; ++i) {
        const SlotBlock& block = spec.blocks[static_cast<std::size_t>(i)];
        if (cell.row >= block.firstRow && cell.row <= block.lastRow && cell.column >= block.firstColumn &&
            cell.column <= block.lastColumn)
            return &block;
    }
    return nullptr;
}

constexpr Bilingual ApartmentHeader{"№ кв.", "N ap."};
constexpr Bilingual CodeHeader{"инд. код", "ind. code"};
constexpr Bilingual KeyHeader{"ключ", "key"};
constexpr Bilingual KeyNumberHeader{"№", "N"};

} // namespace

const TableSpec& TableSpecOf(TableId id) { return Specs[static_cast<std::size_t>(id)]; }

std::span<const TableSpec> TableSpecs() { return Specs; }

const TableSpec* TableSpecNamed(const char* name)
{
    for (const TableSpec& spec : Specs)
        if (std::strcmp(spec.name, name) == 0) return &spec;
    return nullptr;
}

std::optional<int> SlotOfCell(const TableSpec& spec, CellRef cell)
{
    const SlotBlock* block = BlockOfCell(spec, cell);
    if (!block) return std::nullopt;
    return block->firstSlot + (cell.row - block->firstRow) * block->width() + (cell.column - block->firstColumn);
}

std::optional<CellRef> CellOfSlot(const TableSpec& spec, int slot)
{
    for (int i = 0; i < spec.blockCount; ++i) {
        const SlotBlock& block = spec.blocks[static_cast<std::size_t>(i)];
        const int offset = slot - block.firstSlot;
        if (offset < 0 || offset >= block.slotCount()) continue;
        return CellRef{block.firstColumn + offset % block.width(), block.firstRow + offset / block.width()};
    }
    return std::nullopt;
}

std::optional<int> CodeOfRow(const TableSpec& spec, int row)
{
    if (spec.codeColumn < 0 || row < 1 || row > spec.labelledRows) return std::nullopt;
    return row - 1;
}

int FirstKeyColumn(const TableSpec& spec) { return spec.blocks[0].firstColumn; }

KeySlot& KeyOfSlot(IntercomStore& store, const TableSpec& spec, int slot)
{
    const auto index = static_cast<std::size_t>(slot);
    switch (spec.area) {
    case HeaderSlots: return store.Record.HeaderKeySlots.at(index);
    case ExtensionSlots: return store.ExtensionKeySlots.at(index);
    case Slots: break;
    }
    return store.Record.KeySlots.at(index);
}

const KeySlot& KeyOfSlot(const IntercomStore& store, const TableSpec& spec, int slot)
{
    return KeyOfSlot(const_cast<IntercomStore&>(store), spec, slot);
}

QString CellText(const IntercomStore& store, const TableSpec& spec, CellRef cell)
{
    if (cell.column == 0) {
        if (cell.row < 1 || cell.row > spec.labelledRows) return QString();
        switch (spec.label) {
        case ApartmentFromZero: return QString::number(cell.row - 1);
        case ApartmentFromOne:
        case RowNumber: return QString::number(cell.row);
        case FirstKeyNumber: return QString::number(*SlotOfCell(spec, {FirstKeyColumn(spec), cell.row}) + 1);
        }
    }
    if (cell.column == spec.codeColumn) {
        const std::optional<int> code = CodeOfRow(spec, cell.row);
        return code ? FourDigitText(store.Record.Codes[static_cast<std::size_t>(*code)]) : QString();
    }
    const std::optional<int> slot = SlotOfCell(spec, cell);
    if (!slot) return QString();
    const KeySlot& key = KeyOfSlot(store, spec, *slot);
    return spec.order == Stored ? StoredOrderKeyText(key) : KeyText(key);
}

QString HeaderText(const TableSpec& spec, int column, Language language)
{
    switch (spec.header) {
    case SmallKeys: return column == 0 ? QString() : KeyHeader.in(language);
    case KeyList: return (column == 0 ? KeyNumberHeader : KeyHeader).in(language);
    case Apartment: break;
    }
    if (column == 0) return ApartmentHeader.in(language);
    if (column == spec.codeColumn) return CodeHeader.in(language);
    if (spec.extraHeader.ru && column == spec.columns - 1) return spec.extraHeader.in(language);
    return KeyHeader.in(language) + QLatin1Char(' ') + QString::number(column - FirstKeyColumn(spec) + 1);
}
