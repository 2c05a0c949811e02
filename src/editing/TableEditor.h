#pragma once
// The keyboard editor of one table: its key handler (SGrid1KeyDown for SGrid1 and so on) sees
// every press and release in the table and its cell editor, runs the reader gate, the restore of
// a left code cell, the code cell rules in the code column and the key cell rules elsewhere, as
// the table's row of differences says. The apartment tables with codes share one CellFocusState;
// their select-cell, enter and exit handlers keep it.

#include "editing/EditedTable.h"
#include "editing/KeyInput.h"

#include <QObject>

#include <memory>

// The cell bookkeeping shared by the apartment tables with codes (only one of them is shown at a
// time): it restores a code cell the user leaves unfinished.
struct CellFocusState {
    bool TableEntered = false;   // the table just got the focus: its next selection only records the cell
    CellRef LastCell{0, 0};      // the cell last selected; row 0 names no cell
    bool RestorePending = false; // the key handler restores LastCell's code cell instead of handling a key
};

class RecordGrid;

class TableEditor : public QObject {
    Q_OBJECT
public:
    // `cellFocus` is used by tables with a code column only.
    TableEditor(RecordGrid& grid, const TableEditing& rules, Session& session, CellFocusState& cellFocus);
    ~TableEditor() override;

    // The handlers, named after their event: SGrid1KeyDown is KeyDown of SGrid1's editor.
    Verdict KeyDown(const KeyInput& input);
    void SelectCell(CellRef cell);
    void Enter();
    void Exit();
    // Another data set became current: an entry begun in the previous one is dropped and its
    // cell shows the record again; no left code cell waits to be restored.
    void Abandon();

    bool EntryActive() const { return table_.entryActive; }

private:
    bool HasCodes() const { return table_.spec.codeColumn >= 0; }
    bool GateCloses(const KeyInput& input) const;
    // The code cell named by LastCell shows its code again.
    void RestoreLeftCodeCell();
    // The key handler restores the code cell just left, as Enter would.
    void RequestRestore();

    std::unique_ptr<TableCells> cells_;
    EditedTable table_;
    CellFocusState& cellFocus_;
};
