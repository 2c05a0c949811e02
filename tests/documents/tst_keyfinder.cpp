// Finding every place of the record that holds a lost key, in the terms of each type's page.

#include "documents/KeyFinder.h"
#include "documents/PageTerms.h"
#include "model/TableSpecs.h"

#include <QTest>

#include <memory>

namespace {

constexpr KeyBytes LostKey{0x01, 0x02, 0x03}; // the page shows it as "03 02 01"
constexpr KeySlot LostKeySlot{{0x01, 0x02, 0x03, 0xFF}};

std::unique_ptr<IntercomStore> StartRecord()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

// Puts the lost key where `where` says: "key:N", "header:N", "extension:N" or "master".
void PutLostKey(IntercomStore& store, const QString& where)
{
    const QStringList parts = where.split(':');
    const auto slot = static_cast<std::size_t>(parts.value(1).toInt());
    if (parts[0] == "key")
        store.Record.KeySlots[slot] = LostKeySlot;
    else if (parts[0] == "header")
        store.Record.HeaderKeySlots[slot] = LostKeySlot;
    else if (parts[0] == "extension")
        store.ExtensionKeySlots[slot] = LostKeySlot;
    else
        store.Record.MasterKey = LostKeySlot;
}

QStringList Lines(const std::vector<KeyPlace>& places, Language language = Language::English)
{
    QStringList lines;
    for (const KeyPlace& place : places) lines << KeyPlaceText(place, language);
    return lines;
}

} // namespace

class KeyFinderTest : public QObject {
    Q_OBJECT
private slots:
    // A controller type forgotten in the table of page terms would find nothing on its page.
    void everyControllerTypeHasThePageTablesItShows()
    {
        for (const TDeviceType type : AllDeviceTypes) QVERIFY2(!PageTables(type).empty(), qPrintable(TypeText(type)));
        QVERIFY(!PageTables(TDeviceType::G300, true).empty());
    }

    void everyPlaceOfTheKeyIsListedInThePagesOrder_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("ds1995");
        QTest::addColumn<QStringList>("puts");
        QTest::addColumn<QStringList>("found");

