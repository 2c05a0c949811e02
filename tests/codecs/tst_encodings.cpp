// Digit bytes, digit pairs, key identifiers and the CRC-8 as the chip images hold them.

#include "CodecTestSupport.h"

#include <QTest>

class EncodingsTest : public QObject {
    Q_OBJECT
private slots:
    void crcHasTheCatalogueCheckValueAndChecksItself()
    {
        QCOMPARE(CrcOf("123456789"), std::uint8_t{0xA1});
        QByteArray data = "\x12\x34\x56";
        data.append(static_cast<char>(CrcOf(data)));
        QCOMPARE(CrcOf(data), std::uint8_t{0}); // how the per-record checks work
    }

    void digitBytes_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("decoded"); // -1: invalid
        QTest::addColumn<int>("encoded");
        QTest::newRow("plain digits") << 0x47 << 0x47 << 0x47;
        QTest::newRow("0xA is the digit 0") << 0xA0 << 0x00 << 0xAA;
        QTest::newRow("last digit 0") << 0x3A << 0x30 << 0x3A;
        QTest::newRow("00 encodes as AA") << 0x00 << 0x00 << 0xAA;
        QTest::newRow("nibble 0xB is no digit") << 0xAB << -1 << 0xAB;
        QTest::newRow("0xF stays, zero beside it becomes 0xA") << 0xF0 << -1 << 0xFA;
        QTest::newRow("erased") << 0xFF << -1 << 0xFF;
    }
    void digitBytes()
    {
        QFETCH(int, byte);
        QFETCH(int, decoded);
        QFETCH(int, encoded);
        const DigitByte digits = DecodeDigitByte(static_cast<std::uint8_t>(byte));
        QCOMPARE(digits.valid ? int(digits.value) : -1, decoded);
        QCOMPARE(int(EncodeDigitByte(static_cast<std::uint8_t>(byte))), encoded);
    }

    void digitPairs_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("strict");
        QTest::newRow("second byte's digits on top") << Bytes({0x34, 0x12}) << 0x1234 << 0x1234;
        QTest::newRow("each 0xA is a zero in its place") << Bytes({0xA1, 0x2A}) << 0x2001 << 0xFFFF;
        QTest::newRow("plain zeros") << Bytes({0x12, 0x00}) << 0x0012 << 0x0012;
        QTest::newRow("invalid first byte") << Bytes({0xB1, 0x12}) << 0xFFFF << 0xFFFF;
        QTest::newRow("invalid second byte") << Bytes({0x12, 0x1C}) << 0xFFFF << 0xFFFF;
        QTest::newRow("past the end") << QByteArray() << 0xFFFF << 0xFFFF;
    }
    void digitPairs()
    {
        QFETCH(QByteArray, image);
        QFETCH(int, pair);
        QFETCH(int, strict);
        QCOMPARE(int(ImageReader(AsImage(image)).digitPair()), pair);
        QCOMPARE(int(ImageReader(AsImage(image)).strictPair()), strict);
    }

    void everyFourDigitValueSurvivesEncodingWithoutZeroNibbles()
    {
        for (int value = 0; value <= 0x9999; ++value) {
            if ((value & 0xF) > 9 || (value >> 4 & 0xF) > 9 || (value >> 8 & 0xF) > 9) continue;
            ImageWriter out;
            out.digitPair(static_cast<std::uint16_t>(value));
            QVERIFY(!QByteArray::number(0x10000 | out.at(0) << 8 | out.at(1), 16).mid(1).contains('0'));
            QCOMPARE(int(ImageReader(AsImage(out.bytes())).digitPair()), value);
        }
        ImageWriter empty;
        empty.digitPair(EmptyDigitValue);
        QCOMPARE(empty.bytes(), Bytes({0xFF, 0xFF}));
    }

    void readerTakesWholeFieldsAndReadsErasedMemoryPastTheEnd()
    {
        const QByteArray image = Bytes({0xB1, 0x34, 0x78, 0x56, 0x11, 0x22});
        ImageReader in(AsImage(image));
        QCOMPARE(in.digitPair(), EmptyDigitValue); // an invalid pair still takes both bytes
        QCOMPARE(in.digitPair(), std::uint16_t{0x5678});
        KeySlot slot{{0, 0, 0, 0}};
        QVERIFY(in.keySlot(slot));
        QCOMPARE(slot, (KeySlot{{0x11, 0x22, 0xFF, 0xFF}}));
        QVERIFY(!in.keySlot(slot));
    }
};

QTEST_GUILESS_MAIN(EncodingsTest)
#include "tst_encodings.moc"
