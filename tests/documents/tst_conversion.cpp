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
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("config");       // ConfigByte after, from 0xFF
        QTest::addColumn<int>("firstEmptied"); // first emptied header key slot, 28: none
        QTest::addColumn<QString>("page");
        using namespace DeviceTypes;
        QTest::newRow("to PKU511 keeps the lock-time bit") << PKU511 << 0x10 << 28 << "TabSheet1";
        QTest::newRow("to PKU618") << PKU618 << 0x00 << 28 << "TabSheet3";
        QTest::newRow("to LMR702 keeps eight guard keys") << LMR702 << 0x00 << 8 << "TabSheet2";
        QTest::newRow("to PKU630") << PKU630 << 0x1F << 28 << "TabSheet4";
        QTest::newRow("to G300") << G300 << 0xBB << 28 << "TabSheet5";
        QTest::newRow("to PKU512S empties every header key") << PKU512S << 0x5F << 0 << "TabSheet7";
        QTest::newRow("to LMR70x keeps eight of its 28 guard keys") << LMR70x2680 << 0x00 << 8 << "TabSheet8";
        QTest::newRow("to PKU512T") << PKU512T << 0x5F << 28 << "TabSheet1";
    }
    void conversionRelabelsTheRecordAndNothingElse()
    {
        QFETCH(int, target);
        QFETCH(int, config);
        QFETCH(int, firstEmptied);
        QFETCH(QString, page);
        auto record = FilledRecord(DeviceTypes::T150);
        const auto before = std::make_unique<TIntercomData>(*record);
        const ConversionRule* rule = ConversionTo(target);
        QCOMPARE(QString(rule->page), page);
        QCOMPARE(ConversionTo(DeviceTypes::QS151), nullptr); // no conversion to these two
        QCOMPARE(ConversionTo(DeviceTypes::PKU630XE), nullptr);
        QVERIFY(ApplyConversion(*rule, *record, DeviceTypes::T150, false));
        QCOMPARE(int(record->ConfigByte), config);
        QCOMPARE(FindTypeByName(*record), target);
        QCOMPARE(record->TypeName[TypeNameSize - 1], std::uint8_t{0x55}); // after the zero: kept
        for (int h = 0; h < HeaderKeySlotCount; ++h)
            QCOMPARE(record->HeaderKeySlots[std::size_t(h)].isEmpty(), h >= firstEmptied);

        record->ConfigByte = before->ConfigByte;
        record->TypeName = before->TypeName;
        record->HeaderKeySlots = before->HeaderKeySlots;
        QVERIFY(std::memcmp(record.get(), before.get(), sizeof(TIntercomData)) == 0);
    }

    void conversionToTheSameTypeOnlyMasksTheConfigByte_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<bool>("typeChanges");
        QTest::addColumn<int>("config");
        QTest::newRow("T150 clears bits 7 and 5") << DeviceTypes::T150 << false << false << 0x5F;
        QTest::newRow("G300 from a DS1996 stays") << DeviceTypes::G300 << false << false << 0xBB;
        QTest::newRow("G300 from a DS1995 becomes DS1996 data") << DeviceTypes::G300 << true << true << 0xBB;
    }
    void conversionToTheSameTypeOnlyMasksTheConfigByte()
    {
        QFETCH(int, type);
        QFETCH(bool, smallIButton);
        QFETCH(bool, typeChanges);
        QFETCH(int, config);
        auto record = FilledRecord(type);
        const auto before = std::make_unique<TIntercomData>(*record);
        QCOMPARE(ApplyConversion(*ConversionTo(type), *record, type, smallIButton), typeChanges);
        QCOMPARE(int(record->ConfigByte), config);
        record->ConfigByte = before->ConfigByte;
        QVERIFY(std::memcmp(record.get(), before.get(), sizeof(TIntercomData)) == 0);
    }
};

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
