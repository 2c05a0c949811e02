// The chip dump and image file layer on real files in a private working directory.

#include "CodecTestSupport.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

class ImageFilesTest : public QObject {
    Q_OBJECT
private slots:
    void importedDumpLeavesNoImageFileAndImageFilesLiveInTheWorkingDirectory()
    {
        WorkingDirectory dir;
        auto source = RandomStore(33);
        const QByteArray dump = DumpLayoutFor(TDeviceType::T150)->encode(*source);
        WriteAll(dir.file("chip.bin"), dump);
        auto store = FreshStore();
        ScriptedPrompts prompts;
        const FileOutcome outcome = ImportDump("chip.bin", TDeviceType::PKU630, *store, {prompts, Language::English});
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(SameRange(store->Record.KeySlots, source->Record.KeySlots, 0, 599));
        QVERIFY(KeysEmpty(store->Record, 600, 1199)); // the part a 2048-byte dump lacks reads as erased
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chip.bin"});
        QCOMPARE(ReadAll(dir.file("chip.bin")), dump);

        // A dump that is the image file itself is not deleted by its own import.
        QVERIFY(QFile::rename(dir.file("chip.bin"), dir.file("~dev24c64.tmp")));
        QVERIFY(ImportDump("~dev24c64.tmp", TDeviceType::PKU630, *store, {prompts, Language::English}).ok);
        QCOMPARE(ReadAll(dir.file("~dev24c64.tmp")), dump);

        // The image files of the chip commands live in the working directory, named by chip.
        const Layout& layout = *DumpLayoutFor(TDeviceType::LMR70x2680);
        QCOMPARE(ImageFileName(ChipKind::DS1995), QString("~dev1995.tmp"));
        QVERIFY(EncodeImageFile(layout, *source).ok);
        QVERIFY(DecodeImageFile(layout, *store, {prompts, Language::English}).ok);
        QVERIFY(SameRange(store->Record.KeySlots, source->Record.KeySlots, 0, 2679));
        QVERIFY(QFile::remove(dir.file("~dev24c64.tmp")));
        const FileOutcome missing = DecodeImageFile(layout, *store, {prompts, Language::English});
        QVERIFY(!missing.ok && missing.error.contains("~dev24c64.tmp"));
    }

    void badDumpIsRefusedByNameAndChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size"); // -1: no such file, -2: a folder
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
        const auto before = std::make_unique<TIntercomData>(store->Record);
        ScriptedPrompts prompts;
        const FileOutcome outcome = ImportDump(dir.file(name), TDeviceType::T150, *store, {prompts, Language::Russian});
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains(name), qPrintable(outcome.error));
        QVERIFY(SameRecord(store->Record, *before));
        QVERIFY(!QFile::exists(dir.file("~dev24c16.tmp")));

        // A dump of exactly 65536 bytes is whole.
        WriteAll(dir.file("xe.bin"), DumpLayoutFor(TDeviceType::PKU630XE)->encode(*store));
        QVERIFY(ImportDump("xe.bin", TDeviceType::PKU630XE, *store, {prompts, Language::English}).ok);
    }

    void exportedDumpIsTheEncodersWholeImage_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("PKU-618 pads past its chip") << TDeviceType::PKU618 << 3008;
        QTest::newRow("G300") << TDeviceType::G300 << 8192;
        QTest::newRow("PKU-630XE") << TDeviceType::PKU630XE << 65536;
    }
    void exportedDumpIsTheEncodersWholeImage()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, size);
        WorkingDirectory dir;
        WriteAll(dir.file("out.bin"), Filled(70000, '\x00')); // replaced, not overwritten in part
        auto store = RandomStore(37);
        auto copy = std::make_unique<IntercomStore>(*store);
        const FileOutcome outcome = ExportDump("out.bin", type, *store);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QCOMPARE(ReadAll(dir.file("out.bin")).size(), size);
        QCOMPARE(ReadAll(dir.file("out.bin")), DumpLayoutFor(type)->encode(*copy));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.bin"});
    }

    void failedExportKeepsWhatWasThereAndTheRecord()
    {
        WorkingDirectory dir;
        QVERIFY(QDir(dir.path()).mkpath("taken.bin/inside")); // a folder cannot be replaced by the dump
        auto store = RandomStore(38);
        const auto before = std::make_unique<TIntercomData>(store->Record);
        const FileOutcome outcome = ExportDump("taken.bin", TDeviceType::T150, *store);
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains("taken.bin"), qPrintable(outcome.error));
        QVERIFY(QDir(dir.file("taken.bin/inside")).exists());
        QVERIFY(SameRecord(store->Record, *before)); // not even the CRC work byte
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});

        WriteAll(dir.file("old.bin"), "old"); // without a type nothing is exported
        QVERIFY(!ExportDump("old.bin", std::nullopt, *store).ok);
        QCOMPARE(ReadAll(dir.file("old.bin")), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(ImageFilesTest)
#include "tst_image_files.moc"
