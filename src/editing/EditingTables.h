#pragma once
// How the tables and fields that take typing differ from one another: one row per table and one
// row per masked field. The rules are written once (TableEditor, FieldEditor) and read their row.

#include "model/FieldSpecs.h"
#include "model/TableSpecs.h"

#include <optional>
#include <span>

// Which keys of a key cell need a reader button down (the user must say which kind of key he
// enters before he types one).
enum class ReaderGate {
    None, // the PKU-630 table takes typed keys without a reader
    EveryKey,
    AllButMoveAndErase, // the PKU-512S table: moving the cursor and erasing need no reader
};

// When a key event of the table marks the document modified.
enum class MarkedWhen { First, AfterGate };

// What Enter does while fewer than six characters have been typed.
enum class ShortEnter { Restore, KeepEntry };

enum class MoveKeys {
    All,      // Up, Down, Left, Right, Home, End
    Vertical, // Up, Down, Home, End: Left and Right restore the cell of a one-column table
};

enum class EraseKeys { Delete, DeleteAndBackspace };

// Whether erasing a key lowers the record's key count (the guard and system keys have none).
enum class KeyCount { Lowered, NotKept };

// What follows a typed key handed to the key store.
enum class AfterStore {
    ShowCurrentCell, // the cell under the cursor shows its slot again (a refused key vanishes)
    Nothing,         // a refused key stays as typed until the cell is restored
    Refill,          // the page is filled again from the record
    RewriteRows,     // every row of the one-column table shows its slot again
    RefillAndScan,   // the page is filled again and the cursor goes on to the next empty cell
};

struct TableEditing {
    TableId table;
    ReaderGate gate;
    MarkedWhen modified;
    ShortEnter shortEnter;
    MoveKeys moves;
    EraseKeys erase;
    KeyCount keyCount;
    AfterStore afterStore;
    bool upperCaseEntry; // the typed characters are shown in upper case before they are stored
    int codeCursorBound; // after a committed code in row r the cursor moves down while r + 1 is below this
};

struct FieldEditing {
    FieldId field;
    std::optional<FieldId> next; // the field Enter moves to; none: the focus stays
    bool storeAtPress;           // a complete field is stored again when a digit or Delete is pressed in it
    bool deleteStartsEntry;
    bool readerGate; // every press and the exit first need a reader button down
};

std::span<const TableEditing> EditedTables();
std::span<const FieldEditing> EditedFields();
// The master key fields: they take Delete only.
std::span<const FieldId> MasterKeyFields();
