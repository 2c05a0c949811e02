#pragma once
// A table as the editing rules see it: its table spec and row of differences, its cells, the window's
// session, and whether an entry is in progress in its current cell.

#include "app/Session.h"
#include "editing/EditingTables.h"
#include "editing/KeyInput.h"
#include "model/TableSpecs.h"

#include <QString>

// The cells of a table; implemented over the grid widget.
class TableCells {
public:
    virtual ~TableCells() = default;
    virtual CellRef Current() const = 0;
    // While a cell is being typed into, its text is what has been typed so far.
    virtual QString Text(CellRef cell) const = 0;
    virtual void SetText(CellRef cell, const QString& text) = 0;
    virtual void Select(CellRef cell) = 0;
    virtual void TakeFocus() = 0;
    virtual void Repaint() = 0;
};

struct EditedTable {
    const TableSpec& spec;
    const TableEditing& rules;
    TableCells& cells;
    Session& session;
    // The user has begun typing into the current cell: it was emptied for it and holds what has
    // been typed since.
    bool entryActive = false;

    // The cell shows what the record holds for it again, and an entry in progress ends.
    void Restore(CellRef cell)
    {
        cells.SetText(cell, CellText(session.Store(), spec, cell));
        entryActive = false;
        cells.Repaint();
    }
    // The first typed character goes into an emptied cell.
    void BeginEntry(CellRef cell)
    {
        cells.SetText(cell, QString());
        entryActive = true;
    }
};

// The key cell rules, for an event in a key cell that passed the reader gate.
Verdict HandleKeyCell(EditedTable& table, const KeyInput& input);
// The code cell rules, for an event in the code column.
Verdict HandleCodeCell(EditedTable& table, const KeyInput& input);
