#include "editing/TableEditor.h"

#include "editing/ReaderGate.h"
#include "views/PageParts.h"

namespace {

class GridCells : public TableCells {
public:
    explicit GridCells(StringGrid& grid) : grid_(grid) {}

    CellRef Current() const override { return {grid_.Col(), grid_.Row()}; }
    QString Text(CellRef cell) const override { return grid_.Cell(cell.column, cell.row); }
    void SetText(CellRef cell, const QString& text) override { grid_.SetCell(cell.column, cell.row, text); }
    void Select(CellRef cell) override { grid_.SelectCell(cell.column, cell.row); }
    void TakeFocus() override { grid_.setFocus(); }
    void Repaint() override { grid_.viewport()->update(); }

private:
    StringGrid& grid_;
};

} // namespace

TableEditor::TableEditor(RecordGrid& grid, const TableEditing& rules, Session& session, CellFocusState& cellFocus)
        : QObject(&grid), cells_(std::make_unique<GridCells>(grid)), table_{grid.Spec(), rules, *cells_, session},
          cellFocus_(cellFocus)
{
    grid.SetEditable(true);
    grid.SetKeyHandler(
        [this](QKeyEvent& event, KeyPhase phase) { return KeyDown(KeyInputOf(event, phase)) == Verdict::Swallow; });
    connect(&grid, &StringGrid::CellSelected, this, [this](int column, int row) { SelectCell({column, row}); });
    connect(&grid, &StringGrid::Entered, this, &TableEditor::Enter);
    connect(&grid, &StringGrid::Exited, this, &TableEditor::Exit);
}

TableEditor::~TableEditor() = default;

bool TableEditor::GateCloses(const KeyInput& input) const
{
    switch (table_.rules.gate) {
    case ReaderGate::None: return false;
    case ReaderGate::AllButMoveAndErase:
        switch (input.key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Delete:
        case Qt::Key_Backspace: return false;
        default: break;
        }
        break;
    case ReaderGate::EveryKey: break;
    }
    return !IsModifierAlone(input) && !table_.session.ReaderOn();
}

Verdict TableEditor::KeyDown(const KeyInput& input)
{
    // The cell and the entry in it stay exactly as they were; the window acts on the chord.
    if (IsCommandChord(input)) return Verdict::Swallow;
    Session& session = table_.session;
    const CellRef cell = cells_->Current();
    const bool restoring = HasCodes() && cellFocus_.RestorePending;
    const bool inKeyCell = !restoring && cell.column != table_.spec.codeColumn;

    if (table_.rules.modified == MarkedWhen::First) session.MarkModified();
    if (inKeyCell && GateCloses(input)) {
        // Once per press: the release of the key that closes the message reaches the table too.
        if (input.isPress()) ShowReaderGateMessage(session);
        table_.Restore(cell);
        return Verdict::Swallow;
    }
    if (table_.rules.modified == MarkedWhen::AfterGate) session.MarkModified();

    if (restoring) {
        RestoreLeftCodeCell();
        return Verdict::Swallow;
    }
    return inKeyCell ? HandleKeyCell(table_, input) : HandleCodeCell(table_, input);
}

void TableEditor::RestoreLeftCodeCell()
{
    if (cellFocus_.LastCell.row != 0) table_.Restore(cellFocus_.LastCell);
    cellFocus_.RestorePending = false;
    cellFocus_.LastCell.row = 0;
    table_.entryActive = false;
}

void TableEditor::RequestRestore()
{
    cellFocus_.RestorePending = true;
    KeyDown(EnterPress());
}

void TableEditor::SelectCell(CellRef cell)
{
    // An entry belongs to the cell it began in; the cell left keeps what was typed, unstored.
    table_.entryActive = false;
    if (!HasCodes()) return;
    if (cellFocus_.TableEntered) {
        // The click that gave the table the focus only records where it went.
        cellFocus_.LastCell = cell;
        cellFocus_.TableEntered = false;
        return;
    }
    if (cellFocus_.LastCell.column == table_.spec.codeColumn && cell != cellFocus_.LastCell) RequestRestore();
    cellFocus_.LastCell = cell;
}

void TableEditor::Enter()
{
    if (HasCodes()) cellFocus_.TableEntered = true;
}

void TableEditor::Exit()
{
    if (HasCodes() && cells_->Current().column == table_.spec.codeColumn) RequestRestore();
}

void TableEditor::Abandon()
{
    if (table_.entryActive) table_.Restore(cells_->Current());
    if (HasCodes()) cellFocus_ = CellFocusState{};
}
