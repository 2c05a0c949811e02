#include "app/KeyCapture.h"

#include "app/KeyPlaces.h"
#include "app/SoundPlayer.h"
#include "model/TextForms.h"
#include "views/PageParts.h"

#include <QLineEdit>

#include <vector>

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
    Report(outcome, receiver, grid, key);
}

namespace {
constexpr Bilingual KeyStoredAt{"Ключ записан: %1", "Key stored: %1"};
constexpr Bilingual KeyIsDuplicateOf{"Ключ не записан: такой же ключ уже есть (%1)",
                                     "Key refused: the same key is already stored (%1)"};
constexpr Bilingual KeyIsDuplicate{"Ключ не записан: такой же ключ уже есть", "Key refused: the same key is already stored"};
constexpr Bilingual KeyNotStored{"Ключ не записан: некуда", "Key not stored: no place takes it"};
} // namespace

void KeyCapture::Report(const KeyStoreOutcome& outcome, const KeyReceiver& receiver, const RecordGrid* grid, KeyBytes key)
{
    PageContext& page = host_.page;
    const Language language = page.language();
    if (outcome.sound == KeySound::Duplicate) {
        // Only the tables of the shown page can point the user to the copy.
        std::vector<RecordGrid*> shown;
        for (RecordGrid* table : host_.pages.findChildren<RecordGrid*>())
            if (table->isVisibleTo(&host_.pages)) shown.push_back(table);
        const std::optional<QString> copy = DuplicatePlace(page.store, receiver, key, shown, language);
        host_.report(copy ? KeyIsDuplicateOf.in(language).arg(*copy) : KeyIsDuplicate.in(language));
        return;
    }
    std::optional<QString> place;
    if (receiver.kind == ReceiverKind::MasterKey) place = MasterKeyPlace(language);
    else if (grid && outcome.storedCell) place = PlaceOfCell(grid->Spec(), *outcome.storedCell, language);
    host_.report(place ? KeyStoredAt.in(language).arg(*place) : KeyNotStored.in(language));
}
