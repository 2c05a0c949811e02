// The keys of a page written as a spreadsheet and read back through the rules of a typed key.

#include "documents/KeyCsv.h"
#include "model/TableSpecs.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<IntercomStore> EmptyRecord()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

KeySlot KeyNumber(int n) { return KeySlot{{std::uint8_t(n), std::uint8_t(n >> 8), 0x5A, 0xFF}}; }

void PutKey(IntercomStore& store, const char* table, CellRef cell, int n)
{
    const TableSpec& spec = *TableSpecNamed(table);
    KeyOfSlot(store, spec, *SlotOfCell(spec, cell)) = KeyNumber(n);
}

bool SameKeys(const IntercomStore& a, const IntercomStore& b)
{
    return a.Record.KeySlots == b.Record.KeySlots && a.Record.HeaderKeySlots == b.Record.HeaderKeySlots &&
           a.ExtensionKeySlots == b.ExtensionKeySlots && a.Record.MasterKey == b.Record.MasterKey;
}

QStringList Texts(const KeyCsvImport& import)
{
    QStringList texts;
    for (const KeyLineReport& line : import.lines) texts << KeyLineText(line, Language::English);
    return texts;
}

const QByteArray Header = "table,apartment,row,column,slot,key,code\r\n";

} // namespace

class KeyCsvTest : public QObject {
    Q_OBJECT
private slots:
    // Keys in the first, a middle and the last key cell of each table of the page come back to
    // the same slots when the export is imported into an empty record of the same type.
    void exportedKeysImportIntoTheSameSlots_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("ds1995");
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<int>("lastKeyRow"); // 0: the table's last row
        QTest::newRow("T150") << TDeviceType::T150 << false << QStringList{"SGrid1"} << 0;
        QTest::newRow("PKU-512T") << TDeviceType::PKU512T << false << QStringList{"SGrid1", "StringGrid1"} << 0;
        QTest::newRow("LMR-702") << TDeviceType::LMR702 << false << QStringList{"SGrid2", "SGrid3"} << 0;
        QTest::newRow("LMR-70x 2680") << TDeviceType::LMR70x2680 << false << QStringList{"SGrid11", "SGrid12"} << 0;
        QTest::newRow("PKU-618") << TDeviceType::PKU618 << false << QStringList{"SGrid5"} << 0;
        QTest::newRow("PKU-630") << TDeviceType::PKU630 << false << QStringList{"SGrid4"} << 199;
        QTest::newRow("G300") << TDeviceType::G300 << false << QStringList{"SGrid6"} << 0;
        QTest::newRow("G300 DS1995") << TDeviceType::G300 << true << QStringList{"StringGrid2"} << 0;
        QTest::newRow("PKU-512S") << TDeviceType::PKU512S << false << QStringList{"SGrid9", "SGrid10"} << 0;
        QTest::newRow("PKU-630XE") << TDeviceType::PKU630XE << false << QStringList{"StringGrid3"} << 0;
    }
    void exportedKeysImportIntoTheSameSlots()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, ds1995);
        QFETCH(QStringList, tables);
        QFETCH(int, lastKeyRow);
        auto original = EmptyRecord();
        int n = 1;
        for (const QString& name : tables) {
            const QByteArray latin = name.toLatin1();
            const TableSpec& spec = *TableSpecNamed(latin.constData());
            const int lastRow = lastKeyRow ? lastKeyRow : spec.rows;
            const int lastColumn = spec.columns - 1 - (spec.extraHeader.ru ? 1 : 0);
            for (const CellRef cell :
                 {CellRef{FirstKeyColumn(spec), 1}, CellRef{lastColumn, lastRow / 2 + 1}, CellRef{lastColumn, lastRow}})
                PutKey(*original, latin.constData(), cell, n++);
        }
        const QByteArray csv = ExportKeyCsv(*original, {type, ds1995}, Language::Russian);
        QCOMPARE(csv.count("\r\n"), 1 + 3 * tables.size());

        auto imported = EmptyRecord();
        const KeyCsvImport result = ImportKeyCsv(csv, *imported, {type, ds1995}, Language::English);
        QVERIFY2(result.allStored(), qPrintable(Texts(result).join('\n')));
        QVERIFY(SameKeys(*original, *imported));
    }

    void aKeyLineSaysTableApartmentRowColumnSlotKeyAndCode()
    {
        auto record = EmptyRecord();
        PutKey(*record, "SGrid1", {3, 6}, 0x0201);
        record->Record.Codes[5] = 0x1234;
        QCOMPARE(ExportKeyCsv(*record, {TDeviceType::T150}, Language::English),
                 Header + "Apartments,5,6,2,31,5A 02 01,1234\r\n");
        auto keyList = EmptyRecord();
        PutKey(*keyList, "SGrid2", {2, 1}, 0x0304);
        QCOMPARE(ExportKeyCsv(*keyList, {TDeviceType::LMR702}, Language::English),
                 Header + "Individual keys,,1,2,1,5A 03 04,\r\n");
    }

    // What a technician's spreadsheet program may have made of the file: a byte order mark,
    // CRLF or LF, quoted fields, columns in another order, Russian captions.
    void importReadsColumnsByNameFromAnyEditedFile()
    {
        auto record = EmptyRecord();
        const QByteArray csv = "\xEF\xBB\xBF"
                               "key,\"column\",apartment,table\r\n"
                               "\"5a 02 01\",2,5,\"Квартиры\"\n"
                               "5A0304,1,7,SGrid1\r\n";
        const KeyCsvImport result = ImportKeyCsv(csv, *record, {TDeviceType::T150}, Language::English);
        QCOMPARE(Texts(result), (QStringList{"line 2: stored at Apartments, apartment 5, key 2",
                                             "line 3: stored at Apartments, apartment 7, key 1"}));
        QCOMPARE(KeyOfSlot(*record, TableSpecOf(TableId::SGrid1), 31), KeyNumber(0x0201));
    }

    void refusedLinesAreReportedLineByLineAndLeaveTheRecordAlone()
    {
        auto record = EmptyRecord();
        const QByteArray csv = Header + "Apartments,,1,1,,5A 00 01,\r\n"    // stored
                                        "Apartments,,2,1,,5A 00 01,\r\n"    // the same key again
                                        "Hotel,,1,1,,5A 00 02,\r\n"         // no such table on the page
                                        "Apartments,,101,1,,5A 00 03,\r\n"  // below the last row
                                        "Apartments,,3,7,,5A 00 04,\r\n"    // right of the last key column
                                        "Apartments,,3,1,,12 34,\r\n"       // no key
                                        "Apartments,,3,1,,FF FF FF,\r\n"    // an empty key
                                        "Apartments,,3,x,,5A 00 05,\r\n"    // no column number
                                        "Apartments,,3,1,99,5A 00 06,\r\n"  // the cell's slot is 12
                                        "Apartments,,3,1,,\"5A 00 07,\r\n"; // a quote left open to the end
        const KeyCsvImport result = ImportKeyCsv(csv, *record, {TDeviceType::T150}, Language::English);
        QCOMPARE(Texts(result), (QStringList{
                                    "line 2: stored at Apartments, apartment 0, key 1",
                                    "line 3: refused, a duplicate of Apartments, apartment 0, key 1",
                                    "line 4: out of range: the page has no table \"Hotel\"",
                                    "line 5: out of range: row 101, column 1: no such key cell",
                                    "line 6: out of range: row 3, column 7: no such key cell",
                                    "line 7: bad line: \"12 34\" is no key",
                                    "line 8: bad line: \"FF FF FF\" is no key",
                                    "line 9: bad line: row, apartment or column unreadable",
                                    "line 10: bad line: the cell shows slot 12, not 99",
                                    "line 11: bad line: a quote is not closed",
                                }));
        QVERIFY(!result.allStored());
        auto onlyStored = EmptyRecord();
        PutKey(*onlyStored, "SGrid1", {2, 1}, 1);
        QVERIFY(SameKeys(*record, *onlyStored));
    }

    // As a typed key: an occupied cell sends the key to the first free slot, a guard key row is
    // replaced, and a copy anywhere in the duplicate test's slots refuses it.
    void importStoresAsATypedKeyWould()
    {
        auto record = EmptyRecord();
        PutKey(*record, "SGrid2", {1, 1}, 1);
        PutKey(*record, "SGrid3", {1, 2}, 2);
        record->Record.MasterKey = KeyNumber(3);
        const QByteArray csv = Header + "Individual keys,,1,1,,5A 00 04,\r\n"
                                        "Guard keys,,2,1,,5A 00 05,\r\n"
                                        "Individual keys,,5,1,,5A 00 03,\r\n";
        const KeyCsvImport result = ImportKeyCsv(csv, *record, {TDeviceType::LMR702}, Language::English);
        QCOMPARE(Texts(result),
                 (QStringList{"line 2: stored at Individual keys, key 2", "line 3: stored at Guard keys, key 2",
                              "line 4: refused, a duplicate of master key"}));
        QCOMPARE(record->Record.HeaderKeySlots[1], KeyNumber(5));
    }

    void aRowThatTakesNoKeyAndAFullTableAreSaidSo()
    {
        auto record = EmptyRecord();
        const KeyCsvImport lastRow = ImportKeyCsv(Header + "Apartments,199,200,1,,5A 00 01,\r\n", *record,
                                                  {TDeviceType::PKU630}, Language::English);
        QCOMPARE(Texts(lastRow), QStringList{"line 2: out of range: row 200 takes no key"});

        const TableSpec& guards = TableSpecOf(TableId::SGrid3);
        for (int row = 1; row <= guards.rows; ++row) PutKey(*record, "SGrid3", {1, row}, row);
        for (int slot = 0; slot < 670; ++slot) record->Record.KeySlots[std::size_t(slot)] = KeyNumber(100 + slot);
        const KeyCsvImport full = ImportKeyCsv(Header + "Individual keys,,1,1,,5A 77 77,\r\n", *record,
                                               {TDeviceType::LMR702}, Language::English);
        QCOMPARE(Texts(full), QStringList{"line 2: refused: no free slot"});
    }

    void aFileWithoutItsHeaderIsRefusedWhole()
    {
        auto record = EmptyRecord();
        for (const QByteArray& csv :
             {QByteArray(), QByteArray("\xEF\xBB\xBF\r\n"), QByteArray("Apartments,0,1,1,0,5A 00 01,\r\n"),
              QByteArray("table,row,key\r\n")}) {
            const KeyCsvImport result = ImportKeyCsv(csv, *record, {TDeviceType::T150}, Language::Russian);
            QVERIFY(result.fileError);
            QVERIFY(result.lines.empty());
        }
        QVERIFY(SameKeys(*record, *EmptyRecord()));
    }
};

QTEST_GUILESS_MAIN(KeyCsvTest)
#include "tst_keycsv.moc"
