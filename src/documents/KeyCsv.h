#pragma once
// The keys of a page as a spreadsheet and back. Export writes every key a table of the page shows,
// one CSV line each (UTF-8, CRLF, fields quoted where they must be) under the header
// "table,apartment,row,column,slot,key,code": the table's caption, the apartment the row shows (or
// nothing), the row of the table, the key's column number as the header says it ("key 2" is 2),
// the slot the cell shows, the key as the cell shows it ("1A 2B 3C") and the row's code where it
// has one. Import reads such a file back, columns found by their header names, and stores each key
// as a typed key would be stored with its cell selected: the same duplicate test, the same slot
// rules. The record changes only through the lines it stores.

#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/TypeCatalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The page whose tables the keys belong to.
struct KeyPage {
    TDeviceType type;
    bool ds1995 = false; // the G300's DS1995 page
};

QByteArray ExportKeyCsv(const IntercomStore& store, KeyPage page, Language language);

enum class KeyLineOutcome {
    Stored,     // the key took a slot
    Duplicate,  // the duplicate test found a copy
    OutOfRange, // no such table or key cell, or the cell takes no key
    NoRoom,     // no free slot where the rules look for one
    BadLine,    // the line cannot be read
};

struct KeyLineReport {
    int line; // the line of the file the record starts on, the header being line 1
    KeyLineOutcome outcome;
    QString detail; // where the key went, where its copy is, or what is wrong
};

struct KeyCsvImport {
    std::optional<QString> fileError; // the file as a whole is refused: nothing was stored
    std::vector<KeyLineReport> lines;
    bool allStored() const;
};

KeyCsvImport ImportKeyCsv(const QByteArray& csv, IntercomStore& store, KeyPage page, Language language);

// "line 4: stored at Apartments, apartment 3, key 1" or "line 5: refused, a duplicate of …".
QString KeyLineText(const KeyLineReport& report, Language language);
