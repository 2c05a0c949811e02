// Apartment bank layouts: the T150 family and PKU-630, and the PKU-512 layouts built on them.

#include "CodecTestSupport.h"
#include "codecs/ApartmentBankLayouts.h"
#include "codecs/PKU512Layouts.h"

#include <QTest>

namespace {

// A record whose untouched fields are easy to recognise after a decode.
std::unique_ptr<IntercomStore> StoreWithMarks()
{
    auto store = RandomStore(7);
    store->Record.KeyCounter = 100;
    return store;
}

// The fields no apartment bank decoder may change.
void VerifyLeftAlone(const TIntercomData& after, const TIntercomData& before)
{
    QCOMPARE(after.MasterKey, before.MasterKey);
    QCOMPARE(after.ConciergeNumber, before.ConciergeNumber);
    QCOMPARE(after.TypeName, before.TypeName);
    QCOMPARE(after.CodeCounter, before.CodeCounter);
    QCOMPARE(after.Reserved30, before.Reserved30);
    QCOMPARE(after.Reserved200, before.Reserved200);
    QVERIFY(KeysEqual(after, before, 2400, 2679));
}

} // namespace

class ApartmentLayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void erasedT150ChipDecodesToEmptyData()
    {
        auto store = StoreWithMarks();
        const auto before = std::make_unique<TIntercomData>(store->Record);
        QCOMPARE(DecodeQuietly(DecodeT150Image, Filled(2048, '\xFF'), *store), DecodeOutcome::Accepted);
        const TIntercomData& r = store->Record;
        QCOMPARE(r.ServicePassword, EmptyDigitValue);
        QCOMPARE(r.SystemPassword, EmptyDigitValue);
        QCOMPARE(r.GeneralCode, EmptyDigitValue);
        QCOMPARE(r.ConfigByte, std::uint8_t{0xFF});
        QVERIFY(KeysEmpty(r, 0, 2399));
        QVERIFY(CodesEmpty(r, 0, 199));
        QCOMPARE(r.KeyCounter, std::uint16_t{100});
        QCOMPARE(r.HeaderKeySlots, before->HeaderKeySlots);
        QCOMPARE(r.PassThroughArea, before->PassThroughArea);
        QCOMPARE(r.Volume, before->Volume);
        QCOMPARE(r.LockTime, before->LockTime);
        VerifyLeftAlone(r, *before);
    }

    void shortImageDecodesItsMissingPartAsErased()
    {
        auto source = RandomStore(1);
        const QByteArray image = EncodeT150Image(*source).left(8 + 3 * 10);
        auto store = FreshStore();
        DecodeQuietly(DecodeT150Image, image, *store);
        QVERIFY(KeysEqual(store->Record, source->Record, 0, 9));
        QVERIFY(KeysEmpty(store->Record, 10, 599));
        QVERIFY(CodesEmpty(store->Record, 0, 199));
    }

    void t150RoundTripKeepsTheFirstBankAndCountsKeys()
    {
        auto source = RandomStore(2);
        const QByteArray image = EncodeT150Image(*source);
        QCOMPARE(image.size(), 2048);
        QVERIFY(AllBytesAre(image, 1808, 40, 0xFF));

        auto store = StoreWithMarks();
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodeT150Image, image, *store);
        const TIntercomData& r = store->Record;
        const TIntercomData& s = source->Record;
        QCOMPARE(r.ServicePassword, s.ServicePassword);
        QCOMPARE(r.SystemPassword, s.SystemPassword);
        QCOMPARE(r.GeneralCode, s.GeneralCode);
        QCOMPARE(r.ConfigByte, s.ConfigByte);
        QVERIFY(KeysEqual(r, s, 0, 599));
        QVERIFY(KeysEmpty(r, 600, 2399));
        QVERIFY(CodesEqual(r, s, 0, 99));
        QVERIFY(CodesEmpty(r, 100, 199));
        QCOMPARE(int(r.KeyCounter), 100 + CountKeys(s, 0, 599));
        QCOMPARE(r.HeaderKeySlots, before->HeaderKeySlots);
        QCOMPARE(r.PassThroughArea, before->PassThroughArea);
        VerifyLeftAlone(r, *before);
    }

    void bankHeaderSurroundsTheConfigByteWithTheGeneralCode_data()
    {
        QTest::addColumn<DecodeFunction>("decode");
        QTest::addColumn<EncodeFunction>("encode");
        QTest::newRow("T150") << DecodeFunction(DecodeT150Image) << EncodeFunction(EncodeT150Image);
        QTest::newRow("PKU-630") << DecodeFunction(DecodePKU630Image) << EncodeFunction(EncodePKU630Image);
        QTest::newRow("PKU-512T") << DecodeFunction(DecodePKU512TImage) << EncodeFunction(EncodePKU512TImage);
        QTest::newRow("PKU-512S") << DecodeFunction(DecodePKU512SImage) << EncodeFunction(EncodePKU512SImage);
    }
    void bankHeaderSurroundsTheConfigByteWithTheGeneralCode()
    {
        QFETCH(DecodeFunction, decode);
        QFETCH(EncodeFunction, encode);
        auto store = FreshStore();
        TIntercomData& r = store->Record;
        r.ServicePassword = 0x0012;
        r.SystemPassword = 0x4321;
        r.GeneralCode = 0x0120; // first and last digits 0
        r.ConfigByte = 0x5B;
        r.Codes.fill(EmptyDigitValue);
        const QByteArray image = encode(*store);
        QCOMPARE(ByteAt(image, 2), std::uint8_t{0x21});
        QCOMPARE(ByteAt(image, 3), std::uint8_t{0x43});
        QCOMPARE(ByteAt(image, 4), std::uint8_t{0x2A});
        QCOMPARE(ByteAt(image, 5), std::uint8_t{0x5B});
        QCOMPARE(ByteAt(image, 6), std::uint8_t{0xA1});
        QCOMPARE(ByteAt(image, 7), CrcOf(image.left(7)));
        QCOMPARE(r.AuxByte, ByteAt(image, 7));
        // Empty codes are written as 0xFF bytes.
        QVERIFY(AllBytesAre(image, 1848, 200, 0xFF));

        auto decoded = FreshStore();
        DecodeQuietly(decode, image, *decoded);
        QCOMPARE(decoded->Record.ServicePassword, std::uint16_t{0x0012});
        QCOMPARE(decoded->Record.SystemPassword, std::uint16_t{0x4321});
        QCOMPARE(decoded->Record.GeneralCode, std::uint16_t{0x0120});
        QCOMPARE(decoded->Record.ConfigByte, std::uint8_t{0x5B});
    }

    void invalidLowByteEmptiesTheGeneralCode()
    {
        QByteArray image = Filled(2048, '\xFF');
        image[4] = '\xB1';
        image[6] = '\x12';
        auto store = FreshStore();
        DecodeQuietly(DecodeT150Image, image, *store);
        QCOMPARE(store->Record.GeneralCode, EmptyDigitValue);
    }

    void pku630ConciergeIsStoredInPlainDigits_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("concierge");
        QTest::newRow("12") << Bytes({0x12, 0x00}) << 0x0012;
        QTest::newRow("0xA is not a digit here") << Bytes({0xA1, 0x00}) << 0xFFFF;
        QTest::newRow("erased") << Bytes({0xFF, 0xFF}) << 0xFFFF;
    }
    void pku630ConciergeIsStoredInPlainDigits()
    {
        QFETCH(QByteArray, image);
        QFETCH(int, concierge);
        auto store = FreshStore();
        DecodeQuietly(DecodePKU630Image, image, *store);
        QCOMPARE(int(store->Record.ServicePassword), concierge);

        store->Record.ServicePassword = 0x0012;
        QCOMPARE(EncodePKU630Image(*store).left(2), Bytes({0x12, 0x00}));
    }

    void pku630RoundTripKeepsBothBanksAndThePassThroughArea()
    {
        auto source = RandomStore(3);
        source->Record.ServicePassword = 0x0045;
        const QByteArray image = EncodePKU630Image(*source);
        QCOMPARE(image.size(), 4896);
        QVERIFY(AllBytesAre(image, 2048, 8, 0xFF));
        QVERIFY(AllBytesAre(image, 3856, 40, 0xFF));

        auto store = StoreWithMarks();
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodePKU630Image, image, *store);
        const TIntercomData& r = store->Record;
        const TIntercomData& s = source->Record;
        QCOMPARE(r.ServicePassword, std::uint16_t{0x0045});
        QVERIFY(KeysEqual(r, s, 0, 1199));
        QVERIFY(KeysEmpty(r, 1200, 2679));
        QVERIFY(CodesEqual(r, s, 0, 199));
        QCOMPARE(r.PassThroughArea, s.PassThroughArea);
        QCOMPARE(int(r.KeyCounter), 100 + CountKeys(s, 0, 1199));
        QCOMPARE(r.HeaderKeySlots, before->HeaderKeySlots);
        QCOMPARE(r.MasterKey, before->MasterKey);
    }

    void passThroughBytesThatAreNotDigitsComeBackErased()
    {
        auto source = FreshStore();
        source->Record.PassThroughArea[0] = 0x00;
        source->Record.PassThroughArea[1] = 0xB5;
        source->Record.PassThroughArea[2] = 0x90;
        const QByteArray image = EncodePKU630Image(*source);
        QCOMPARE(ByteAt(image, 4096), std::uint8_t{0xAA});
        auto store = FreshStore();
        DecodeQuietly(DecodePKU630Image, image, *store);
        QCOMPARE(store->Record.PassThroughArea[0], std::uint8_t{0x00});
        QCOMPARE(store->Record.PassThroughArea[1], std::uint8_t{0xFF});
        QCOMPARE(store->Record.PassThroughArea[2], std::uint8_t{0x90});
    }

    void twoKilobyteDumpForPku630LeavesTheSecondBankErased()
    {
        auto source = RandomStore(4);
        const QByteArray image = EncodeT150Image(*source);
        auto store = RandomStore(5);
        DecodeQuietly(DecodePKU630Image, image, *store);
        QVERIFY(KeysEqual(store->Record, source->Record, 0, 599));
        QVERIFY(KeysEmpty(store->Record, 600, 2679));
        QVERIFY(CodesEmpty(store->Record, 100, 199));
        QCOMPARE(store->Record.PassThroughArea[0], std::uint8_t{0xFF});
    }

    void pku512SystemBlockHoldsLockTimeConciergeAndVolume()
    {
        auto source = FreshStore();
        source->Record.LockTime = 5;
        source->Record.ConciergeNumber = 101;
        source->Record.Volume = 7;
        for (int i = 0; i < 5; ++i) source->Record.HeaderKeySlots[static_cast<std::size_t>(i)].bytes = {std::uint8_t(i), 2, 3, 0xFF};
        for (EncodeFunction encode : {EncodeFunction(EncodePKU512TImage), EncodeFunction(EncodePKU512SImage)}) {
            const QByteArray image = encode(*source);
            QCOMPARE(image.mid(1808, 6), Bytes({0x05, 0x65, 0x00, 0x00, 0xFF, 0x07}));
            QVERIFY(AllBytesAre(image, 1814, 10, 0xFF));
            QCOMPARE(image.mid(1824, 6), Bytes({0, 2, 3, 1, 2, 3}));
            QVERIFY(AllBytesAre(image, 1839, 9, 0xFF));
        }

        const QByteArray image = EncodePKU512TImage(*source);
        auto store = RandomStore(6);
        store->Record.ConciergeNumber = 42;
        DecodeQuietly(DecodePKU512TImage, image, *store);
        QCOMPARE(store->Record.LockTime, std::uint8_t{5});
        QCOMPARE(store->Record.Volume, std::uint8_t{7});
        QCOMPARE(store->Record.ConciergeNumber, 42);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(store->Record.HeaderKeySlots[static_cast<std::size_t>(i)], source->Record.HeaderKeySlots[static_cast<std::size_t>(i)]);
    }

    void pku512tKeepsOneBankAndEmptiesTheRest()
    {
        auto source = RandomStore(8);
        const QByteArray image = EncodePKU512TImage(*source);
        QCOMPARE(image.size(), 2048);
        auto store = StoreWithMarks();
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodePKU512TImage, image, *store);
        const TIntercomData& r = store->Record;
        QVERIFY(KeysEqual(r, source->Record, 0, 599));
        QVERIFY(KeysEmpty(r, 600, 2399));
        QVERIFY(CodesEqual(r, source->Record, 0, 99));
        QVERIFY(CodesEmpty(r, 100, 199));
        QCOMPARE(int(r.KeyCounter), 100 + CountKeys(source->Record, 0, 599));
        for (int i = 5; i < HeaderKeySlotCount; ++i)
            QCOMPARE(r.HeaderKeySlots[static_cast<std::size_t>(i)], before->HeaderKeySlots[static_cast<std::size_t>(i)]);
        VerifyLeftAlone(r, *before);
    }

    void pku512sFillsAllKeysAndCodes()
    {
        auto source = RandomStore(9);
        const QByteArray image = EncodePKU512SImage(*source);
        QCOMPARE(image.size(), 8192);
        for (auto [from, count] : {std::pair{2048, 8}, {3856, 248}, {5904, 40}, {6144, 8}, {7952, 240}})
            QVERIFY2(AllBytesAre(image, from, count, 0xFF), qPrintable(QString::number(from)));
        ImageWriter code100;
        code100.digitPair(source->Record.Codes[100]);
        QCOMPARE(image.mid(5944, 2), code100.bytes());

        auto store = StoreWithMarks();
        const auto before = std::make_unique<TIntercomData>(store->Record);
        DecodeQuietly(DecodePKU512SImage, image, *store);
        const TIntercomData& r = store->Record;
        QVERIFY(KeysEqual(r, source->Record, 0, 2399));
        QVERIFY(CodesEqual(r, source->Record, 0, 199));
        QCOMPARE(int(r.KeyCounter), 100 + CountKeys(source->Record, 0, 2399));
        QCOMPARE(r.LockTime, source->Record.LockTime);
        VerifyLeftAlone(r, *before);
    }
};

QTEST_GUILESS_MAIN(ApartmentLayoutsTest)
#include "tst_apartment_layouts.moc"
