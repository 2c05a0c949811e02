#include "documents/KeyFinder.h"

#include <algorithm>
#include <span>

namespace {

constexpr KeyBytes NoKey{0xFF, 0xFF, 0xFF};

void FindInTable(const TableTerm& term, const IntercomStore& store, KeyBytes key, std::vector<KeyPlace>& places)
{
    const TableSpec& spec = TableSpecOf(term.table);
    for (int row = 1; row <= spec.rows; ++row) {
        for (int column = FirstKeyColumn(spec); column < spec.columns; ++column) {
            const CellRef cell{column, row};
            const std::optional<int> slot = SlotOfCell(spec, cell);
            if (!slot || !HoldsKey(KeyOfSlot(store, spec, *slot), key)) continue;
            places.push_back(
                {KeyHolder::TableCell, spec.name, cell, term.caption, PlaceOfCell(store, spec, cell), *slot});
        }
    }
}

// True when a table of the page shows `slot` of `area`.
bool PageShows(const PageTerms& terms, KeyArea area, int slot)
{
    return std::any_of(terms.tables.begin(), terms.tables.end(), [&](const TableTerm& term) {
        const TableSpec& spec = TableSpecOf(term.table);
        return spec.area == area && CellOfSlot(spec, slot).has_value();
    });
}

void FindInHiddenSlots(const PageTerms& terms, std::span<const KeySlot> keySlots, KeyArea area, KeyHolder holder,
                       KeyBytes key, std::vector<KeyPlace>& places)
{
    for (int slot = 0; slot < static_cast<int>(keySlots.size()); ++slot)
        if (HoldsKey(keySlots[static_cast<std::size_t>(slot)], key) && !PageShows(terms, area, slot))
            places.push_back({holder, nullptr, {-1, -1}, {nullptr, nullptr}, {}, slot});
}

constexpr Bilingual NotShown{"на странице не показан", "not shown on the page"};

} // namespace

std::vector<KeyPlace> FindKey(const IntercomStore& store, TDeviceType type, KeyBytes key, bool ds1995)
{
    std::vector<KeyPlace> places;
    if (key == NoKey) return places;
    const PageTerms terms = TermsOf(type, ds1995);
    for (const TableTerm& table : terms.tables) FindInTable(table, store, key, places);
    if (HoldsKey(store.Record.MasterKey, key)) places.push_back({KeyHolder::MasterKey, terms.masterKeyField});
    FindInHiddenSlots(terms, store.Record.KeySlots, KeyArea::Slots, KeyHolder::HiddenKeySlot, key, places);
    FindInHiddenSlots(terms, store.Record.HeaderKeySlots, KeyArea::HeaderSlots, KeyHolder::HiddenHeaderSlot, key,
                      places);
    FindInHiddenSlots(terms, store.ExtensionKeySlots, KeyArea::ExtensionSlots, KeyHolder::HiddenExtensionSlot, key,
                      places);
    return places;
}

QString KeyPlaceText(const KeyPlace& place, Language language)
{
    const QString hidden = QStringLiteral(" (%1)").arg(NotShown.in(language));
    switch (place.holder) {
    case KeyHolder::TableCell:
        return QStringLiteral("%1, %2").arg(place.caption.in(language), CellWords(place.where, false, language));
    case KeyHolder::MasterKey: return MasterKeyCaption.in(language) + (place.place ? QString() : hidden);
    case KeyHolder::HiddenKeySlot: return Tr(language, "Слот ключа %1", "Key slot %1").arg(place.slot) + hidden;
    case KeyHolder::HiddenHeaderSlot:
        return Tr(language, "Слот ключа охраны или системного %1", "Guard or system key slot %1").arg(place.slot) +
               hidden;
    case KeyHolder::HiddenExtensionSlot:
        return Tr(language, "Слот расширения PKU-630XE %1", "PKU-630XE extension slot %1").arg(place.slot) + hidden;
    }
    return {};
}
