// Digit bytes, digit pairs, key identifiers and the CRC-8 as the chip images hold them.

#include "CodecTestSupport.h"

#include <QTest>

class EncodingsTest : public QObject {
    Q_OBJECT
private slots:
    void crcHasTheCatalogueCheckValue()
    {
        QCOMPARE(CrcOf("123456789"), std::uint8_t{0xA1});
        // Data followed by its own CRC runs the CRC to zero: how the per-record checks work.
        QByteArray data = "\x12\x34\x56";
        data.append(static_cast<char>(CrcOf(data)));
        QCOMPARE(CrcOf(data), std::uint8_t{0});
    }

    void crcUpdateWorksOnTheRecordsWorkByte()
    {
        auto store = FreshStore();
        store->Record.AuxByte = 0x5A;
        QCOMPARE(Crc8Over(store->Record, {'1', '2', '3', '4', '5', '6', '7', '8', '9'}), std::uint8_t{0xA1});
        QCOMPARE(store->Record.AuxByte, std::uint8_t{0xA1});
    }

    void digitByteDecodes_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain digits") << 0x47 << true << 0x47;
        QTest::newRow("0xA is the digit 0, low") << 0x9A << true << 0x90;
        QTest::newRow("0xA is the digit 0, high") << 0xA0 << true << 0x00;
        QTest::newRow("both 0xA") << 0xAA << true << 0x00;
        QTest::newRow("nibble above 0xA low") << 0xAB << false << 0;
        QTest::newRow("nibble above 0xA high") << 0xB1 << false << 0;
        QTest::newRow("erased") << 0xFF << false << 0;
    }
    void digitByteDecodes()
    {
        QFETCH(int, byte);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const DigitByte decoded = DecodeDigitByte(static_cast<std::uint8_t>(byte));
        QCOMPARE(decoded.valid, valid);
        if (valid) QCOMPARE(int(decoded.value), value);
    }

    void digitByteEncodesZeroAsNibbleA_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("encoded");
        QTest::newRow("no zero") << 0x47 << 0x47;
        QTest::newRow("last digit 0") << 0x30 << 0x3A;
        QTest::newRow("first digit 0") << 0x05 << 0xA5;
        QTest::newRow("00") << 0x00 << 0xAA;
        QTest::newRow("0xF stays") << 0xF0 << 0xFA;
        QTest::newRow("empty stays empty") << 0xFF << 0xFF;
    }
    void digitByteEncodesZeroAsNibbleA()
    {
        QFETCH(int, byte);
        QFETCH(int, encoded);
        QCOMPARE(int(EncodeDigitByte(static_cast<std::uint8_t>(byte))), encoded);
    }

    void digitPairDecodes_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("strict");
        QTest::newRow("second byte's digits on top") << 0x34 << 0x12 << 0x1234 << 0x1234;
        QTest::newRow("every 0xA is a zero in its place") << 0xA1 << 0x2A << 0x2001 << 0xFFFF;
        QTest::newRow("plain zeros") << 0x12 << 0x00 << 0x0012 << 0x0012;
        QTest::newRow("invalid first byte") << 0xB1 << 0x12 << 0xFFFF << 0xFFFF;
        QTest::newRow("invalid second byte") << 0x12 << 0x1C << 0xFFFF << 0xFFFF;
        QTest::newRow("erased") << 0xFF << 0xFF << 0xFFFF << 0xFFFF;
    }
    void digitPairDecodes()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, pair);
        QFETCH(int, strict);
        const QByteArray image = Bytes({static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high)});
        ImageReader plain(AsImage(image));
        QCOMPARE(int(plain.digitPair()), pair);
        ImageReader strictReader(AsImage(image));
        QCOMPARE(int(strictReader.strictPair()), strict);
    }

    void invalidPairStillConsumesBothBytes()
    {
        const QByteArray image = Bytes({0xB1, 0x34, 0x78, 0x56});
        ImageReader in(AsImage(image));
        QCOMPARE(in.digitPair(), EmptyDigitValue);
        QCOMPARE(in.digitPair(), std::uint16_t{0x5678});
    }

    void everyFourDigitValueSurvivesEncoding()
    {
        for (int value = 0; value <= 0x9999; ++value) {
            if ((value & 0xF) > 9 || (value >> 4 & 0xF) > 9 || (value >> 8 & 0xF) > 9 || (value >> 12) > 9) continue;
            ImageWriter out;
            out.digitPair(static_cast<std::uint16_t>(value));
            for (int i = 0; i < 2; ++i) QVERIFY2((out.at(i) & 0x0F) != 0 && (out.at(i) & 0xF0) != 0, "no zero nibble");
            ImageReader in(AsImage(out.bytes()));
            QCOMPARE(int(in.digitPair()), value);
        }
        ImageWriter empty;
        empty.digitPair(EmptyDigitValue);
        QCOMPARE(empty.bytes(), Bytes({0xFF, 0xFF}));
    }

    void readsPastTheEndAreErasedMemory()
    {
        const QByteArray image = Bytes({0x11, 0x22});
        ImageReader in(AsImage(image));
        KeySlot slot;
        slot.bytes = {0, 0, 0, 0};
        QVERIFY(in.keySlot(slot));
        QCOMPARE(slot.bytes, (std::array<std::uint8_t, 4>{0x11, 0x22, 0xFF, 0xFF}));
        QVERIFY(!in.keySlot(slot));
        QVERIFY(slot.isEmpty());
    }

    void keySlotWritesOnlyItsThreeKeyBytes()
    {
        KeySlot slot;
        slot.bytes = {1, 2, 3, 0x44};
        ImageWriter out;
        out.keySlot(slot);
        QCOMPARE(out.bytes(), Bytes({1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(EncodingsTest)
#include "tst_encodings.moc"
