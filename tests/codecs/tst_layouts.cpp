// The EEPROM layouts: what each carries through an encode and decode, what its decoder empties,
// counts and leaves alone, and the header details of each family.

#include "CodecTestSupport.h"
#include "codecs/ApartmentBankLayouts.h"
#include "codecs/G300Layouts.h"
#include "codecs/KeyListLayouts.h"
#include "codecs/PKU512Layouts.h"
#include "codecs/PKU618Layouts.h"

#include <QTest>

Q_DECLARE_METATYPE(const Layout*)

class LayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void layoutCarriesItsKeysAndCodes_data()
    {
        QTest::addColumn<const Layout*>("layout");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("keys");        // key slots 0..keys-1 carried
        QTest::addColumn<int>("keysEmptied"); // then emptied up to here (exclusive); the rest untouched
        QTest::addColumn<int>("codes");       // codes 0..codes-1 carried
        QTest::addColumn<int>("codesEmptied");
        QTest::addColumn<bool>("counted");
        QTest::newRow("T150") << &T150Layout << 2048 << 600 << 2400 << 100 << 200 << true;
        QTest::newRow("PKU-630") << &PKU630Layout << 4896 << 1200 << 2680 << 200 << 200 << true;
        QTest::newRow("PKU-512T") << &PKU512TLayout << 2048 << 600 << 2400 << 100 << 200 << true;
        QTest::newRow("PKU-512S") << &PKU512SLayout << 8192 << 2400 << 2400 << 200 << 200 << true;
        QTest::newRow("LMR 700_701_702") << &LMR702Layout << 2048 << 670 << 2680 << 0 << 0 << true;
        QTest::newRow("LMR 70x-2680") << &LMR70x_2680Layout << 8192 << 2680 << 2680 << 0 << 0 << false;
        QTest::newRow("PKU-618 24C16") << &PKU618Layout << 3008 << 480 << 2680 << 0 << 0 << true;
        QTest::newRow("PKU-618 24C64") << &PKU618Layout64 << 10592 << 1200 << 2680 << 0 << 0 << false;
        QTest::newRow("G300 DS1996") << &G300Layout << 8192 << 1800 << 2680 << 200 << 200 << true;
    }
    void layoutCarriesItsKeysAndCodes()
    {
        QFETCH(const Layout*, layout);
        QFETCH(int, size);
        QFETCH(int, keys);
        QFETCH(int, keysEmptied);
        QFETCH(int, codes);
        QFETCH(int, codesEmptied);
        QFETCH(bool, counted);
        auto source = RandomStore(1);
        const QByteArray image = layout->encode(*source);
        QCOMPARE(image.size(), size);

        auto store = RandomStore(2);
        store->Record.ConciergeNumber = source->Record.ConciergeNumber; // written, never read back
        const auto before = std::make_unique<IntercomStore>(*store);
        QCOMPARE(DecodeQuietly(layout->decode, image, *store), DecodeOutcome::Accepted);
        const TIntercomData& r = store->Record;
        QVERIFY(SameRange(r.KeySlots, source->Record.KeySlots, 0, keys - 1));
        QVERIFY(KeysEmpty(r, keys, keysEmptied - 1));
        QVERIFY(SameRange(r.KeySlots, before->Record.KeySlots, keysEmptied, KeySlotCount - 1));
        QVERIFY(SameRange(r.Codes, source->Record.Codes, 0, codes - 1));
        QVERIFY(CodesEmpty(r, codes, codesEmptied - 1));
        QVERIFY(SameRange(r.Codes, before->Record.Codes, codesEmptied, CodeCount - 1));
        QCOMPARE(int(r.KeyCounter), 100 + (counted ? CountKeys(source->Record, 0, keys - 1) : 0));
        QCOMPARE(r.TypeName, before->Record.TypeName);
        QCOMPARE(r.Reserved200, before->Record.Reserved200);
        QCOMPARE(store->ExtensionKeySlots, before->ExtensionKeySlots);
        // Everything the layout carries comes back the same way.
        QCOMPARE(layout->encode(*store), image);
    }

    void erasedChipDecodesToEmptyValues()
    {
        auto store = RandomStore(3);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodeT150Image, Filled(2048, '\xFF'), *store);
        const TIntercomData& r = store->Record;
        QCOMPARE(r.ServicePassword, EmptyDigitValue);
        QCOMPARE(r.SystemPassword, EmptyDigitValue);
        QCOMPARE(r.GeneralCode, EmptyDigitValue);
        QCOMPARE(r.ConfigByte, std::uint8_t{0xFF});
        QVERIFY(KeysEmpty(r, 0, 599) && CodesEmpty(r, 0, 99));
        QCOMPARE(r.KeyCounter, before->KeyCounter);
        QCOMPARE(r.HeaderKeySlots, before->HeaderKeySlots);
        QCOMPARE(r.MasterKey, before->MasterKey);
        QCOMPARE(r.PassThroughArea, before->PassThroughArea);
        QCOMPARE(r.LockTime, before->LockTime);
    }

    void bankHeaderPutsTheConfigByteInsideTheGeneralCode_data()
    {
        QTest::addColumn<const Layout*>("layout");
        QTest::newRow("T150") << &T150Layout;
        QTest::newRow("PKU-630") << &PKU630Layout;
        QTest::newRow("PKU-512T") << &PKU512TLayout;
        QTest::newRow("PKU-512S") << &PKU512SLayout;
    }
    void bankHeaderPutsTheConfigByteInsideTheGeneralCode()
    {
        QFETCH(const Layout*, layout);
        auto store = FreshStore();
        TIntercomData& r = store->Record;
        r.ServicePassword = 0x0012;
        r.SystemPassword = 0x4321;
        r.GeneralCode = 0x0120; // first and last digits 0
        r.ConfigByte = 0x5B;
        r.Codes.fill(EmptyDigitValue);
        const QByteArray image = layout->encode(*store);
        QCOMPARE(image.mid(2, 5), Bytes({0x21, 0x43, 0x2A, 0x5B, 0xA1}));
        QCOMPARE(ByteAt(image, 7), CrcOf(image.left(7)));
        QCOMPARE(r.AuxByte, ByteAt(image, 7));
        QVERIFY(AllFF(image, 1848, 200));

        auto decoded = FreshStore();
        DecodeQuietly(layout->decode, image, *decoded);
        QCOMPARE(decoded->Record.ServicePassword, std::uint16_t{0x0012});
        QCOMPARE(decoded->Record.GeneralCode, std::uint16_t{0x0120});
        QCOMPARE(decoded->Record.ConfigByte, std::uint8_t{0x5B});

        QByteArray broken = image;
        broken[4] = '\xB1'; // an invalid low byte empties the general code whatever the high byte
        DecodeQuietly(layout->decode, broken, *decoded);
        QCOMPARE(decoded->Record.GeneralCode, EmptyDigitValue);
    }

    void pku630KeepsTheConciergePairStrictAndThePassThroughAreaInDigits()
    {
        auto store = FreshStore();
        store->Record.ServicePassword = 0x0012;
        store->Record.PassThroughArea[0] = 0x00;
        store->Record.PassThroughArea[1] = 0xB5;
        QByteArray image = EncodePKU630Image(*store);
        QCOMPARE(image.left(2), Bytes({0x12, 0x00})); // plain digits: no 0xA for a zero here
        QCOMPARE(image.mid(4096, 2), Bytes({0xAA, 0xB5}));
        DecodeQuietly(DecodePKU630Image, image, *store);
        QCOMPARE(store->Record.ServicePassword, std::uint16_t{0x0012});
        QCOMPARE(store->Record.PassThroughArea[0], std::uint8_t{0x00});
        QCOMPARE(store->Record.PassThroughArea[1], std::uint8_t{0xFF});
        image[0] = '\xA1';
        DecodeQuietly(DecodePKU630Image, image, *store);
        QCOMPARE(store->Record.ServicePassword, EmptyDigitValue);
    }

    void pku512SystemBlockHoldsLockTimeConciergeVolumeAndSystemKeys()
    {
        auto source = FreshStore();
        source->Record.LockTime = 5;
        source->Record.ConciergeNumber = 101;
        source->Record.Volume = 7;
        source->Record.HeaderKeySlots[4] = KeySlot{{4, 5, 6, 0xFF}};
        for (const Layout* layout : {&PKU512TLayout, &PKU512SLayout}) {
            const QByteArray image = layout->encode(*source);
            QCOMPARE(image.mid(1808, 6), Bytes({0x05, 0x65, 0x00, 0x00, 0xFF, 0x07}));
            QVERIFY(AllFF(image, 1814, 10 + 12));
            QCOMPARE(image.mid(1836, 3), Bytes({4, 5, 6}));
            QVERIFY(AllFF(image, 1839, 9));

            auto store = RandomStore(4);
            store->Record.ConciergeNumber = 42;
            DecodeQuietly(layout->decode, image, *store);
            QCOMPARE(store->Record.LockTime, std::uint8_t{5});
            QCOMPARE(store->Record.Volume, std::uint8_t{7});
            QCOMPARE(store->Record.ConciergeNumber, 42);
            QCOMPARE(store->Record.HeaderKeySlots[4], source->Record.HeaderKeySlots[4]);
        }
    }

    void lmrHeaderCrcTakesTheMasterKeyReversed()
    {
        auto store = FreshStore();
        store->Record.ServicePassword = 0x1230;
        store->Record.MasterKey = KeySlot{{0x11, 0x22, 0x33, 0xFF}};
        store->Record.KeySlots[1340] = KeySlot{{1, 2, 3, 0xFF}};
        store->Record.HeaderKeySlots[14] = KeySlot{{4, 5, 6, 0xFF}};
        for (const Layout* layout : {&LMR702Layout, &LMR70x_2680Layout}) {
            const QByteArray image = layout->encode(*store);
            QCOMPARE(image.left(7), Bytes({0x3A, 0x12, 0x11, 0x22, 0x33, 0x01, 0x00}));
            QCOMPARE(ByteAt(image, 7), CrcOf(Bytes({0x3A, 0x12, 0x33, 0x22, 0x11, 0x01, 0x00})));
            QVERIFY(ByteAt(image, 7) != CrcOf(image.left(7)));
            QCOMPARE(store->Record.AuxByte, ByteAt(image, 7));
        }
        // The 24C64 layout's second bank holds slot 1340 on and guard keys 14 on.
        const QByteArray image = EncodeLMR70x_2680Image(*store);
        QCOMPARE(image.mid(4096 + 8, 3), Bytes({1, 2, 3}));
        QCOMPARE(image.mid(4096 + 2024, 3), Bytes({4, 5, 6}));
        QVERIFY(AllFF(image, 2048, 8) && AllFF(image, 6144, 8));

        store->Record.MasterKey = KeySlot{{0x44, 0x55, 0x44, 0xFF}}; // the same both ways
        const QByteArray symmetric = EncodeLMR702Image(*store);
        QCOMPARE(ByteAt(symmetric, 7), CrcOf(symmetric.left(7)));
    }

    void lmrDecodersKeepTheMasterKeysLastByteAndDifferOnTheWorkByte()
    {
        const QByteArray image = Bytes({0xFF, 0xFF, 0x01, 0x02, 0x03, 0x01, 0x00, 0x99});
        auto store = FreshStore();
        store->Record.MasterKey.bytes[3] = 0x42;
        store->Record.AuxByte = 0x77;
        DecodeQuietly(DecodeLMR70x_2680Image, image, *store);
        QCOMPARE(store->Record.MasterKey, (KeySlot{{1, 2, 3, 0x42}}));
        QCOMPARE(store->Record.AuxByte, std::uint8_t{0x77});
        DecodeQuietly(DecodeLMR702Image, image, *store);
        QCOMPARE(store->Record.AuxByte, std::uint8_t{0});
    }

    void pku630xeDumpFillsExtensionSlotsOnly()
    {
        QByteArray dump(2048, 0);
        for (int i = 0; i < dump.size(); ++i) dump[i] = static_cast<char>(i % 251);
        auto store = RandomStore(5);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodePKU630XEImage, dump, *store);
        const auto& ext = store->ExtensionKeySlots;
        QCOMPARE(ext[681], (KeySlot{{ByteAt(dump, 2043), ByteAt(dump, 2044), ByteAt(dump, 2045), 0xFF}}));
        QCOMPARE(ext[682], (KeySlot{{ByteAt(dump, 2046), ByteAt(dump, 2047), 0xFF, 0xFF}}));
        QVERIFY(std::all_of(ext.begin() + 683, ext.end(), [](const KeySlot& s) { return s.isEmpty(); }));
        QVERIFY(SameRecord(store->Record, *before));
        QCOMPARE(EncodePKU630XEImage(*store), dump + Filled(65536 - 2048, '\xFF'));
    }

    void pku618HeaderKeepsLockTimeAndConciergeAsTheyAre()
    {
        auto source = FreshStore();
        source->Record.MasterKey = KeySlot{{0x0A, 0x0B, 0x0C, 0xFF}};
        source->Record.AuxByte = 0x07;
        source->Record.ConfigByte = 0x15;
        source->Record.GeneralCode = 0x120C;
        const QByteArray image = EncodePKU618Image(*source);
        QCOMPARE(image.left(8), Bytes({0x0A, 0x0B, 0x0C, 0xFF, 0x07, 0x15, 0x0C, 0xFF}));
        QVERIFY(AllFF(image, 1448, 3008 - 1448));

        auto store = RandomStore(6);
        store->Record.MasterKey.bytes[3] = 0x42;
        DecodeQuietly(DecodePKU618Image64, image, *store);
        QCOMPARE(store->Record.GeneralCode, std::uint16_t{0x000C});
        QCOMPARE(store->Record.AuxByte, std::uint8_t{0x07});
        QCOMPARE(store->Record.MasterKey, source->Record.MasterKey);
    }
};

QTEST_GUILESS_MAIN(LayoutsTest)
#include "tst_layouts.moc"
