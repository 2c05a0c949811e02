// Conversion between controller types, as far as it acts on the record.

#include "documents/Conversion.h"
#include "model/IntercomData.h"
#include "model/TypeName.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

// Every byte of the record random, the header key slots holding keys, the type name T150 with
// recognisable bytes after its zero.
std::unique_ptr<TIntercomData> FilledRecord(TDeviceType type)
{
    auto record = std::make_unique<TIntercomData>();
    QRandomGenerator(41).fillRange(reinterpret_cast<quint32*>(record.get()), sizeof(TIntercomData) / 4);
    for (KeySlot& slot : record->HeaderKeySlots) slot = KeySlot{{1, 2, 3, 0xFF}};
    record->TypeName.fill(0x55);
    StoreTypeName(*record, type);
    record->ConfigByte = 0xFF;
    return record;
}

} // namespace

class ConversionTest : public QObject {
    Q_OBJECT
private slots:
    void conversionRelabelsTheRecordAndNothingElse_data()
    {
        QTest::addColumn<TDeviceType>("from");
        QTest::addColumn<TDeviceType>("target");
        QTest::addColumn<bool>("smallIButton"); // the data came from a DS1995
        QTest::addColumn<bool>("typeChanges");
        QTest::addColumn<int>("config");       // ConfigByte after, from 0xFF
        QTest::addColumn<int>("firstEmptied"); // first emptied header key slot, 28: none
        QTest::addColumn<QString>("page");
        using enum TDeviceType;
        QTest::newRow("to PKU511 keeps the lock-time bit")
            << T150 << PKU511 << false << true << 0x10 << 28 << "TabSheet1";
        QTest::newRow("to PKU618") << T150 << PKU618 << false << true << 0x00 << 28 << "TabSheet3";
        QTest::newRow("to LMR702 keeps eight guard keys")
            << T150 << LMR702 << false << true << 0x00 << 8 << "TabSheet2";
        QTest::newRow("to PKU630") << T150 << PKU630 << false << true << 0x1F << 28 << "TabSheet4";
        QTest::newRow("to G300") << T150 << G300 << false << true << 0xBB << 28 << "TabSheet5";
        QTest::newRow("to PKU512S empties every header key")
            << T150 << PKU512S << false << true << 0x5F << 0 << "TabSheet7";
        QTest::newRow("to LMR70x keeps eight of its 28 guard keys")
            << T150 << LMR70x2680 << false << true << 0x00 << 8 << "TabSheet8";
        QTest::newRow("to PKU512T") << T150 << PKU512T << false << true << 0x5F << 28 << "TabSheet1";
        QTest::newRow("T150 to itself clears bits 7 and 5")
            << T150 << T150 << false << false << 0x5F << 28 << "TabSheet1";
        QTest::newRow("G300 from a DS1996 stays") << G300 << G300 << false << false << 0xBB << 28 << "TabSheet5";
        QTest::newRow("G300 from a DS1995 becomes DS1996 data")
            << G300 << G300 << true << true << 0xBB << 28 << "TabSheet5";
    }
    void conversionRelabelsTheRecordAndNothingElse()
    {
        QFETCH(TDeviceType, from);
        QFETCH(TDeviceType, target);
        QFETCH(bool, smallIButton);
        QFETCH(bool, typeChanges);
        QFETCH(int, config);
        QFETCH(int, firstEmptied);
        QFETCH(QString, page);
        auto record = FilledRecord(from);
        const auto before = std::make_unique<TIntercomData>(*record);
        const ConversionRule* rule = ConversionTo(target);
        QCOMPARE(QString(rule->page), page);
        QCOMPARE(ApplyConversion(*rule, *record, from, smallIButton), typeChanges);
        QCOMPARE(int(record->ConfigByte), config);
        QCOMPARE(FindTypeByName(*record), std::optional(target));
        QCOMPARE(record->TypeName[TypeNameSize - 1], std::uint8_t{0x55}); // after the zero: kept
        for (int h = 0; h < HeaderKeySlotCount; ++h)
            QCOMPARE(record->HeaderKeySlots[std::size_t(h)].isEmpty(), h >= firstEmptied);

        record->ConfigByte = before->ConfigByte;
        record->TypeName = before->TypeName;
        record->HeaderKeySlots = before->HeaderKeySlots;
        QVERIFY(std::memcmp(record.get(), before.get(), sizeof(TIntercomData)) == 0);
    }

    void thereIsNoConversionToQs151OrPku630xe()
    {
        QCOMPARE(ConversionTo(TDeviceType::QS151), nullptr);
        QCOMPARE(ConversionTo(TDeviceType::PKU630XE), nullptr);
    }
};

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
