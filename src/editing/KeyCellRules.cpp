// Typing a key into a key cell: six hexadecimal characters go to the page's key store as a key
// from a reader would; Delete erases the slot; any other key puts the cell back to its slot.

#include "editing/EditedTable.h"
#include "editing/KeyInput.h"

namespace {

constexpr int KeyTextLength = 6;

bool IsMove(const EditedTable& table, const KeyInput& input)
{
    switch (input.key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    case Qt::Key_Left:
    case Qt::Key_Right: return table.rules.moves == MoveKeys::All;
    default: return false;
    }
}

bool IsErase(const EditedTable& table, const KeyInput& input)
{
    return input.key == Qt::Key_Delete ||
           (input.key == Qt::Key_Backspace && table.rules.erase == EraseKeys::DeleteAndBackspace);
}

// The first empty slot from `from` on in reading order, or `from` itself when every slot from
// there to the end of the table holds a key.
CellRef ScanToEmptyKeyCell(const EditedTable& table, CellRef from)
{
    const TableSpec& spec = table.spec;
    const int firstColumn = FirstKeyColumn(spec);
    for (CellRef cell = from; cell.row <= spec.rows;) {
        const std::optional<int> slot = SlotOfCell(spec, cell);
        if (slot && KeyOfSlot(table.session.Store(), spec, *slot).isEmpty()) return cell;
        cell = cell.column + 1 < spec.columns ? CellRef{cell.column + 1, cell.row} : CellRef{firstColumn, cell.row + 1};
    }
    return from;
}

void ShowEveryKeyCell(EditedTable& table)
{
    const SlotBlock& block = table.spec.blocks[0];
    for (int row = block.firstRow; row <= block.lastRow; ++row)
        for (int column = block.firstColumn; column <= block.lastColumn; ++column)
            table.cells.SetText({column, row}, CellText(table.session.Store(), table.spec, {column, row}));
}

void FollowStore(EditedTable& table)
{
    switch (table.rules.afterStore) {
    case AfterStore::ShowCurrentCell: table.Restore(table.cells.Current()); break;
    case AfterStore::Nothing: break;
    case AfterStore::Refill: table.session.RefillPage(); break;
    case AfterStore::RewriteRows: ShowEveryKeyCell(table); break;
    case AfterStore::RefillAndScan: {
        // The refill moves the focus to the page's first field; the user goes on in the table,
        // from the cell the key store moved to, at the next cell that has no key yet.
        const CellRef next = table.cells.Current();
        table.session.RefillPage();
        table.cells.TakeFocus();
        table.cells.Select(next);
        table.cells.Select(ScanToEmptyKeyCell(table, next));
        table.cells.Repaint();
        break;
    }
    }
}

// The typed key goes to the key store exactly as a key from a reader.
void KeyEntry(EditedTable& table, CellRef cell)
{
    QString typed = table.cells.Text(cell);
    if (table.rules.upperCaseEntry) {
        typed = typed.toUpper();
        table.cells.SetText(cell, typed);
    }
    const std::optional<KeyBytes> key = TypedKeyOf(typed, table.spec.order);
    if (!key) { // not six hexadecimal characters: the cell held other text when the entry began
        table.Restore(cell);
        return;
    }
    table.session.EnterKey(*key);
    FollowStore(table);
    table.entryActive = false;
}

Verdict ConfirmEntry(EditedTable& table, CellRef cell)
{
    if (table.cells.Text(cell).size() >= KeyTextLength) {
        KeyEntry(table, cell);
    } else if (table.rules.shortEnter == ShortEnter::Restore) {
        table.Restore(cell);
    } else {
        table.cells.Repaint();
    }
    return Verdict::Swallow;
}

// A slot that holds a key becomes empty.
void Erase(EditedTable& table, CellRef cell, int slot)
{
    KeySlot& key = KeyOfSlot(table.session.Store(), table.spec, slot);
    if (key.isEmpty()) return;
    key.clear();
    TIntercomData& record = table.session.Store().Record;
    if (table.rules.keyCount == KeyCount::Lowered && record.KeyCounter > 0) --record.KeyCounter;
    table.Restore(cell);
}

} // namespace

Verdict HandleKeyCell(EditedTable& table, const KeyInput& input)
{
    const CellRef cell = table.cells.Current();
    const std::optional<int> slot = SlotOfCell(table.spec, cell);
    // A cell without a slot (the hotel room column) takes no key.
    if (!slot) return IsMove(table, input) ? Verdict::Pass : Verdict::Swallow;

    if (IsEnter(input) && table.entryActive) return ConfirmEntry(table, cell);
    if (HexDigitOf(input)) {
        if (!table.entryActive) table.BeginEntry(cell);
        // The sixth character completes the entry, at the latest at the release of its key.
        if (table.cells.Text(cell).size() >= KeyTextLength) return ConfirmEntry(table, cell);
        return Verdict::Pass;
    }
    if (IsMove(table, input) || IsModifierAlone(input)) return Verdict::Pass;
    if (IsErase(table, input)) {
        // The press erases; its release finds nothing more to do.
        if (input.isPress()) Erase(table, cell, *slot);
        return Verdict::Swallow;
    }
    table.Restore(cell);
    return Verdict::Swallow;
}
