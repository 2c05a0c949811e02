// Conversion between controller types, as far as it acts on the record.

#include "documents/Conversion.h"
#include "model/IntercomData.h"
#include "model/TypeName.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<IntercomStore> FilledStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    QRandomGenerator random(41);
    auto* bytes = reinterpret_cast<std::uint8_t*>(&store->Record);
    for (std::size_t i = 0; i < sizeof store->Record; ++i) bytes[i] = static_cast<std::uint8_t>(random.bounded(256));
    for (KeySlot& slot : store->Record.HeaderKeySlots) slot.bytes = {1, 2, 3, 0xFF};
    StoreTypeName(store->Record, DeviceTypes::T150);
    return store;
}

// The record with the fields a conversion may change put back to `before`'s values.
TIntercomData WithoutConvertedFields(TIntercomData record, const TIntercomData& before)
{
    record.ConfigByte = before.ConfigByte;
    record.TypeName = before.TypeName;
    record.HeaderKeySlots = before.HeaderKeySlots;
    return record;
}

int FirstEmptyHeaderSlot(const TIntercomData& record)
{
    for (int h = 0; h < HeaderKeySlotCount; ++h)
        if (record.HeaderKeySlots[static_cast<std::size_t>(h)].isEmpty()) return h;
    return -1;
}

} // namespace

class ConversionTest : public QObject {
    Q_OBJECT
private slots:
    void menuOffersNineConversionsAndNoneToQs151OrPku630xe()
    {
        QCOMPARE(Conversions().size(), std::size_t{9});
        QCOMPARE(QString(Conversions().front().caption), QString("to T150"));
        QCOMPARE(QString(Conversions().back().caption), QString("toPKU512T"));
        QCOMPARE(ConversionTo(DeviceTypes::QS151), nullptr);
        QCOMPARE(ConversionTo(DeviceTypes::PKU630XE), nullptr);
        QCOMPARE(ConversionTo(NoType), nullptr);
    }

    void conversionRelabelsTheRecord_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("config");        // ConfigByte after, from 0xFF
        QTest::addColumn<int>("firstEmptied");  // first emptied header key slot, -1 none
        QTest::addColumn<QString>("page");
        using namespace DeviceTypes;
        QTest::newRow("to PKU511 keeps the lock-time bit") << PKU511 << 0x10 << -1 << "TabSheet1";
        QTest::newRow("to PKU618") << PKU618 << 0x00 << -1 << "TabSheet3";
        QTest::newRow("to LMR702 keeps eight guard keys") << LMR702 << 0x00 << 8 << "TabSheet2";
        QTest::newRow("to PKU630") << PKU630 << 0x1F << -1 << "TabSheet4";
        QTest::newRow("to G300") << G300 << 0xBB << -1 << "TabSheet5";
        QTest::newRow("to PKU512S empties every header key") << PKU512S << 0x5F << 0 << "TabSheet7";
        QTest::newRow("to LMR70x keeps eight of its 28 guard keys") << LMR70x2680 << 0x00 << 8 << "TabSheet8";
        QTest::newRow("to PKU512T") << PKU512T << 0x5F << -1 << "TabSheet1";
    }
    void conversionRelabelsTheRecord()
    {
        QFETCH(int, target);
        QFETCH(int, config);
        QFETCH(int, firstEmptied);
        QFETCH(QString, page);
        auto store = FilledStore();
        TIntercomData& r = store->Record;
        r.ConfigByte = 0xFF;
        r.TypeName.fill(0x55);
        StoreTypeName(r, DeviceTypes::T150);
        const auto before = std::make_unique<TIntercomData>(r);

        const ConversionRule* rule = ConversionTo(target);
        QVERIFY(rule);
        QCOMPARE(QString(rule->page), page);
        QVERIFY(ApplyConversion(*rule, r, DeviceTypes::T150, false));
        QCOMPARE(int(r.ConfigByte), config);
        QCOMPARE(FindTypeByName(r), target);
        // The name is stored with its zero; the rest of the field keeps its bytes.
        const QByteArray name = TypeNameBytes(r);
        QCOMPARE(r.TypeName[static_cast<std::size_t>(name.size())], std::uint8_t{0});
        QCOMPARE(r.TypeName[TypeNameSize - 1], std::uint8_t{0x55});
        QCOMPARE(FirstEmptyHeaderSlot(r), firstEmptied);
        if (firstEmptied >= 0)
            for (int h = firstEmptied; h < HeaderKeySlotCount; ++h) QVERIFY(r.HeaderKeySlots[static_cast<std::size_t>(h)].isEmpty());
        const TIntercomData rest = WithoutConvertedFields(r, *before);
        QVERIFY(std::memcmp(&rest, before.get(), sizeof rest) == 0);
    }

    void t150ToT150OnlyClearsConfigBitsSevenAndFive()
    {
        auto store = FilledStore();
        TIntercomData& r = store->Record;
        r.ConfigByte = 0xFF;
        const auto before = std::make_unique<TIntercomData>(r);
        QVERIFY(!ApplyConversion(*ConversionTo(DeviceTypes::T150), r, DeviceTypes::T150, false));
        QCOMPARE(r.ConfigByte, std::uint8_t{0x5F});
        r.ConfigByte = before->ConfigByte;
        QVERIFY(std::memcmp(&r, before.get(), sizeof r) == 0);
    }

    void g300FromDs1995CountsAsAChangeOfType_data()
    {
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<bool>("typeChanges");
        QTest::newRow("DS1995 data becomes DS1996 data") << true << true;
        QTest::newRow("DS1996 data stays") << false << false;
    }
    void g300FromDs1995CountsAsAChangeOfType()
    {
        QFETCH(bool, smallIButton);
        QFETCH(bool, typeChanges);
        auto store = FilledStore();
        StoreTypeName(store->Record, DeviceTypes::G300);
        store->Record.ConfigByte = 0xFF;
        QCOMPARE(ApplyConversion(*ConversionTo(DeviceTypes::G300), store->Record, DeviceTypes::G300, smallIButton), typeChanges);
        QCOMPARE(store->Record.ConfigByte, std::uint8_t{0xBB});
        QCOMPARE(FindTypeByName(store->Record), DeviceTypes::G300);
    }

    void keysAndCodesSurviveAConversionAndBack()
    {
        auto store = FilledStore();
        StoreTypeName(store->Record, DeviceTypes::PKU630);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        ApplyConversion(*ConversionTo(DeviceTypes::T150), store->Record, DeviceTypes::PKU630, false);
        ApplyConversion(*ConversionTo(DeviceTypes::PKU630), store->Record, DeviceTypes::T150, false);
        QCOMPARE(store->Record.KeySlots, before->KeySlots);
        QCOMPARE(store->Record.Codes, before->Codes);
        QCOMPARE(store->Record.PassThroughArea, before->PassThroughArea);
    }
};

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
