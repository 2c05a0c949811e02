// Typing an apartment's individual code into the code column: four decimal digits stored one
// digit per nibble; Delete or the keypad's Clear erases it; any other key puts the cell back to
// the stored code. Only digits ever enter a code cell.

#include "editing/EditedTable.h"
#include "editing/KeyInput.h"

namespace {

constexpr int CodeLength = 4;

Verdict ConfirmCode(EditedTable& table, CellRef cell, int code)
{
    const QString typed = table.cells.Text(cell);
    const std::optional<std::uint16_t> value =
        typed.size() >= CodeLength ? DigitNibbleValue(QStringView(typed).left(CodeLength)) : std::nullopt;
    if (!value) {
        table.Restore(cell);
        return Verdict::Swallow;
    }
    TIntercomData& record = table.session.Store().Record;
    record.Codes[static_cast<std::size_t>(code)] = *value;
    // Moving down selects another cell, which shows the stored code in the cell just left.
    if (cell.row + 1 < table.rules.codeCursorBound) table.cells.Select({cell.column, cell.row + 1});
    ++record.CodeCounter;
    table.entryActive = false;
    return Verdict::Swallow;
}

void EraseCode(EditedTable& table, CellRef cell, int code)
{
    TIntercomData& record = table.session.Store().Record;
    record.Codes[static_cast<std::size_t>(code)] = EmptyDigitValue;
    // The record keeps its own count, lowered by every erase (also of an empty code), never recounted.
    if (record.CodeCounter > 0) --record.CodeCounter;
    table.Restore(cell);
}

} // namespace

Verdict HandleCodeCell(EditedTable& table, const KeyInput& input)
{
    const CellRef cell = table.cells.Current();
    const std::optional<int> code = CodeOfRow(table.spec, cell.row);
    // A row without a code (the G300's key-only rows) keeps its code cell empty; keys pass, so
    // the arrows move on from there.
    if (!code) {
        table.cells.SetText(cell, QString());
        return Verdict::Pass;
    }
    if (IsEnter(input) && table.entryActive) return ConfirmCode(table, cell, *code);
    if (input.key == Qt::Key_Delete || input.key == Qt::Key_Clear) {
        // The press erases; its release must not lower the count a second time.
        if (input.isPress()) EraseCode(table, cell, *code);
        return Verdict::Swallow;
    }
    if (DecimalDigitOf(input)) {
        if (!table.entryActive) table.BeginEntry(cell);
        // The fourth digit completes the code, at the latest at the release of its key.
        if (table.cells.Text(cell).size() >= CodeLength) return ConfirmCode(table, cell, *code);
        return Verdict::Pass;
    }
    if (IsModifierAlone(input)) return Verdict::Pass;
    table.Restore(cell);
    return Verdict::Swallow;
}
