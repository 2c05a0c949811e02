// kavro-cli on data files and chip images, run as a user's script would run it.

#include "codecs/CodecTestSupport.h"
#include "model/DataFile.h"
#include "codecs/PKU618Layouts.h"
#include "model/TypeName.h"
#include "support/CliRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<IntercomStore> StoreFrom(const QByteArray& bytes)
{
    auto store = FreshStore();
    if (bytes.size() == ExtendedFileSize)
        std::memcpy(store.get(), bytes.constData(), sizeof *store);
    else
        LoadDataFileBytes(store->Record, bytes);
    return store;
}

std::unique_ptr<IntercomStore> StoreFromFile(const QString& path) { return StoreFrom(ReadAll(path)); }

int Status(const QStringList& args) { return RunCli(args).status; }

// A DS1995 image with one code and a header whose CRC is right or wrong.
QByteArray Ds1995Image(bool headerCrcRight)
{
    QByteArray image(2048, char(0xFF));
    const QByteArray code("\x12\x34", 2);
    image.replace(0, 3, code + char(CrcOf(code)));
    const QByteArray header("\x11\x11\x22\x22\x1F\x33\x33", 7);
    image.replace(304, 8, header + char(CrcOf(header) ^ (headerCrcRight ? 0 : 1)));
    return image;
}

} // namespace

