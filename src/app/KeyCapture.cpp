#include "app/KeyCapture.h"

#include "app/KeyPlaces.h"
#include "app/PageLookup.h"
#include "app/Session.h"
#include "app/SoundPlayer.h"
#include "app/StatusLine.h"
#include "model/TextForms.h"
#include "views/PageParts.h"

#include <QLineEdit>

void KeyCapture::InsertKey(KeyBytes key)
{
    IntercomStore& store = session_.Store();
    const KeyReceiver& receiver = ReceiverOf(session_.CurrentType(), session_.SmallIButton(), session_.Targets());
    RecordGrid* grid = receiver.control.table ? pages_.Grid(*receiver.control.table) : nullptr;
    const TableSpec* table = grid ? &grid->Spec() : nullptr;

    KeyStoreOutcome outcome;
    switch (receiver.kind) {
    case ReceiverKind::MasterKey:
        outcome = StoreSingleKey(store, receiver, nullptr, 0, key);
        if (QLineEdit* field = pages_.Field(*receiver.control.field)) field->setText(KeyText(store.Record.MasterKey));
        break;
    case ReceiverKind::HeaderRow: outcome = StoreSingleKey(store, receiver, table, grid->Row(), key); break;
    case ReceiverKind::Table:
    case ReceiverKind::Scan:
    case ReceiverKind::Nowhere:
        outcome =
            StoreKey(store, receiver, table, grid ? CellRef{grid->Col(), grid->Row()} : CellRef{}, key,
                     [grid](CellRef cell) { return grid->Cell(cell.column, cell.row) == QLatin1String("FF FF FF"); });
        break;
    }
    if (grid && outcome.storedCell)
        grid->SetCell(outcome.storedCell->column, outcome.storedCell->row,
                      CellText(store, *table, *outcome.storedCell));
    if (grid && outcome.nextCell) grid->SelectCell(outcome.nextCell->column, outcome.nextCell->row);
    if (outcome.markModified) session_.MarkModified();
    if (session_.SoundOn()) PlayKeySound(sounds_, outcome.sound);
    Report(outcome, receiver, grid, key);
}

namespace {
constexpr Bilingual KeyStoredAt{"Ключ записан: %1", "Key stored: %1"};
constexpr Bilingual KeyIsDuplicateOf{"Ключ не записан: такой же ключ уже есть (%1)",
                                     "Key refused: the same key is already stored (%1)"};
constexpr Bilingual KeyIsDuplicate{"Ключ не записан: такой же ключ уже есть",
                                   "Key refused: the same key is already stored"};
constexpr Bilingual KeyNotStored{"Ключ не записан: некуда", "Key not stored: no place takes it"};
} // namespace

void KeyCapture::Report(const KeyStoreOutcome& outcome, const KeyReceiver& receiver, const RecordGrid* grid,
                        KeyBytes key)
{
    const Language language = session_.CurrentLanguage();
    if (outcome.sound == KeySound::Duplicate) {
        // Only the tables of the shown page can point the user to the copy.
        const std::optional<QString> copy =
            DuplicatePlace(session_.Store(), receiver, key, pages_.ShownGrids(), language);
        status_.ShowEvent(copy ? KeyIsDuplicateOf.in(language).arg(*copy) : KeyIsDuplicate.in(language));
        lastRefused_ = key;
        status_.OfferToShowDuplicate(language);
        return;
    }
    std::optional<QString> place;
    if (receiver.kind == ReceiverKind::MasterKey)
        place = MasterKeyPlace(language);
    else if (grid && outcome.storedCell)
        place = PlaceOfCell(grid->Spec(), *outcome.storedCell, language);
    status_.ShowEvent(place ? KeyStoredAt.in(language).arg(*place) : KeyNotStored.in(language));
}

std::optional<KeyBytes> KeyCapture::OfferedDuplicate() const
{
    return status_.DuplicateOffered() ? lastRefused_ : std::nullopt;
}
