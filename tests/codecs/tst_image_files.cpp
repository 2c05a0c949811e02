// The file layer on real files in a private working directory, and the layout tables per type and
// per chip command.

#include "CodecTestSupport.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

DecodeContext Quiet(ScriptedPrompts& prompts) { return DecodeContext{prompts, Language::English}; }

} // namespace

class ImageFilesTest : public QObject {
    Q_OBJECT
private slots:
    void everyEncodingDecodesBackToTheSameImage()
    {
        for (const Layout* layout : AllLayouts()) {
            if (!layout->encode) continue;
            auto source = RandomStore(31);
            const QByteArray image = layout->encode(*source);
            auto store = RandomStore(32);
            store->Record.ConciergeNumber = source->Record.ConciergeNumber; // written, never read back
            DecodeQuietly(layout->decode, image, *store);
            QVERIFY2(layout->encode(*store) == image, layout->name);
        }
    }

    void importedDumpIsDecodedAndItsImageFileRemoved()
    {
        WorkingDirectory dir;
        auto source = RandomStore(33);
        const QByteArray dump = DumpLayoutFor(DeviceTypes::T150)->encode(*source);
        WriteAll(dir.file("chip.bin"), dump);

        auto store = FreshStore();
        ScriptedPrompts prompts;
        const FileOutcome outcome = ImportDump(dir.file("chip.bin"), DeviceTypes::PKU630, *store, Quiet(prompts));
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(KeysEqual(store->Record, source->Record, 0, 599));
        QVERIFY(KeysEmpty(store->Record, 600, 1199)); // missing part of a 2048-byte dump reads as erased
        QVERIFY(!QFile::exists(dir.file("~dev24c64.tmp")));
        QVERIFY(!QFile::exists(dir.file("~dev24c16.tmp")));
        QCOMPARE(ReadAll(dir.file("chip.bin")), dump);
    }

    void importTakesA64KilobyteDumpWhole()
    {
        WorkingDirectory dir;
        auto source = RandomStore(34);
        WriteAll(dir.file("xe.bin"), DumpLayoutFor(DeviceTypes::PKU630XE)->encode(*source));
        auto store = FreshStore();
        ScriptedPrompts prompts;
        QVERIFY(ImportDump(dir.file("xe.bin"), DeviceTypes::PKU630XE, *store, Quiet(prompts)).ok);
        QCOMPARE(store->ExtensionKeySlots, source->ExtensionKeySlots);
    }

    void badDumpIsRefusedByNameAndChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size"); // -1: no file
        QTest::newRow("longer than 65536 bytes") << "big.bin" << 65537;
        QTest::newRow("missing") << "missing.bin" << -1;
        QTest::newRow("a folder") << "folder.bin" << -2;
    }
    void badDumpIsRefusedByNameAndChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        WorkingDirectory dir;
        if (size >= 0) WriteAll(dir.file(name), Filled(size, '\x12'));
        if (size == -2) QVERIFY(QDir(dir.path()).mkdir(name));
        auto store = RandomStore(35);
        const auto before = std::make_unique<IntercomStore>(*store);
        ScriptedPrompts prompts;
        const FileOutcome outcome = ImportDump(dir.file(name), DeviceTypes::T150, *store, Quiet(prompts));
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains(name), qPrintable(outcome.error));
        QVERIFY(SameRecord(store->Record, before->Record));
        QVERIFY(!QFile::exists(dir.file("~dev24c16.tmp")));
    }

    void importWithoutTypeOnlyLeavesTheImageFile()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("chip.bin"), Filled(100, '\x21'));
        auto store = RandomStore(36);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        ScriptedPrompts prompts;
        QVERIFY(ImportDump(dir.file("chip.bin"), NoType, *store, Quiet(prompts)).ok);
        QVERIFY(SameRecord(store->Record, *before));
        QCOMPARE(ReadAll(dir.file("~dev24c16.tmp")), Filled(100, '\x21'));
    }

    void exportedDumpIsTheEncodersWholeImage_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("PKU-618 pads past its chip") << DeviceTypes::PKU618 << 3008;
        QTest::newRow("PKU-630") << DeviceTypes::PKU630 << 4896;
        QTest::newRow("G300") << DeviceTypes::G300 << 8192;
        QTest::newRow("PKU-630XE") << DeviceTypes::PKU630XE << 65536;
    }
    void exportedDumpIsTheEncodersWholeImage()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        WorkingDirectory dir;
        WriteAll(dir.file("out.bin"), Filled(70000, '\x00')); // replaced, not overwritten in part
        auto store = RandomStore(37);
        auto copy = std::make_unique<IntercomStore>(*store);
        const FileOutcome outcome = ExportDump(dir.file("out.bin"), type, *store);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        const QByteArray written = ReadAll(dir.file("out.bin"));
        QCOMPARE(written.size(), size);
        QCOMPARE(written, DumpLayoutFor(type)->encode(*copy));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.bin"});
    }

    void failedExportKeepsWhatWasThereAndTheRecord()
    {
        WorkingDirectory dir;
        // A folder in the target's place cannot be replaced by the finished file.
        QVERIFY(QDir(dir.path()).mkpath("taken.bin/inside"));
        auto store = RandomStore(38);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        const FileOutcome outcome = ExportDump(dir.file("taken.bin"), DeviceTypes::T150, *store);
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains("taken.bin"), qPrintable(outcome.error));
        QVERIFY(QDir(dir.file("taken.bin/inside")).exists());
        QVERIFY(SameRecord(store->Record, *before)); // not even the CRC work byte
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});

        // Without a type nothing is exported and the existing dump stays.
        WriteAll(dir.file("old.bin"), "old");
        QVERIFY(!ExportDump(dir.file("old.bin"), NoType, *store).ok);
        QCOMPARE(ReadAll(dir.file("old.bin")), QByteArray("old"));
    }

    void imageFilesRoundTripThroughTheWorkingDirectory()
    {
        WorkingDirectory dir;
        const Layout& layout = *DumpLayoutFor(DeviceTypes::LMR70x2680);
        auto source = RandomStore(39);
        QVERIFY(EncodeImageFile(layout, *source).ok);
        QCOMPARE(ReadAll(dir.file("~dev24c64.tmp")).size(), 8192);
        auto store = FreshStore();
        ScriptedPrompts prompts;
        QVERIFY(DecodeImageFile(layout, *store, Quiet(prompts)).ok);
        QVERIFY(KeysEqual(store->Record, source->Record, 0, 2679));
        QVERIFY(QFile::exists(dir.file("~dev24c64.tmp"))); // the caller deletes it

        QVERIFY(QFile::remove(dir.file("~dev24c64.tmp")));
        const auto before = std::make_unique<TIntercomData>(store->Record);
        const FileOutcome missing = DecodeImageFile(layout, *store, Quiet(prompts));
        QVERIFY(!missing.ok);
        QVERIFY(missing.error.contains("~dev24c64.tmp"));
        QVERIFY(SameRecord(store->Record, *before));
    }

    void imageFileNames_data()
    {
        QTest::addColumn<ChipKind>("chip");
        QTest::addColumn<QString>("name");
        QTest::newRow("24C16") << ChipKind::C24C16 << "~dev24c16.tmp";
        QTest::newRow("24C64") << ChipKind::C24C64 << "~dev24c64.tmp";
        QTest::newRow("DS1995") << ChipKind::DS1995 << "~dev1995.tmp";
        QTest::newRow("DS1996") << ChipKind::DS1996 << "~dev1996.tmp";
    }
    void imageFileNames()
    {
        QFETCH(ChipKind, chip);
        QFETCH(QString, name);
        QCOMPARE(ImageFileName(ImageFileOf(chip)), name);
    }

    void readCommandsDecodeByChipAndType_data()
    {
        QTest::addColumn<ChipKind>("chip");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("layout"); // empty: nothing decoded
        QTest::addColumn<int>("convertTo");
        QTest::addColumn<QString>("page");
        using enum ChipKind;
        using namespace DeviceTypes;
        QTest::newRow("QS151 24C16") << C24C16 << QS151 << "T150 24C16" << NoType << "TabSheet1";
        QTest::newRow("PKU-512S 24C16 converts") << C24C16 << PKU512S << "T150 24C16" << PKU512S << "TabSheet7";
        QTest::newRow("PKU-512S 24C64") << C24C64 << PKU512S << "PKU-512S 24C64" << NoType << "TabSheet7";
        QTest::newRow("PKU-512T 24C16") << C24C16 << PKU512T << "PKU-512T 24C16" << NoType << "TabSheet1";
        QTest::newRow("PKU-618 24C16") << C24C16 << PKU618 << "PKU-618 24C16" << NoType << "TabSheet3";
        QTest::newRow("PKU-618 24C64") << C24C64 << PKU618 << "PKU-618 24C64" << NoType << "TabSheet3";
        QTest::newRow("G300 DS1995") << DS1995 << G300 << "G300 DS1995" << NoType << "TabSheet6";
        QTest::newRow("G300 DS1996") << DS1996 << G300 << "G300 DS1996" << NoType << "TabSheet5";
        QTest::newRow("T150 24C64 decodes nothing") << C24C64 << T150 << "" << NoType << "";
        QTest::newRow("PKU-630XE decodes nothing") << C24C64 << PKU630XE << "" << NoType << "";
        QTest::newRow("no type") << C24C16 << NoType << "" << NoType << "";
    }
    void readCommandsDecodeByChipAndType()
    {
        QFETCH(ChipKind, chip);
        QFETCH(int, type);
        QFETCH(QString, layout);
        QFETCH(int, convertTo);
        QFETCH(QString, page);
        const std::optional<ReadDecoding> decoding = ReadDecodingFor(chip, type);
        QCOMPARE(decoding.has_value(), !layout.isEmpty());
        if (!decoding) return;
        QCOMPARE(QString(decoding->layout->name), layout);
        QCOMPARE(decoding->thenConvertTo.value_or(NoType), convertTo);
        QCOMPARE(QString(decoding->page), page);
        QCOMPARE(ImageFileName(decoding->layout->imageFile), ImageFileName(ImageFileOf(chip)));
    }

    void writeCommandsEncodeByChipAndType_data()
    {
        QTest::addColumn<ChipKind>("chip");
        QTest::addColumn<int>("type");
        QTest::addColumn<WriteStep>("step");
        QTest::addColumn<QString>("layout");
        using enum ChipKind;
        using namespace DeviceTypes;
        QTest::newRow("PKU-511 24C16") << C24C16 << PKU511 << WriteStep::Encode << "T150 24C16";
        QTest::newRow("PKU-618 24C16") << C24C16 << PKU618 << WriteStep::Encode << "PKU-618 24C16";
        QTest::newRow("PKU-630 24C16 writes the file on disk") << C24C16 << PKU630 << WriteStep::UseImageOnDisk << "";
        QTest::newRow("PKU-512S 24C16 writes the file on disk") << C24C16 << PKU512S << WriteStep::UseImageOnDisk << "";
        QTest::newRow("PKU-618 24C64") << C24C64 << PKU618 << WriteStep::Encode << "PKU-618 24C64";
        QTest::newRow("LMR 70x 24C64") << C24C64 << LMR70x2680 << WriteStep::Encode << "LMR 70x-2680 24C64";
        QTest::newRow("PKU-511 24C64 does nothing") << C24C64 << PKU511 << WriteStep::Nothing << "";
        QTest::newRow("PKU-630XE 24C64 does nothing") << C24C64 << PKU630XE << WriteStep::Nothing << "";
        QTest::newRow("T150 DS1996 in the G300 layout") << DS1996 << T150 << WriteStep::Encode << "G300 DS1996";
        QTest::newRow("G300 DS1995 is never written") << DS1995 << G300 << WriteStep::Nothing << "";
    }
    void writeCommandsEncodeByChipAndType()
    {
        QFETCH(ChipKind, chip);
        QFETCH(int, type);
        QFETCH(WriteStep, step);
        QFETCH(QString, layout);
        const WriteEncoding encoding = WriteEncodingFor(chip, type);
        QCOMPARE(encoding.step, step);
        QCOMPARE(encoding.layout ? QString(encoding.layout->name) : QString(), layout);
    }

    void dumpLayoutFollowsTheType()
    {
        QCOMPARE(QString(DumpLayoutFor(DeviceTypes::QS151)->name), QString("T150 24C16"));
        QCOMPARE(QString(DumpLayoutFor(DeviceTypes::PKU618)->name), QString("PKU-618 24C16"));
        QCOMPARE(QString(DumpLayoutFor(DeviceTypes::G300)->name), QString("G300 DS1996"));
        QCOMPARE(DumpLayoutFor(NoType), nullptr);
        for (TDeviceType type = 0; type < DeviceTypeCount; ++type) QVERIFY(DumpLayoutFor(type)->encode);
    }
};

QTEST_GUILESS_MAIN(ImageFilesTest)
#include "tst_image_files.moc"
