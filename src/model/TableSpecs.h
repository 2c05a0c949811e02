#pragma once
// One row per table of the pages: where its cells come from in the record. Every table has a
// fixed header row 0 and a fixed column 0; the key cells are laid out in slot blocks, each a
// rectangle of cells showing consecutive slots row by row. Fills, key capture, editing, the
// report and code filling all map cells to slots through SlotOfCell and CellOfSlot.

#include "model/IntercomData.h"
#include "model/Language.h"

#include <array>
#include <optional>
#include <span>

enum class KeyArea { Slots, HeaderSlots, ExtensionSlots };

// What column 0 of a row shows.
enum class RowLabel {
    ApartmentFromZero, // apartment r - 1
    ApartmentFromOne,  // apartment r
    FirstKeyNumber,    // the 1-based number of the row's first key
    RowNumber,         // r (small key tables)
};

enum class HeaderStyle {
    Apartment, // "№ кв.", "инд. код" over the code column, "ключ 1" ... over the key columns
    KeyList,   // "№", then "ключ" over every key column
    SmallKeys, // an empty corner, then "ключ"
};

// Order of a key's bytes in its cell: the third byte first everywhere but on the DS1995 variant
// of the G300 page, which shows the bytes as they are stored.
enum class KeyTextOrder { ThirdByteFirst, Stored };

// Which InputTarget a table's entry sets: one per page family that has several key receivers.
enum class InputTargetFamily { None, PKU512T, LMR702AndPKU512S, PKU618, LMR70x2680 };
inline constexpr int InputTargetFamilyCount = 5;

struct InputTargets {
    std::array<int, InputTargetFamilyCount> values{}; // every target 0 at start
    int& operator[](InputTargetFamily family) { return values[static_cast<std::size_t>(family)]; }
    int operator[](InputTargetFamily family) const { return values[static_cast<std::size_t>(family)]; }
};

struct SlotBlock {
    int firstRow;
    int lastRow;
    int firstColumn;
    int lastColumn;
    int firstSlot;
    constexpr int width() const { return lastColumn - firstColumn + 1; }
    constexpr int slotCount() const { return width() * (lastRow - firstRow + 1); }
};

struct CellRef {
    int column;
    int row;
    bool operator==(const CellRef&) const = default;
};

// The tables of the pages, in the order of their rows in the table spec list.
enum class TableId {
    SGrid1,
    StringGrid1,
    SGrid2,
    SGrid3,
    SGrid11,
    SGrid12,
    StringGrid3,
    SGrid5,
    SGrid4,
    SGrid6,
    StringGrid2,
    SGrid9,
    SGrid10,
};
inline constexpr int TableIdCount = 13;

struct TableSpec {
    TableId id;
    const char* name; // object name of the grid
    int columns;      // column 0 included
    int rows;         // rows below the header
    bool growing;     // rebuilt row by row by every fill; otherwise written in place
    HeaderStyle header;
    RowLabel label;
    int labelledRows; // rows 1 to labelledRows show a label (and a code where there is a code column)
    int codeColumn;   // -1 for a table without codes; code r - 1 shows in row r
    KeyArea area;
    std::array<SlotBlock, 4> blocks;
    int blockCount;
    KeyTextOrder order;
    InputTargetFamily targetFamily;
    int inputTarget;       // the value entering the table gives the family's InputTarget
    Bilingual extraHeader; // header of a column after the key columns (the hotel column); ru nullptr: none
};

const TableSpec& TableSpecOf(TableId id);
// The spec of the grid with that object name; nullptr for a name no grid has.
const TableSpec* TableSpecNamed(const char* name);
// Every table spec, in TableId order.
std::span<const TableSpec> TableSpecs();

// The slot a key cell shows, or nothing for a label, code or empty cell.
std::optional<int> SlotOfCell(const TableSpec& spec, CellRef cell);
// The cell that shows `slot`, or nothing when the table does not show it.
std::optional<CellRef> CellOfSlot(const TableSpec& spec, int slot);
// The code a row shows, or nothing.
std::optional<int> CodeOfRow(const TableSpec& spec, int row);
// The first key column of the table.
int FirstKeyColumn(const TableSpec& spec);

// The slot in the table's key area.
KeySlot& KeyOfSlot(IntercomStore& store, const TableSpec& spec, int slot);
const KeySlot& KeyOfSlot(const IntercomStore& store, const TableSpec& spec, int slot);

// The text a cell shows for the record: label, code, key, or empty.
QString CellText(const IntercomStore& store, const TableSpec& spec, CellRef cell);
// The header text of a column in `language`.
QString HeaderText(const TableSpec& spec, int column, Language language);
