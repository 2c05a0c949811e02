#pragma once
// Where a key goes or lies, in the user's words: "apartment 12, key 3", "key 40", "guard key 4",
// "master key". The status line names the receiver of the next captured key with these, the
// place a key was stored and the place of the copy that made a key a duplicate.

#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/KeyStore.h"

#include <QString>

#include <optional>
#include <span>

class RecordGrid;

// The place a cell of `table` shows; nothing for a label or code cell.
std::optional<QString> PlaceOfCell(const TableSpec& table, CellRef cell, Language language);
QString MasterKeyPlace(Language language);

// Where the receiver stores the next key: the selected cell or row, or the free cell the rules
// move it to when the selected one holds a key; nothing when no place takes it. `grid` is the
// receiver's table (nullptr for the master key).
std::optional<QString> NextKeyPlace(const IntercomStore& store, const KeyReceiver& receiver, const RecordGrid* grid,
                                    Language language);

// The place of the copy of `key` that the receiver's duplicate test finds, among the `grids` of the
// page; nothing when the key is no duplicate or its copy lies in no shown table.
std::optional<QString> DuplicatePlace(const IntercomStore& store, const KeyReceiver& receiver, KeyBytes key,
                                      std::span<RecordGrid* const> grids, Language language);
