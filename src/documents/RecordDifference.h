#pragma once
// What differs between two records of one controller type, said in the terms of the type's page:
// keys and codes of the tables by apartment or row, the guard, system and master keys, the
// passwords and codes of the fields, each configuration setting by the caption its box shows and
// the setting values. Every item names where it is shown (the object name of the table, field,
// box or spin edit, and the cell of a table) so a window can select it. And the bytes that differ
// between two chip images.

#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

enum class DifferenceSubject {
    Key,       // a key cell of a table
    Code,      // a code cell of a table
    Field,     // a masked field: password, general code, concierge
    MasterKey, // the master key field
    Setting,   // a configuration box
    Value,     // a spin edit's setting value
};

enum class Change { Added, Removed, Changed };

struct DifferenceItem {
    DifferenceSubject subject;
    Change change;
    const char* place;                         // object name of the table, field, box or spin edit
    CellRef cell{-1, -1};                      // the cell of a table; (-1, -1) elsewhere
    Bilingual caption{nullptr, nullptr};       // the table's or the field's caption; unused for a setting
    int apartment = -1;                        // the apartment a table row shows, -1 for a row without one
    int row = -1;                              // the row of a table row without an apartment, -1 otherwise
    int keyNumber = 0;                         // a key's number in its row, or in a key list
    QString before{};                          // keys, codes and values as the page shows them; empty when added
    QString after{};                           // empty when removed
    Bilingual settingBefore{nullptr, nullptr}; // a setting: the box's caption in either record
    Bilingual settingAfter{nullptr, nullptr};
};

// Differences from `before` to `after`, both records of `type` (the G300 compared on its DS1995
// page when `ds1995`), table by table in the page's order, then the fields, master key, settings
// and values. Equal records give none.
std::vector<DifferenceItem> CompareRecords(const IntercomStore& before, const IntercomStore& after, TDeviceType type,
                                           bool ds1995 = false);

// One line saying the item in `language`, e.g. "Apartments, apartment 5, key 2: added 12 34 56".
QString DifferenceText(const DifferenceItem& item, Language language);

struct ByteDifference {
    int address;
    std::uint8_t before;
    std::uint8_t after;
};

// The bytes that differ between two images; a byte past the end of the shorter image reads 0xFF,
// as a chip's unwritten memory does.
struct ImageDifference {
    std::vector<ByteDifference> bytes;
    int count() const { return static_cast<int>(bytes.size()); }
};
ImageDifference CompareImages(const QByteArray& before, const QByteArray& after);

// "0x01F0: FF -> 12".
QString ByteDifferenceText(const ByteDifference& difference);
