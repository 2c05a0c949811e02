#pragma once
// Puts the keyboard on the control of the page that shows a part of the record: the cell of a
// table, or a field. Undo and redo show where they changed the record, the find dialog where a
// key lies.

#include "model/TableSpecs.h"

class PageLookup;

// Selects the cell of the shown table with that object name, or focuses the shown field of that
// name when `cell` is (-1, -1); false when the page the user sees has neither.
bool SelectPlace(const PageLookup& pages, const char* place, CellRef cell);

// Selects the cell or field the user sees that shows the byte at `offset` of the store (a key
// slot of any area, a code, a password, the master key); false when no shown control does.
bool SelectStoreOffset(const PageLookup& pages, int offset);
