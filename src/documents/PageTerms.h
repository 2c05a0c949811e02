#pragma once
// What each controller type's page shows of the record, in the page's order and words: its tables
// with their captions, its masked fields, its master-key field, configuration boxes and spin edits;
// and how a cell of a table is named, by apartment or row and key number, as its row label shows it.
// The difference list and the key finder name places alike through these terms.

#include "model/FieldSpecs.h"
#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/PageSettings.h"
#include "model/TableSpecs.h"
#include "model/ControllerTypes.h"

#include <QString>

#include <span>

struct TableTerm {
    TableId table;
    Bilingual caption;
};
struct FieldTerm {
    FieldId field;
    Bilingual caption;
};
struct ValueTerm {
    const char* spinEdit;
    SpinValue value;
    Bilingual caption;
};

// What a page shows of the record, in the order the page shows it.
struct PageTerms {
    std::span<const TableTerm> tables{};
    std::span<const FieldTerm> fields{};
    const char* masterKeyField = nullptr;
    std::span<const ConfigBoxTexts> boxes{};
    const char* hiddenBox = nullptr; // a box of `boxes` the page hides for this type
    std::span<const ValueTerm> values{};
};

// The terms of the page of `type`; the G300's DS1995 page when `ds1995`.
PageTerms TermsOf(TDeviceType type, bool ds1995 = false);

// Where in its table a key or code cell is: the apartment its row shows (-1 for a row without
// one), the row of a row without an apartment (-1 otherwise), and the key's number in its row or
// in a key list.
struct CellPlace {
    int apartment = -1;
    int row = -1;
    int keyNumber = 0;
};
CellPlace PlaceOfCell(const IntercomStore& store, const TableSpec& spec, CellRef cell);

// "apartment 5, key 2", "key 17", "row 203, key 2", or "apartment 5, code" for a code cell.
QString CellWords(const CellPlace& place, bool codeCell, Language language);

// The tables of the page of `type` (the G300's DS1995 page when `ds1995`), in the page's order.
std::span<const TableTerm> PageTables(TDeviceType type, bool ds1995 = false);

// "Apartments, apartment 5, key 2" or "Guard keys, key 7": where a key cell of a page's table is.
QString KeyCellPlace(const IntercomStore& store, const TableTerm& table, CellRef cell, Language language);

// Words shared by the captions of the pages.
inline constexpr Bilingual MasterKeyCaption{"Мастер-ключ", "Master key"};
