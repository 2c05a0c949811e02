// The record's data file in both layouts, the type name and the new-document defaults.

#include "codecs/CodecTestSupport.h"
#include "model/DataFile.h"
#include "model/FieldSpecs.h"
#include "model/PageIds.h"
#include "model/TableSpecs.h"
#include "model/TextForms.h"
#include "model/NewDocument.h"
#include "model/RecoveryFile.h"
#include "model/TypeName.h"

#include <QFile>
#include <QSet>
#include <QTest>

class ModelTest : public QObject {
    Q_OBJECT
private slots:
    void dataFileSizesDecideTheLayout_data()
    {
        QTest::addColumn<int>("size"); // -1: no such file
        QTest::addColumn<LoadResult>("result");
        QTest::newRow("11119 refused") << 11119 << LoadResult::TooShort;
        QTest::newRow("11120 older layout") << 11120 << LoadResult::LoadedLegacy;
        QTest::newRow("12323 older layout") << 12323 << LoadResult::LoadedLegacy;
        QTest::newRow("12324 current layout, saved back byte for byte") << 12324 << LoadResult::Loaded;
        QTest::newRow("12325 first 12324 bytes") << 12325 << LoadResult::Loaded;
        QTest::newRow("empty refused") << 0 << LoadResult::TooShort;
        QTest::newRow("missing file") << -1 << LoadResult::CannotOpen;
    }
    void dataFileSizesDecideTheLayout()
    {
        QFETCH(int, size);
        QFETCH(LoadResult, result);
        WorkingDirectory dir;
        const QByteArray bytes = Pattern(std::max(size, 0));
        if (size >= 0) WriteAll(dir.file("f.kvr"), bytes);
        auto store = FreshStore();
        store->Record.KeySlots[3].bytes = {1, 2, 3, 0xFF};
        const QByteArray before = DataFileBytes(store->Record);
        QCOMPARE(LoadDataFile(store->Record, dir.file("f.kvr")), result);
        if (result == LoadResult::TooShort || result == LoadResult::CannotOpen)
            QCOMPARE(DataFileBytes(store->Record), before);
        if (result != LoadResult::Loaded) return;
        QVERIFY(SaveDataFile(store->Record, dir.file("saved.kvr")).ok());
        QCOMPARE(ReadAll(dir.file("saved.kvr")), bytes.left(DataFileSize));
    }

    void olderDataFileFieldsLandAtTheirRecordOffsets()
    {
        const QByteArray file = Pattern(LegacyDataFileSize);
        auto store = FreshStore();
        // Stale data in the slots the older layout does not carry must not survive the load.
        store->Record.KeySlots[2500].bytes = {9, 9, 9, 0xFF};
        store->Record.HeaderKeySlots[20].bytes = {9, 9, 9, 0xFF};
        QCOMPARE(LoadDataFileBytes(store->Record, file), LoadResult::LoadedLegacy);

        const auto* record = reinterpret_cast<const char*>(&store->Record);
        QCOMPARE(QByteArray(record, 9600), file.left(9600));
        QCOMPARE(QByteArray(record + 10720, 400), file.mid(9600, 400));    // codes
        QCOMPARE(QByteArray(record + 11120, 28), file.mid(10000, 28));     // header slots 0-6
        QCOMPARE(QByteArray(record + 11232, 1092), file.mid(10028, 1092)); // ConciergeNumber on
        QVERIFY(store->Record.KeySlots[2500].isEmpty());
        QVERIFY(store->Record.HeaderKeySlots[7].isEmpty() && store->Record.HeaderKeySlots[20].isEmpty());
    }

