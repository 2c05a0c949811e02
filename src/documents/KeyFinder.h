#pragma once
// Where a key is kept in the record, said in the terms of the type's page: the cells of the
// page's tables (apartment and key column, or row and number of a key list, guard and system
// key tables included), the master key, and the slots the page does not show, by their number.
// A technician looks a lost key up to delete it; a window selects the cell the place names.

#include "documents/PageTerms.h"
#include "model/IntercomData.h"
#include "model/KeyIdentifier.h"
#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"

#include <QString>

#include <vector>

enum class KeyHolder {
    TableCell,           // a key cell of one of the page's tables
    MasterKey,           // the master key
    HiddenKeySlot,       // a key slot of the record no table of the page shows
    HiddenHeaderSlot,    // a guard or system key slot no table of the page shows
    HiddenExtensionSlot, // an extension key slot no table of the page shows
};

struct KeyPlace {
    KeyHolder holder;
    const char* place = nullptr; // object name of the table or master-key field; nullptr when the page does not show it
    CellRef cell{-1, -1};        // the table's cell; (-1, -1) elsewhere
    Bilingual caption{nullptr, nullptr}; // the table's caption; unused elsewhere
    CellPlace where{};                   // apartment or row and key number of a table cell
    int slot = -1;                       // the slot in its area (key, header or extension slots); -1 for the master key
};

// Every place of `store` that holds `key` (bytes in image order) on the page of `type` (the G300's
// DS1995 page when `ds1995`): the tables in the page's order row by row, then the master key,
// then the key slots, header slots and extension slots the page does not show. A key of three
// 0xFF is the mark of an empty slot, not a key, and is found nowhere.
std::vector<KeyPlace> FindKey(const IntercomStore& store, TDeviceType type, KeyBytes key, bool ds1995 = false);

// One line naming the place in `language`: "Apartments, apartment 12, key 3", "Master key",
// "Key slot 1500 (not shown on the page)".
QString KeyPlaceText(const KeyPlace& place, Language language);
