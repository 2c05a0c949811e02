// The record, its data file in both layouts, the type name and the new-document defaults.

#include "app/Language.h"
#include "model/DataFile.h"
#include "model/IntercomData.h"
#include "model/NewDocument.h"
#include "model/TextForms.h"
#include "model/TypeCatalogue.h"
#include "model/TypeName.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<IntercomStore> FreshStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

// A data file whose every byte is different from its neighbour's, so misplaced bytes show.
QByteArray PatternBytes(int size)
{
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void SetTypeNameBytes(TIntercomData& record, const QByteArray& bytes)
{
    record.TypeName.fill(0);
    std::memcpy(record.TypeName.data(), bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT
private slots:
    void startUpStateHasEmptyKeysAndZeroCodes()
    {
        auto store = FreshStore();
        const TIntercomData& r = store->Record;
        QVERIFY(r.KeySlots[0].isEmpty() && r.KeySlots[2679].isEmpty());
        QVERIFY(r.HeaderKeySlots[27].isEmpty() && r.MasterKey.isEmpty());
        QVERIFY(store->ExtensionKeySlots[4999].isEmpty());
        QCOMPARE(r.Codes[0], 0);
        QCOMPARE(r.ServicePassword, 0);
        QCOMPARE(r.GeneralCode, 0);
        QCOMPARE(TypeNameText(r), QString());
    }

    void fullDataFileRoundTripsByteForByte()
    {
        WorkingDirectory dir;
        const QByteArray original = PatternBytes(DataFileSize);
        WriteAll(dir.file("a.kvr"), original);
        auto store = FreshStore();
        QCOMPARE(LoadDataFile(store->Record, dir.file("a.kvr")), LoadResult::Loaded);
        QVERIFY(SaveDataFile(store->Record, dir.file("b.kvr")));
        QCOMPARE(ReadAll(dir.file("b.kvr")), original);
    }

    void dataFileSizesDecideTheLayout_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<LoadResult>("result");
        QTest::newRow("11119 refused") << 11119 << LoadResult::TooShort;
        QTest::newRow("11120 older layout") << 11120 << LoadResult::LoadedLegacy;
        QTest::newRow("12323 older layout") << 12323 << LoadResult::LoadedLegacy;
        QTest::newRow("12324 current layout") << 12324 << LoadResult::Loaded;
        QTest::newRow("12325 first 12324 bytes") << 12325 << LoadResult::Loaded;
        QTest::newRow("empty refused") << 0 << LoadResult::TooShort;
    }
    void dataFileSizesDecideTheLayout()
    {
        QFETCH(int, size);
        QFETCH(LoadResult, result);
        WorkingDirectory dir;
        const QByteArray bytes = PatternBytes(size);
        WriteAll(dir.file("f.kvr"), bytes);
        auto store = FreshStore();
        const QByteArray before = DataFileBytes(store->Record);
        QCOMPARE(LoadDataFile(store->Record, dir.file("f.kvr")), result);
        if (result == LoadResult::TooShort) QCOMPARE(DataFileBytes(store->Record), before);
        if (result == LoadResult::Loaded) QCOMPARE(DataFileBytes(store->Record), bytes.left(DataFileSize));
    }

    void missingDataFileCannotBeOpenedAndChangesNothing()
    {
        WorkingDirectory dir;
        auto store = FreshStore();
        store->Record.KeySlots[3].bytes = {1, 2, 3, 0xFF};
        QCOMPARE(LoadDataFile(store->Record, dir.file("missing.kvr")), LoadResult::CannotOpen);
        QCOMPARE(store->Record.KeySlots[3].bytes[0], 1);
    }

    void olderDataFileFieldsLandAtTheirRecordOffsets()
    {
        const QByteArray file = PatternBytes(LegacyDataFileSize);
        auto store = FreshStore();
        // Stale data in the slots the older layout does not carry must not survive the load.
        store->Record.KeySlots[2500].bytes = {9, 9, 9, 0xFF};
        store->Record.HeaderKeySlots[20].bytes = {9, 9, 9, 0xFF};
        QCOMPARE(LoadDataFileBytes(store->Record, file), LoadResult::LoadedLegacy);

        const auto* record = reinterpret_cast<const char*>(&store->Record);
        QCOMPARE(QByteArray(record, 9600), file.left(9600));
        QCOMPARE(QByteArray(record + 10720, 400), file.mid(9600, 400));        // codes
        QCOMPARE(QByteArray(record + 11120, 28), file.mid(10000, 28));         // header slots 0-6
        QCOMPARE(QByteArray(record + 11232, 1092), file.mid(10028, 1092));     // ConciergeNumber on
        QVERIFY(store->Record.KeySlots[2500].isEmpty());
        QVERIFY(store->Record.HeaderKeySlots[7].isEmpty() && store->Record.HeaderKeySlots[20].isEmpty());
    }

    void savingPku630xeWritesOnlyTheRecord()
    {
        WorkingDirectory dir;
        auto store = FreshStore();
        ApplyNewDocument(*store, DeviceTypes::PKU630XE);
        store->ExtensionKeySlots[0].bytes = {1, 2, 3, 0xFF};
        QVERIFY(SaveDataFile(store->Record, dir.file("x.kvr")));
        QCOMPARE(QFile(dir.file("x.kvr")).size(), 12324);
    }

    void failedSaveLeavesThePreviousFile()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("keep.kvr"), "previous");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        auto store = FreshStore();
        QString error;
        const bool saved = SaveDataFile(store->Record, dir.file("keep.kvr"), &error);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (saved) QSKIP("running with permission to write into a read-only folder (root)");
        QVERIFY(error.contains("keep.kvr"));
        QCOMPARE(ReadAll(dir.file("keep.kvr")), QByteArray("previous"));
    }

    void typeNameIsMatchedWithoutLetterCase_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("type");
        QTest::newRow("lower-case PKU-618") << QByteArray("pku-618") << DeviceTypes::PKU618;
        QTest::newRow("exact G300") << QByteArray("G300") << DeviceTypes::G300;
        QTest::newRow("Cyrillic small x") << QByteArray("LMR 70\xF5-2680") << DeviceTypes::LMR70x2680;
        QTest::newRow("Cyrillic capital X") << QByteArray("lmr 70\xD5-2680") << DeviceTypes::LMR70x2680;
        QTest::newRow("Latin x is another name") << QByteArray("LMR 70x-2680") << NoType;
        QTest::newRow("empty") << QByteArray() << NoType;
        QTest::newRow("prefix only") << QByteArray("PKU-630X") << NoType;
    }
    void typeNameIsMatchedWithoutLetterCase()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, type);
        auto store = FreshStore();
        SetTypeNameBytes(store->Record, name);
        QCOMPARE(FindTypeByName(store->Record), type);
    }

    void typeNameWithoutZeroIsReadAsFortyCharacters()
    {
        auto store = FreshStore();
        store->Record.TypeName.fill('A');
        store->Record.ServicePassword = 0x4242; // the bytes right after the field
        QCOMPARE(TypeNameBytes(store->Record), QByteArray(40, 'A'));
        QCOMPARE(FindTypeByName(store->Record), NoType);
    }

    void storeTypeNameWritesTextAndZeroAndKeepsTheRest()
    {
        auto store = FreshStore();
        store->Record.TypeName.fill('#');
        StoreTypeName(store->Record, DeviceTypes::LMR70x2680);
        QCOMPARE(TypeNameBytes(store->Record), QByteArray("LMR 70\xF5-2680"));
        QCOMPARE(store->Record.TypeName[12], 0);
        QCOMPARE(store->Record.TypeName[13], '#');
        StoreTypeName(store->Record, NoType);
        QCOMPARE(store->Record.TypeName[0], 0);
        QCOMPARE(store->Record.TypeName[1], 'M');
        for (TDeviceType type = 0; type < DeviceTypeCount; ++type) {
            StoreTypeName(store->Record, type);
            QCOMPARE(FindTypeByName(store->Record), type);
        }
    }

    void newDocumentSetsDefaultsAndTheTypesConfiguration()
    {
        auto store = FreshStore();
        store->Record.ConfigByte = 0xAB;
        store->Record.KeySlots[100].bytes = {1, 2, 3, 0xFF};
        store->Record.KeyCounter = 12;
        ApplyNewDocument(*store, DeviceTypes::PKU511);
        const TIntercomData& r = store->Record;
        QCOMPARE(r.ConfigByte, 0x10);
        QCOMPARE(r.ServicePassword, 0x8527);
        QCOMPARE(r.SystemPassword, 0x8527);
        QCOMPARE(r.GeneralCode, 0x9385);
        QCOMPARE(r.Codes[199], 0xFFFF);
        QVERIFY(r.KeySlots[100].isEmpty());
        QCOMPARE(r.KeyCounter, 0);
        QCOMPARE(r.AuxByte, 7);
        QCOMPARE(r.LockTime, 1);
        QCOMPARE(r.Volume, 7);
        QCOMPARE(r.Reserved200[0], 0xFF);
        QCOMPARE(TypeNameText(r), QString("PKU-511"));

        store->Record.ConfigByte = 0xAB;
        ApplyNewDocument(*store, DeviceTypes::LMR702);
        QCOMPARE(store->Record.ConfigByte, 0xAB); // LMR keeps its configuration byte
    }

    void newDocumentEmptiesExtensionSlotsOnlyForPku630xe()
    {
        auto store = FreshStore();
        store->ExtensionKeySlots[7].bytes = {1, 2, 3, 0xFF};
        ApplyNewDocument(*store, DeviceTypes::PKU630);
        QVERIFY(!store->ExtensionKeySlots[7].isEmpty());
        ApplyNewDocument(*store, DeviceTypes::PKU630XE);
        QVERIFY(store->ExtensionKeySlots[7].isEmpty());
    }

    void catalogueHasOneRowPerType()
    {
        for (TDeviceType type = 0; type < DeviceTypeCount; ++type) {
            const TypeInfo& info = TypeInfoOf(type);
            QVERIFY(std::strlen(info.listText) > 0);
            QVERIFY(ToWindows1251(TypeText(type)).size() <= 21);
            QCOMPARE(info.readItemsOnTypeChange.has_value(), type != DeviceTypes::PKU630XE);
        }
        QVERIFY(TypeInfoOf(DeviceTypes::PKU512S).readItemsOnTypeChange->contains(ChipKind::C24C16));
        QVERIFY(TypeInfoOf(DeviceTypes::G300).readItemsOnTypeChange->contains(ChipKind::DS1995));
    }

    void textFormsShowTheKeysThirdByteFirst()
    {
        KeySlot slot;
        QCOMPARE(KeyText(slot), QString("FF FF FF"));
        slot.bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        QCOMPARE(KeyText(slot), QString("1A 2B 3C"));
        QCOMPARE(FourDigitText(0x0A05), QString("0A05"));
        QCOMPARE(FourDigitText(0xFFFF), QString("FFFF"));
        QCOMPARE(TwoDigitText(0x07), QString("07"));
    }

    void languageFlagDefaultsToEnglishAndIsStoredAtOnce()
    {
        WorkingDirectory dir;
        const QString ini = dir.file("conf/lang.ini");
        QCOMPARE(ReadLanguageFlag(ini), Language::English);
        QVERIFY(WriteLanguageFlag(ini, Language::Russian));
        QVERIFY(ReadAll(ini).contains("[language]\nselected=0"));
        QCOMPARE(ReadLanguageFlag(ini), Language::Russian);
        // Separate files: the settings cache may keep a file rewritten within the same second.
        WriteAll(dir.file("five.ini"), "[language]\nselected=5\n");
        QCOMPARE(ReadLanguageFlag(dir.file("five.ini")), Language::English);
        WriteAll(dir.file("text.ini"), "[language]\nselected=abc\n");
        QCOMPARE(ReadLanguageFlag(dir.file("text.ini")), Language::English);
        WriteAll(dir.file("nokey.ini"), "[other]\nselected=0\n");
        QCOMPARE(ReadLanguageFlag(dir.file("nokey.ini")), Language::English);
        QCOMPARE(Tr(Language::Russian, "Ошибка", "Error"), QString("Ошибка"));
    }
};

QTEST_GUILESS_MAIN(ModelTest)
#include "tst_model.moc"