    void aFailedSaveNamesTheFileAndLeavesThePreviousOne()
    {
        WorkingDirectory dir;
        auto store = FreshStore();
        WriteAll(dir.file("keep.kvr"), "previous");
        FileResult saved;
        {
            const ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.holds()) QSKIP("no way to make a folder read-only for this user here");
            saved = SaveDataFile(store->Record, dir.file("keep.kvr"));
        }
        QVERIFY(saved.message(Language::English).contains("keep.kvr"));
        QCOMPARE(ReadAll(dir.file("keep.kvr")), QByteArray("previous"));
    }

    void typeNameIsMatchedWithoutLetterCase_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<std::optional<TDeviceType>>("type");
        QTest::newRow("lower-case PKU-618") << QByteArray("pku-618") << std::optional(TDeviceType::PKU618);
        QTest::newRow("exact G300") << QByteArray("G300") << std::optional(TDeviceType::G300);
        QTest::newRow("Cyrillic small x") << QByteArray("LMR 70\xF5-2680") << std::optional(TDeviceType::LMR70x2680);
        QTest::newRow("Cyrillic capital X") << QByteArray("lmr 70\xD5-2680") << std::optional(TDeviceType::LMR70x2680);
        QTest::newRow("Latin x is another name") << QByteArray("LMR 70x-2680") << std::optional<TDeviceType>();
        QTest::newRow("empty") << QByteArray() << std::optional<TDeviceType>();
        QTest::newRow("prefix only") << QByteArray("PKU-630X") << std::optional<TDeviceType>();
        QTest::newRow("forty letters without a zero") << QByteArray(40, 'A') << std::optional<TDeviceType>();
    }
    void typeNameIsMatchedWithoutLetterCase()
    {
        QFETCH(QByteArray, name);
        QFETCH(std::optional<TDeviceType>, type);
        auto store = FreshStore();
        store->Record.TypeName.fill(0);
        std::copy(name.begin(), name.end(), store->Record.TypeName.begin());
        store->Record.ServicePassword = 0x4242; // the bytes right after the field are no part of it
        QCOMPARE(TypeNameBytes(store->Record), name);
        QCOMPARE(FindTypeByName(store->Record), type);
    }

    void storeTypeNameWritesTextAndZeroAndKeepsTheRest()
    {
        auto store = FreshStore();
        store->Record.TypeName.fill('#');
        StoreTypeName(store->Record, TDeviceType::LMR70x2680);
        QCOMPARE(TypeNameBytes(store->Record), QByteArray("LMR 70\xF5-2680"));
        QCOMPARE(store->Record.TypeName[13], '#');
        StoreTypeName(store->Record, std::nullopt);
        QCOMPARE(store->Record.TypeName[0], 0);
        QCOMPARE(store->Record.TypeName[1], 'M');
        for (const TDeviceType type : AllDeviceTypes) {
            StoreTypeName(store->Record, type);
            QCOMPARE(FindTypeByName(store->Record), std::optional(type));
        }
    }

    void newDocumentSetsDefaultsAndTheTypesConfiguration()
    {
        auto store = FreshStore();
        store->Record.ConfigByte = 0xAB;
        store->Record.KeySlots[100].bytes = {1, 2, 3, 0xFF};
        store->Record.KeyCounter = 12;
        store->ExtensionKeySlots[7].bytes = {1, 2, 3, 0xFF};
        ApplyNewDocument(*store, TDeviceType::PKU511);
        const TIntercomData& r = store->Record;
        QCOMPARE(r.ConfigByte, 0x10);
        QCOMPARE(r.ServicePassword, 0x8527);
        QCOMPARE(r.SystemPassword, 0x8527);
        QCOMPARE(r.Codes[199], 0xFFFF);
        QVERIFY(r.KeySlots[100].isEmpty());
        QCOMPARE(r.KeyCounter, 0);
        QCOMPARE(r.Volume, 7);
        QCOMPARE(r.Reserved200[0], 0xFF);
        QVERIFY(!store->ExtensionKeySlots[7].isEmpty()); // only a new PKU-630XE empties them

        store->Record.ConfigByte = 0xAB;
        ApplyNewDocument(*store, TDeviceType::LMR702);
        QCOMPARE(store->Record.ConfigByte, 0xAB); // LMR keeps its configuration byte
        ApplyNewDocument(*store, TDeviceType::PKU630XE);
        QVERIFY(store->ExtensionKeySlots[7].isEmpty());
    }

    void aRecoveryFileOpensAsADataFileAndNeverReplacesAnother_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("size");
        QTest::newRow("data file") << false << DataFileSize;
        QTest::newRow("PKU-630XE extended file") << true << ExtendedFileSize;
    }
    void aRecoveryFileOpensAsADataFileAndNeverReplacesAnother()
    {
        QFETCH(bool, extended);
        QFETCH(int, size);
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        store->Record.Codes[5] = 0x1234;
        store->ExtensionKeySlots[ExtensionKeySlotCount - 1].bytes = {1, 2, 3, 0xFF};
        const QDateTime at(QDate(2024, 3, 9), QTime(7, 5, 1));
        const QString folder = dir.file("share/kavro"); // neither folder exists yet
        const RecoveryOutcome first = WriteRecoveryFile(*store, extended, folder, at);
        QVERIFY2(first.written(), qPrintable(first.error));
        QCOMPARE(first.path, folder + "/recovery-20240309-070501.kvr");
        const QByteArray bytes = ReadAll(first.path);
        QCOMPARE(bytes.size(), size);
        auto opened = std::make_unique<TIntercomData>();
        QCOMPARE(LoadDataFile(*opened, first.path), LoadResult::Loaded);
        QCOMPARE(opened->Codes[5], 0x1234);
        if (extended) QCOMPARE(bytes.right(4), QByteArray("\x01\x02\x03\xFF", 4));

        // A second error within the same second leaves the first file as it was.
        store->Record.Codes[5] = 0x5678;
        const RecoveryOutcome second = WriteRecoveryFile(*store, extended, folder, at);
        QCOMPARE(second.path, folder + "/recovery-20240309-070501-2.kvr");
        QCOMPARE(ReadAll(first.path), bytes);
    }

    void aRecoveryFileThatCannotBeWrittenSaysWhy()
    {
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        WriteAll(dir.file("plain"), "x");
        const RecoveryOutcome outcome = WriteRecoveryFile(*store, false, dir.file("plain/kavro"));
        QVERIFY(!outcome.written());
        QVERIFY(outcome.error.contains(dir.file("plain/kavro")));
    }

    void everyTableFieldAndPageRowStandsUnderItsIdWithAnObjectNameOfItsOwn()
    {
        QSet<QString> names;
        QCOMPARE(int(TableSpecs().size()), TableIdCount);
        for (const TableSpec& table : TableSpecs()) {
            QCOMPARE(&TableSpecOf(table.id), &table);
            QCOMPARE(TableSpecNamed(table.name), &table);
            names << table.name;
        }
        QCOMPARE(int(FieldSpecs().size()), FieldIdCount);
        for (const FieldSpec& field : FieldSpecs()) {
            QCOMPARE(&FieldSpecOf(field.id), &field);
            QCOMPARE(FieldSpecNamed(field.name), &field);
            names << field.name;
        }
        QCOMPARE(int(PageRows().size()), PageIdCount);
        for (const PageRow& page : PageRows()) {
            QCOMPARE(&PageRowOf(page.id), &page);
            QCOMPARE(PageNamed(page.name), std::optional<PageId>(page.id));
            names << page.name;
        }
        QCOMPARE(names.size(), TableIdCount + FieldIdCount + PageIdCount);
        QCOMPARE(TableSpecNamed("SGrid7"), nullptr);
        QCOMPARE(FieldSpecNamed("Edit1"), nullptr);
        QCOMPARE(PageNamed("TabSheet11"), std::nullopt);
    }

    void aMasterKeyFieldShowsTheKeyAndAMaskedFieldItsDigits()
    {
        auto record = std::make_unique<TIntercomData>();
        record->MasterKey.bytes = {0x01, 0x02, 0x03, 0xFF};
        record->AuxByte = 0x07;
        record->ServicePassword = 0x0042;
        QCOMPARE(FieldText(*record, FieldSpecOf(FieldId::Edit2)), KeyText(record->MasterKey));
        QCOMPARE(FieldText(*record, FieldSpecOf(FieldId::MaskEdit7)), QString("07"));
        QCOMPARE(FieldText(*record, FieldSpecOf(FieldId::MaskEdit1)), QString("0042"));
    }
};

QTEST_GUILESS_MAIN(ModelTest)
#include "tst_model.moc"
