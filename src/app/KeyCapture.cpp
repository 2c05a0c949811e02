#include "app/KeyCapture.h"

#include "app/SoundPlayer.h"
#include "model/TextForms.h"
#include "views/PageParts.h"

#include <QLineEdit>

void KeyCapture::InsertKey(KeyBytes key)
{
    PageContext& page = host_.page;
    const KeyReceiver& receiver = ReceiverOf(page.currentType(), host_.smallIButton(), page.inputTargets);
    auto* grid = receiver.control ? host_.pages.findChild<RecordGrid*>(QString::fromLatin1(receiver.control)) : nullptr;
    const TableSpec* table = grid ? &grid->Spec() : nullptr;

    KeyStoreOutcome outcome;
    switch (receiver.kind) {
    case ReceiverKind::MasterKey:
        outcome = StoreSingleKey(page.store, receiver, nullptr, 0, key);
        if (auto* field = host_.pages.findChild<QLineEdit*>(QString::fromLatin1(receiver.control)))
            field->setText(KeyText(page.store.Record.MasterKey));
        break;
    case ReceiverKind::HeaderRow: outcome = StoreSingleKey(page.store, receiver, table, grid->Row(), key); break;
    case ReceiverKind::Table:
    case ReceiverKind::Scan:
    case ReceiverKind::Nowhere:
        outcome = StoreKey(page.store, receiver, table, grid ? CellRef{grid->Col(), grid->Row()} : CellRef{},
                           key, [grid](CellRef cell) {
                               return grid->Cell(cell.column, cell.row) == QLatin1String("FF FF FF");
                           });
        break;
    }
    if (grid && outcome.storedCell)
        grid->SetCell(outcome.storedCell->column, outcome.storedCell->row, CellText(page.store, *table, *outcome.storedCell));
    if (grid && outcome.nextCell) grid->SelectCell(outcome.nextCell->column, outcome.nextCell->row);
    if (outcome.markModified) page.markModified();
    if (host_.soundOn()) PlayKeySound(host_.sounds, outcome.sound);
}
