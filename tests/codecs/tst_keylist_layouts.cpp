// Key list layouts (LMR types, PKU-630XE) and the PKU-618 layouts.

#include "CodecTestSupport.h"
#include "codecs/KeyListLayouts.h"
#include "codecs/PKU618Layouts.h"

#include <QTest>

namespace {

std::unique_ptr<IntercomStore> StoreWithMarks(quint32 seed)
{
    auto store = RandomStore(seed);
    store->Record.KeyCounter = 100;
    store->Record.AuxByte = 0x77;
    return store;
}

} // namespace

class KeyListLayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void lmrHeaderCrcTakesTheMasterKeyReversed_data()
    {
        QTest::addColumn<EncodeFunction>("encode");
        QTest::addColumn<int>("size");
        QTest::newRow("LMR 700_701_702") << EncodeFunction(EncodeLMR702Image) << 2048;
        QTest::newRow("LMR 70x-2680") << EncodeFunction(EncodeLMR70x_2680Image) << 8192;
    }
    void lmrHeaderCrcTakesTheMasterKeyReversed()
    {
        QFETCH(EncodeFunction, encode);
        QFETCH(int, size);
        auto store = FreshStore();
        store->Record.ServicePassword = 0x1230;
        store->Record.MasterKey.bytes = {0x11, 0x22, 0x33, 0xFF};
        const QByteArray image = encode(*store);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.left(7), Bytes({0x3A, 0x12, 0x11, 0x22, 0x33, 0x01, 0x00}));
        const std::uint8_t reversed = CrcOf(Bytes({0x3A, 0x12, 0x33, 0x22, 0x11, 0x01, 0x00}));
        QVERIFY(reversed != CrcOf(image.left(7)));
        QCOMPARE(ByteAt(image, 7), reversed);
        QCOMPARE(store->Record.AuxByte, reversed);

        // A key that reads the same both ways gives the in-order CRC too.
        store->Record.MasterKey.bytes = {0x44, 0x55, 0x44, 0xFF};
        const QByteArray symmetric = encode(*store);
        QCOMPARE(ByteAt(symmetric, 7), CrcOf(symmetric.left(7)));
    }

    void lmr702RoundTripAndWhatItLeavesAlone()
    {
        auto source = RandomStore(11);
        const QByteArray image = EncodeLMR702Image(*source);
        QVERIFY(AllBytesAre(image, 2018, 6, 0xFF));
        QVERIFY(AllBytesAre(image, 2045, 3, 0xFF));

        auto store = StoreWithMarks(12);
        store->Record.MasterKey.bytes[3] = 0x42;
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodeLMR702Image, image, *store);
        const TIntercomData& r = store->Record;
        const TIntercomData& s = source->Record;
        QCOMPARE(r.ServicePassword, s.ServicePassword);
        QCOMPARE(r.MasterKey.bytes, (std::array<std::uint8_t, 4>{s.MasterKey.bytes[0], s.MasterKey.bytes[1], s.MasterKey.bytes[2], 0x42}));
        QCOMPARE(r.AuxByte, std::uint8_t{0});
        QVERIFY(KeysEqual(r, s, 0, 669));
        QVERIFY(KeysEmpty(r, 670, 2679));
        QCOMPARE(int(r.KeyCounter), 100 + CountKeys(s, 0, 669));
        for (std::size_t h = 0; h < 7; ++h) QCOMPARE(r.HeaderKeySlots[h], s.HeaderKeySlots[h]);
        for (std::size_t h = 7; h < 28; ++h) QCOMPARE(r.HeaderKeySlots[h], before->HeaderKeySlots[h]);
        QCOMPARE(r.Codes, before->Codes);
        QCOMPARE(r.ConfigByte, before->ConfigByte);
        QCOMPARE(r.GeneralCode, before->GeneralCode);
    }

    void emptyMasterKeySlotTakesTheImageBytesAndKeepsItsLastByte()
    {
        auto store = FreshStore();
        DecodeQuietly(DecodeLMR702Image, Bytes({0xFF, 0xFF, 0x01, 0x02, 0x03}), *store);
        QCOMPARE(store->Record.MasterKey.bytes, (std::array<std::uint8_t, 4>{1, 2, 3, 0xFF}));
    }

    void lmr70xSpreadsFourBanksOverAllSlots()
    {
        auto source = RandomStore(13);
        const QByteArray image = EncodeLMR70x_2680Image(*source);
        for (int bank = 1; bank < 4; ++bank) QVERIFY(AllBytesAre(image, 2048 * bank, 8, 0xFF));
        // Bank 2: keys from 4096 + 8, guard keys from 4096 + 2024.
        QCOMPARE(image.mid(4096 + 8, 3), QByteArray(reinterpret_cast<const char*>(source->Record.KeySlots[1340].bytes.data()), 3));
        QCOMPARE(image.mid(4096 + 2024, 3), QByteArray(reinterpret_cast<const char*>(source->Record.HeaderKeySlots[14].bytes.data()), 3));

        auto store = StoreWithMarks(14);
        DecodeQuietly(DecodeLMR70x_2680Image, image, *store);
        const TIntercomData& r = store->Record;
        QVERIFY(KeysEqual(r, source->Record, 0, 2679));
        QCOMPARE(r.HeaderKeySlots, source->Record.HeaderKeySlots);
        QCOMPARE(r.KeyCounter, std::uint16_t{100});
        QCOMPARE(r.AuxByte, std::uint8_t{0x77});
    }

    void pku630xeTwoKilobyteDumpFillsTheFirstKeys()
    {
        QByteArray dump(2048, 0);
        for (int i = 0; i < dump.size(); ++i) dump[i] = static_cast<char>(i % 251);
        auto store = StoreWithMarks(15);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodePKU630XEImage, dump, *store);
        const auto& ext = store->ExtensionKeySlots;
        QCOMPARE(ext[681].bytes, (std::array<std::uint8_t, 4>{ByteAt(dump, 2043), ByteAt(dump, 2044), ByteAt(dump, 2045), 0xFF}));
        QCOMPARE(ext[682].bytes, (std::array<std::uint8_t, 4>{ByteAt(dump, 2046), ByteAt(dump, 2047), 0xFF, 0xFF}));
        for (std::size_t e = 683; e < ext.size(); ++e) QVERIFY(ext[e].isEmpty());
        QVERIFY(SameRecord(store->Record, *before));
    }

    void pku630xeImageIsAlways64Kilobytes()
    {
        auto source = RandomStore(16);
        const QByteArray image = EncodePKU630XEImage(*source);
        QCOMPARE(image.size(), 65536);
        QVERIFY(AllBytesAre(image, 15000, 50536, 0xFF));
        auto store = FreshStore();
        DecodeQuietly(DecodePKU630XEImage, image, *store);
        QCOMPARE(store->ExtensionKeySlots, source->ExtensionKeySlots);
        QCOMPARE(EncodePKU630XEImage(*FreshStore()).size(), 65536);
    }

    void pku618HeaderKeepsLockTimeAndConciergeAsTheyAre()
    {
        auto source = FreshStore();
        source->Record.MasterKey.bytes = {0x0A, 0x0B, 0x0C, 0xFF};
        source->Record.AuxByte = 0x07;
        source->Record.ConfigByte = 0x15;
        source->Record.GeneralCode = 0x120C;
        const QByteArray image = EncodePKU618Image(*source);
        QCOMPARE(image.left(8), Bytes({0x0A, 0x0B, 0x0C, 0xFF, 0x07, 0x15, 0x0C, 0xFF}));
        QCOMPARE(source->Record.AuxByte, std::uint8_t{0x07});

        auto store = RandomStore(17);
        store->Record.MasterKey.bytes[3] = 0x42;
        DecodeQuietly(DecodePKU618Image, image, *store);
        QCOMPARE(store->Record.GeneralCode, std::uint16_t{0x000C});
        QCOMPARE(store->Record.AuxByte, std::uint8_t{0x07});
        QCOMPARE(store->Record.ConfigByte, std::uint8_t{0x15});
        QCOMPARE(store->Record.MasterKey.bytes, (std::array<std::uint8_t, 4>{0x0A, 0x0B, 0x0C, 0xFF}));
    }

    void pku618ChipsDifferInKeyCountLengthAndCounting_data()
    {
        QTest::addColumn<DecodeFunction>("decode");
        QTest::addColumn<EncodeFunction>("encode");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("imageSize");
        QTest::addColumn<bool>("counted");
        QTest::newRow("24C16") << DecodeFunction(DecodePKU618Image) << EncodeFunction(EncodePKU618Image) << 480 << 3008 << true;
        QTest::newRow("24C64") << DecodeFunction(DecodePKU618Image64) << EncodeFunction(EncodePKU618Image64) << 1200 << 10592 << false;
    }
    void pku618ChipsDifferInKeyCountLengthAndCounting()
    {
        QFETCH(DecodeFunction, decode);
        QFETCH(EncodeFunction, encode);
        QFETCH(int, keys);
        QFETCH(int, imageSize);
        QFETCH(bool, counted);
        auto source = RandomStore(18);
        const QByteArray image = encode(*source);
        QCOMPARE(image.size(), imageSize);
        QVERIFY(AllBytesAre(image, 8 + 3 * keys, imageSize - 8 - 3 * keys, 0xFF));

        auto store = StoreWithMarks(19);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(decode, image, *store);
        const TIntercomData& r = store->Record;
        QVERIFY(KeysEqual(r, source->Record, 0, keys - 1));
        QVERIFY(KeysEmpty(r, keys, 2679));
        QCOMPARE(int(r.KeyCounter), 100 + (counted ? CountKeys(source->Record, 0, keys - 1) : 0));
        QCOMPARE(r.Codes, before->Codes);
        QCOMPARE(r.HeaderKeySlots, before->HeaderKeySlots);
        QCOMPARE(r.ServicePassword, before->ServicePassword);
        QCOMPARE(r.SystemPassword, before->SystemPassword);
        QCOMPARE(r.LockTime, before->LockTime);
    }
};

QTEST_GUILESS_MAIN(KeyListLayoutsTest)
#include "tst_keylist_layouts.moc"