        const QString hidden = QStringLiteral(" (not shown on the page)");
        QTest::newRow("T150 apartments") << TDeviceType::T150 << false
                                         << QStringList{"extension:42", "key:1500", "header:3",
                                                        "master",       "key:599",  "key:30"}
                                         << QStringList{"Apartments, apartment 5, key 1",
                                                        "Apartments, apartment 99, key 6",
                                                        "Master key" + hidden,
                                                        "Key slot 1500" + hidden,
                                                        "Guard or system key slot 3" + hidden,
                                                        "PKU-630XE extension slot 42" + hidden};
        QTest::newRow("PKU-512T system keys")
            << TDeviceType::PKU512T << false << QStringList{"header:10", "header:1", "key:6"}
            << QStringList{"Apartments, apartment 1, key 1", "System keys, key 2",
                           "Guard or system key slot 10" + hidden};
        QTest::newRow("LMR key list, guard keys and master key")
            << TDeviceType::LMR702 << false << QStringList{"extension:0", "key:700", "master", "header:6", "key:7"}
            << QStringList{"Individual keys, key 8", "Guard keys, key 7", "Master key", "Key slot 700" + hidden,
                           "PKU-630XE extension slot 0" + hidden};
        QTest::newRow("LMR 2680 list end") << TDeviceType::LMR70x2680 << false << QStringList{"header:27", "key:2679"}
                                           << QStringList{"Individual keys, key 2680", "Guard keys, key 28"};
        QTest::newRow("PKU-618 apartments from one")
            << TDeviceType::PKU618 << false << QStringList{"key:2000", "master", "key:31"}
            << QStringList{"Apartments, apartment 2, key 2", "Master key", "Key slot 2000" + hidden};
        QTest::newRow("PKU-630 beside the hotel column")
            << TDeviceType::PKU630 << false << QStringList{"key:1199", "key:1200"}
            << QStringList{"Apartments, apartment 199, key 6", "Key slot 1200" + hidden};
        QTest::newRow("G300 rows without an apartment")
            << TDeviceType::G300 << false << QStringList{"key:1800", "key:1207"}
            << QStringList{"Apartments, row 202, key 2", "Key slot 1800" + hidden};
        QTest::newRow("G300 DS1995 page") << TDeviceType::G300 << true << QStringList{"key:1207", "key:5"}
                                          << QStringList{"Apartments, apartment 1, key 2", "Key slot 1207" + hidden};
        QTest::newRow("PKU-512S blocks of keys 7 to 12")
            << TDeviceType::PKU512S << false << QStringList{"header:4", "key:1800", "key:600"}
            << QStringList{"Apartments, apartment 0, key 7", "Apartments, apartment 100, key 7", "System keys, key 5"};
        QTest::newRow("PKU-630XE access keys")
            << TDeviceType::PKU630XE << false
            << QStringList{"master", "header:0", "key:5", "extension:4999", "extension:42"}
            << QStringList{"Access keys, key 43", "Access keys, key 5000", "Master key" + hidden, "Key slot 5" + hidden,
                           "Guard or system key slot 0" + hidden};
    }

    void everyPlaceOfTheKeyIsListedInThePagesOrder()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, ds1995);
        QFETCH(QStringList, puts);
        QFETCH(QStringList, found);
        const auto store = StartRecord();
        for (const QString& where : puts) PutLostKey(*store, where);
        QCOMPARE(Lines(FindKey(*store, type, LostKey, ds1995)), found);
    }

    void aPlaceNamesTheCellAWindowSelects()
    {
        const auto store = StartRecord();
        PutLostKey(*store, "key:1207");
        const std::vector<KeyPlace> onG300 = FindKey(*store, TDeviceType::G300, LostKey);
        QCOMPARE(onG300.size(), std::size_t{1});
        QCOMPARE(QString(onG300[0].place), QStringLiteral("SGrid6"));
        QCOMPARE(onG300[0].cell, (CellRef{3, 202}));
        QCOMPARE(onG300[0].slot, 1207);

        store->Record.KeySlots[1207].clear();
        PutLostKey(*store, "master");
        const std::vector<KeyPlace> onLmr = FindKey(*store, TDeviceType::LMR702, LostKey);
        QCOMPARE(onLmr.size(), std::size_t{1});
        QCOMPARE(onLmr[0].holder, KeyHolder::MasterKey);
        QCOMPARE(QString(onLmr[0].place), QStringLiteral("Edit2"));
        // A type without a master-key field still keeps the key there: found, but with no field to select.
        QCOMPARE(FindKey(*store, TDeviceType::T150, LostKey).back().place, nullptr);
    }

    void onlyTheKeyItselfIsFound()
    {
        const auto store = StartRecord();
        QVERIFY(FindKey(*store, TDeviceType::T150, LostKey).empty());
        // The same three bytes with a fourth byte other than 0xFF are no stored key.
        store->Record.KeySlots[10] = KeySlot{{0x01, 0x02, 0x03, 0x00}};
        // A key that differs in one byte is another key.
        store->Record.KeySlots[11] = KeySlot{{0x01, 0x02, 0x04, 0xFF}};
        QVERIFY(FindKey(*store, TDeviceType::T150, LostKey).empty());
        // Three 0xFF mark every empty slot; they are no key and are found nowhere.
        QVERIFY(FindKey(*store, TDeviceType::T150, KeyBytes{0xFF, 0xFF, 0xFF}).empty());
    }

    void placesAreSaidInTheWindowsLanguage()
    {
        const auto store = StartRecord();
        PutLostKey(*store, "key:30");
        PutLostKey(*store, "key:1500");
        QCOMPARE(Lines(FindKey(*store, TDeviceType::T150, LostKey), Language::Russian),
                 (QStringList{"Квартиры, квартира 5, ключ 1", "Слот ключа 1500 (на странице не показан)"}));
    }
};

QTEST_GUILESS_MAIN(KeyFinderTest)
#include "tst_keyfinder.moc"