class CliDataTest : public QObject {
    Q_OBJECT
private slots:
    void reportAndFillCodesWorkOnADataFileAsTheWindowOpensIt()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "PKU-630", "-o", "a.kvr"}), 0);
        const CliRun report = RunCli({"report", "a.kvr", "-o", "-", "--lang", "ru"});
        QCOMPARE(report.status, 0);
        QVERIFY(report.out.isEmpty() == false);
        QCOMPARE(RunCli({"report", "a.kvr", "-o", "r.txt", "--lang", "en", "--from", "G300"}).status, 0);
        QVERIFY(ReadAll(dir.file("r.txt")).contains("Service password - 8527\r\nSystem password - 8527\r\n"));

        QCOMPARE(Status({"fill-codes", "a.kvr", "-o", "one.kvr", "--seed", "42"}), 0);
        QCOMPARE(Status({"fill-codes", "a.kvr", "-o", "two.kvr", "--seed", "42"}), 0);
        QCOMPARE(Status({"fill-codes", "a.kvr", "-o", "three.kvr", "--seed", "43"}), 0);
        const auto one = StoreFromFile(dir.file("one.kvr"));
        QCOMPARE(ReadAll(dir.file("one.kvr")), ReadAll(dir.file("two.kvr")));
        QVERIFY(ReadAll(dir.file("one.kvr")) != ReadAll(dir.file("three.kvr")));
        QVERIFY(one->Record.Codes[199] != EmptyDigitValue);
        // Only the codes change.
        auto before = StoreFromFile(dir.file("a.kvr"));
        before->Record.Codes = one->Record.Codes;
        QCOMPARE(DataFileBytes(before->Record), ReadAll(dir.file("one.kvr")));

        // A file that cannot be read is refused and nothing is written.
        WriteAll(dir.file("short.kvr"), QByteArray(100, '\0'));
        QCOMPARE(Status({"report", "short.kvr", "-o", "none.txt"}), 2);
        QVERIFY(!QFile::exists(dir.file("none.txt")));
    }

    void newWritesADataFileOrAnExtendedFile()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "pku-511", "-o", "a.kvr"}), 0);
        QCOMPARE(ReadAll(dir.file("a.kvr")).size(), 12324);
        QCOMPARE(TypeNameText(StoreFromFile(dir.file("a.kvr"))->Record), QString("PKU-511"));

        QCOMPARE(Status({"new", "10", "-o", "x.kvr", "--with-extension"}), 0);
        QCOMPARE(ReadAll(dir.file("x.kvr")).size(), 32324);
    }

    void badArgumentsExitWithOneAndWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown type") << QStringList{"new", "PKU-999", "-o", "out"};
        QTest::newRow("type index out of range") << QStringList{"new", "11", "-o", "out"};
        QTest::newRow("missing output") << QStringList{"new", "0"};
        QTest::newRow("unknown option") << QStringList{"new", "0", "-o", "out", "--fast"};
        QTest::newRow("output option without its value") << QStringList{"new", "0", "-o"};
        QTest::newRow("read pairing without decoder")
            << QStringList{"decode", "T150_QS150_KAVRO-R150", "img.bin", "-o", "out", "--chip", "DS1995"};
        QTest::newRow("DS1995 is never written")
            << QStringList{"encode", "G300", "in.kvr", "-o", "out", "--chip", "DS1995"};
        QTest::newRow("24C64 write of PKU-511 encodes nothing")
            << QStringList{"encode", "PKU-511", "in.kvr", "-o", "out", "--chip", "24C64"};
        QTest::newRow("no conversion to QS151") << QStringList{"convert", "8", "in.kvr", "-o", "out"};
        QTest::newRow("report in an unknown language") << QStringList{"report", "in.kvr", "-o", "out", "--lang", "de"};
        QTest::newRow("fill-codes with a seed that is no number")
            << QStringList{"fill-codes", "in.kvr", "-o", "out", "--seed", "x"};
        QTest::newRow("report of an unknown --from type")
            << QStringList{"report", "in.kvr", "-o", "out", "--from", "X1"};
    }
    void badArgumentsExitWithOneAndWriteNothing()
    {
        QFETCH(QStringList, args);
        WorkingDirectory dir;
        WriteAll(dir.file("img.bin"), QByteArray(2048, char(0xFF)));
        QCOMPARE(Status({"new", "0", "-o", "in.kvr"}), 0);
        const CliRun run = RunCli(args);
        QCOMPARE(run.status, 1);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFile::exists(dir.file("out")));
    }

    void refusedInputExitsWithTwoNamesTheFileAndKeepsTheOutput()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("out.kvr"), "previous");
        WriteAll(dir.file("huge.bin"), QByteArray(65537, char(0xFF)));
        WriteAll(dir.file("short.kvr"), QByteArray(11119, 0));
        const QList<QStringList> runs{
            {"decode", "0", "huge.bin", "-o", "out.kvr"},
            {"decode", "0", "missing.bin", "-o", "out.kvr"},
            {"decode", "0", "huge.bin", "-o", "out.kvr", "--base", "short.kvr"},
            {"encode", "0", "short.kvr", "-o", "out.kvr"},
            {"show", "short.kvr"},
        };
        for (const QStringList& args : runs) {
            const CliRun run = RunCli(args);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(".bin") || run.err.contains(".kvr"), qPrintable(run.err));
        }
        QCOMPARE(ReadAll(dir.file("out.kvr")), QByteArray("previous"));
    }

    void decodeStartsFromTheBaseAndKeepsWhatTheLayoutDoesNotCarry()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "PKU-630", "-o", "base.kvr"}), 0);
        auto base = StoreFromFile(dir.file("base.kvr"));
        base->Record.Codes[150] = 0x4321;
        base->Record.MasterKey.bytes = {1, 2, 3, 0xFF};
        QVERIFY(SaveDataFile(base->Record, dir.file("base.kvr")).ok());
        WriteAll(dir.file("t150.bin"), QByteArray(2048, char(0xFF)));

        QCOMPARE(Status({"decode", "0", "t150.bin", "-o", "out.kvr", "--base", "base.kvr"}), 0);
        auto out = StoreFromFile(dir.file("out.kvr"));
        QCOMPARE(out->Record.Codes[150], 0xFFFF);    // the 24C16 layout empties codes 100 to 199
        QCOMPARE(out->Record.MasterKey.bytes[0], 1); // and does not carry the master key
        QCOMPARE(out->Record.ConfigByte, 0xFF);
        QCOMPARE(TypeNameText(out->Record), QString("T150_QS150_KAVRO-R150"));

        // A 24C16 read for a PKU-512S is converted after decoding.
        QCOMPARE(Status({"decode", "PKU-512S", "t150.bin", "-o", "512s.kvr", "--chip", "24c16"}), 0);
        out = StoreFromFile(dir.file("512s.kvr"));
        QCOMPARE(out->Record.ConfigByte, 0x5F); // 0xFF from the chip, reduced to the PKU-512S settings
        QCOMPARE(TypeNameText(out->Record), QString("PKU-512S"));
    }

    void damagedDs1995DataIsRejectedUnlessTheUserContinues()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("bad.bin"), Ds1995Image(false));
        WriteAll(dir.file("good.bin"), Ds1995Image(true));
        const CliRun rejected = RunCli({"decode", "G300", "bad.bin", "-o", "out.kvr", "--chip", "DS1995"});
        QCOMPARE(rejected.status, 2);
        QVERIFY(rejected.err.contains("Data integrity has been damaged"));
        QVERIFY(!QFile::exists(dir.file("out.kvr")));

        QCOMPARE(Status({"decode", "G300", "bad.bin", "-o", "out.kvr", "--chip", "DS1995", "--on-damaged", "continue"}),
                 0);
        auto out = StoreFromFile(dir.file("out.kvr"));
        QCOMPARE(out->Record.ServicePassword, 0x8527);
        QCOMPARE(out->Record.ConfigByte, 0x7F);
        QCOMPARE(out->Record.Codes[0], 0x3412);

        QCOMPARE(Status({"decode", "G300", "good.bin", "-o", "good.kvr", "--chip", "DS1995"}), 0);
        QCOMPARE(StoreFromFile(dir.file("good.kvr"))->Record.ServicePassword, 0x1111);
    }

    void pku630xeKeysLeaveADecodeOnlyInAnExtendedFile()
    {
        WorkingDirectory dir;
        QByteArray dump(65536, char(0xFF));
        dump.replace(0, 3, QByteArray("\x01\x02\x03", 3));
        WriteAll(dir.file("xe.bin"), dump);
        QCOMPARE(Status({"decode", "PKU-630XE", "xe.bin", "-o", "plain.kvr"}), 0);
        QCOMPARE(ReadAll(dir.file("plain.kvr")).size(), 12324);
        QCOMPARE(Status({"decode", "PKU-630XE", "xe.bin", "-o", "ext.kvr", "--with-extension"}), 0);
        auto ext = StoreFromFile(dir.file("ext.kvr"));
        QCOMPARE(ext->ExtensionKeySlots[0].bytes, (std::array<std::uint8_t, 4>{1, 2, 3, 0xFF}));

        // The extended file goes back into a dump whole.
        QCOMPARE(Status({"encode", "PKU-630XE", "ext.kvr", "-o", "back.bin"}), 0);
        QCOMPARE(ReadAll(dir.file("back.bin")), dump);
    }

    void encodeWritesTheImageAsTheEncoderWritesIt()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "PKU-618", "-o", "618.kvr"}), 0);
        QCOMPARE(Status({"encode", "PKU-618", "618.kvr", "-o", "64.bin", "--chip", "24C64"}), 0);
        QCOMPARE(ReadAll(dir.file("64.bin")), EncodePKU618Image64(*StoreFromFile(dir.file("618.kvr"))));
        // Every type can be written to a DS1996, with the G300 layout.
        QCOMPARE(Status({"encode", "PKU-511", "618.kvr", "-o", "96.bin", "--chip", "DS1996"}), 0);
        QCOMPARE(ReadAll(dir.file("96.bin")).size(), 8192);
    }

    void convertTakesTheTypeFromTheFileOrFromFrom()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "T150_QS150_KAVRO-R150", "-o", "t150.kvr"}), 0);
        QCOMPARE(Status({"convert", "PKU-511", "t150.kvr", "-o", "511.kvr"}), 0);
        auto converted = StoreFromFile(dir.file("511.kvr"));
        QCOMPARE(converted->Record.ConfigByte, 0x10); // 0x1F AND 0x10
        QCOMPARE(TypeNameText(converted->Record), QString("PKU-511"));

        auto unnamed = StoreFromFile(dir.file("t150.kvr"));
        StoreTypeName(unnamed->Record, std::nullopt);
        QVERIFY(SaveDataFile(unnamed->Record, dir.file("unnamed.kvr")).ok());
        const CliRun refused = RunCli({"convert", "2", "unnamed.kvr", "-o", "lmr.kvr"});
        QCOMPARE(refused.status, 2);
        QVERIFY(refused.err.contains("--from"));
        QCOMPARE(Status({"convert", "2", "unnamed.kvr", "-o", "lmr.kvr", "--from", "0"}), 0);
        QCOMPARE(TypeNameText(StoreFromFile(dir.file("lmr.kvr"))->Record), QString("LMR 700_701_702"));
    }

    void showSummarisesFilesOfUnknownTypeAndOlderFiles()
    {
        WorkingDirectory dir;
        QCOMPARE(Status({"new", "G300", "-o", "g.kvr"}), 0);
        auto store = StoreFromFile(dir.file("g.kvr"));
        store->Record.KeySlots[5].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        store->Record.Codes[0] = 0x1234;
        store->Record.Codes[199] = 0x5678;
        store->Record.TypeName.fill('Z'); // no terminating zero at all
        QVERIFY(SaveDataFile(store->Record, dir.file("g.kvr")).ok());
        const auto summaryOf = [](const QString& file) {
            const CliRun run = RunCli({"show", file, "--json"});
            return run.status == 0 ? QJsonDocument::fromJson(run.out.toUtf8()).object() : QJsonObject();
        };
        const QJsonObject summary = summaryOf("g.kvr");
        QVERIFY(summary["type"].isNull());
        QCOMPARE(summary["typeName"].toString(), QString(40, 'Z'));
        QCOMPARE(summary["keys"].toArray().first()["key"].toString(), QString("1A 2B 3C"));
        QCOMPARE(summary["keys"].toArray().first()["slot"].toInt(), 5);
        // Apartments are numbered as on the pages, from 0.
        QCOMPARE(summary["codes"].toArray().first()["apartment"].toInt(), 0);
        QCOMPARE(summary["codes"].toArray().last()["apartment"].toInt(), 199);
        QCOMPARE(summary["generalCode"].toString(), QString("9385"));
        const CliRun text = RunCli({"show", "g.kvr"});
        QVERIFY(text.status == 0 && text.out.contains("unknown") && text.out.contains("1A 2B 3C"));
        QVERIFY(text.out.contains("apartment 0\t1234") && text.out.contains("apartment 199\t5678"));

        QByteArray older(11120, char(0xFF));
        older.replace(10036, 8, QByteArray("PKU-511\0", 8));
        WriteAll(dir.file("old.kvr"), older);
        QCOMPARE(summaryOf("old.kvr")["type"].toInt(), 1);
        QCOMPARE(summaryOf("old.kvr")["layout"].toString(), QString("older data file"));
    }
};

QTEST_GUILESS_MAIN(CliDataTest)
#include "tst_cli_data.moc"
