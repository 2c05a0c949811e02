// kavro-cli on data files and chip images, run as a user's script would run it.

#include "model/DataFile.h"
#include "model/IntercomData.h"
#include "model/TypeName.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

Run Cli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(KAVRO_CLI_PATH), args);
    if (!process.waitForFinished(30000)) return {-1, {}, QStringLiteral("did not finish")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

std::unique_ptr<IntercomStore> StoreFrom(const QByteArray& bytes)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    if (bytes.size() == ExtendedFileSize) std::memcpy(store.get(), bytes.constData(), sizeof *store);
    else LoadDataFileBytes(store->Record, bytes);
    return store;
}

// The 1-Wire CRC-8, written out independently of the program's own.
quint8 Crc8(const QByteArray& bytes)
{
    quint8 crc = 0;
    for (char c : bytes) {
        quint8 b = static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = (crc ^ b) & 1;
            crc >>= 1;
            if (mix) crc ^= 0x8C;
            b >>= 1;
        }
    }
    return crc;
}

// A DS1995 image with one code and a header whose CRC is right or wrong.
QByteArray Ds1995Image(bool headerCrcRight)
{
    QByteArray image(2048, char(0xFF));
    const QByteArray code("\x12\x34", 2);
    image.replace(0, 3, code + char(Crc8(code)));
    const QByteArray header("\x11\x11\x22\x22\x1F\x33\x33", 7);
    image.replace(304, 8, header + char(Crc8(header) ^ (headerCrcRight ? 0 : 1)));
    return image;
}

} // namespace

class CliDataTest : public QObject {
    Q_OBJECT
private slots:
    void newWritesADataFileOrAnExtendedFile()
    {
        WorkingDirectory dir;
        QCOMPARE(Cli({"new", "pku-511", "-o", "a.kvr"}).status, 0);
        const QByteArray data = ReadAll(dir.file("a.kvr"));
        QCOMPARE(data.size(), 12324);
        auto store = StoreFrom(data);
        QCOMPARE(store->Record.ConfigByte, 0x10);
        QCOMPARE(store->Record.ServicePassword, 0x8527);
        QCOMPARE(TypeNameText(store->Record), QString("PKU-511"));

        QCOMPARE(Cli({"new", "10", "-o", "x.kvr", "--with-extension"}).status, 0);
        QCOMPARE(ReadAll(dir.file("x.kvr")).size(), 32324);
    }

    void badArgumentsExitWithOneAndWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown type") << QStringList{"new", "PKU-999", "-o", "out"};
        QTest::newRow("type index out of range") << QStringList{"new", "11", "-o", "out"};
        QTest::newRow("missing output") << QStringList{"new", "0"};
        QTest::newRow("unknown option") << QStringList{"new", "0", "-o", "out", "--fast"};
        QTest::newRow("unknown chip") << QStringList{"decode", "0", "img.bin", "-o", "out", "--chip", "24C99"};
        QTest::newRow("read pairing without decoder") << QStringList{"decode", "T150_QS150_KAVRO-R150", "img.bin", "-o", "out", "--chip", "DS1995"};
        QTest::newRow("DS1995 is never written") << QStringList{"encode", "G300", "in.kvr", "-o", "out", "--chip", "DS1995"};
        QTest::newRow("24C64 write of PKU-511 encodes nothing") << QStringList{"encode", "PKU-511", "in.kvr", "-o", "out", "--chip", "24C64"};
        QTest::newRow("no conversion to QS151") << QStringList{"convert", "8", "in.kvr", "-o", "out"};
        QTest::newRow("no conversion to PKU-630XE") << QStringList{"convert", "PKU-630XE", "in.kvr", "-o", "out"};
    }
    void badArgumentsExitWithOneAndWriteNothing()
    {
        QFETCH(QStringList, args);
        WorkingDirectory dir;
        WriteAll(dir.file("img.bin"), QByteArray(2048, char(0xFF)));
        QCOMPARE(Cli({"new", "0", "-o", "in.kvr"}).status, 0);
        const Run run = Cli(args);
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
            const Run run = Cli(args);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(".bin") || run.err.contains(".kvr"), qPrintable(run.err));
        }
        QCOMPARE(ReadAll(dir.file("out.kvr")), QByteArray("previous"));
    }

    void decodeStartsFromTheBaseAndKeepsWhatTheLayoutDoesNotCarry()
    {
        WorkingDirectory dir;
        QCOMPARE(Cli({"new", "PKU-630", "-o", "base.kvr"}).status, 0);
        auto base = StoreFrom(ReadAll(dir.file("base.kvr")));
        base->Record.Codes[150] = 0x4321;
        base->Record.MasterKey.bytes = {1, 2, 3, 0xFF};
        QVERIFY(SaveDataFile(base->Record, dir.file("base.kvr")));
        WriteAll(dir.file("t150.bin"), QByteArray(2048, char(0xFF)));

        QCOMPARE(Cli({"decode", "0", "t150.bin", "-o", "out.kvr", "--base", "base.kvr"}).status, 0);
        auto out = StoreFrom(ReadAll(dir.file("out.kvr")));
        QCOMPARE(out->Record.Codes[150], 0xFFFF);        // the 24C16 layout empties codes 100 to 199
        QCOMPARE(out->Record.MasterKey.bytes[0], 1);      // and does not carry the master key
        QCOMPARE(out->Record.ConfigByte, 0xFF);
        QCOMPARE(TypeNameText(out->Record), QString("T150_QS150_KAVRO-R150"));
    }

    void a24c16ReadForPku512sIsConvertedAfterDecoding()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("chip.bin"), QByteArray(2048, char(0xFF)));
        QCOMPARE(Cli({"decode", "PKU-512S", "chip.bin", "-o", "out.kvr", "--chip", "24c16"}).status, 0);
        auto out = StoreFrom(ReadAll(dir.file("out.kvr")));
        QCOMPARE(out->Record.ConfigByte, 0x5F); // 0xFF from the chip, reduced to the PKU-512S settings
        QCOMPARE(TypeNameText(out->Record), QString("PKU-512S"));
    }

    void damagedDs1995DataIsRejectedUnlessTheUserContinues()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("bad.bin"), Ds1995Image(false));
        WriteAll(dir.file("good.bin"), Ds1995Image(true));
        const Run rejected = Cli({"decode", "G300", "bad.bin", "-o", "out.kvr", "--chip", "DS1995"});
        QCOMPARE(rejected.status, 2);
        QVERIFY(rejected.err.contains("Data integrity has been damaged"));
        QVERIFY(!QFile::exists(dir.file("out.kvr")));

        QCOMPARE(Cli({"decode", "G300", "bad.bin", "-o", "out.kvr", "--chip", "DS1995", "--on-damaged", "continue"}).status, 0);
        auto out = StoreFrom(ReadAll(dir.file("out.kvr")));
        QCOMPARE(out->Record.ServicePassword, 0x8527);
        QCOMPARE(out->Record.ConfigByte, 0x7F);
        QCOMPARE(out->Record.Codes[0], 0x3412);

        QCOMPARE(Cli({"decode", "G300", "good.bin", "-o", "good.kvr", "--chip", "DS1995"}).status, 0);
        QCOMPARE(StoreFrom(ReadAll(dir.file("good.kvr")))->Record.ServicePassword, 0x1111);
    }

    void pku630xeKeysLeaveADecodeOnlyInAnExtendedFile()
    {
        WorkingDirectory dir;
        QByteArray dump(65536, char(0xFF));
        dump.replace(0, 3, QByteArray("\x01\x02\x03", 3));
        WriteAll(dir.file("xe.bin"), dump);
        QCOMPARE(Cli({"decode", "PKU-630XE", "xe.bin", "-o", "plain.kvr"}).status, 0);
        QCOMPARE(ReadAll(dir.file("plain.kvr")).size(), 12324);
        QCOMPARE(Cli({"decode", "PKU-630XE", "xe.bin", "-o", "ext.kvr", "--with-extension"}).status, 0);
        auto ext = StoreFrom(ReadAll(dir.file("ext.kvr")));
        QCOMPARE(ext->ExtensionKeySlots[0].bytes, (std::array<std::uint8_t, 4>{1, 2, 3, 0xFF}));

        // The extended file goes back into a dump whole.
        QCOMPARE(Cli({"encode", "PKU-630XE", "ext.kvr", "-o", "back.bin"}).status, 0);
        QCOMPARE(ReadAll(dir.file("back.bin")), dump);
    }

    void encodeWritesTheImageAsTheEncoderWritesIt()
    {
        WorkingDirectory dir;
        QCOMPARE(Cli({"new", "PKU-618", "-o", "618.kvr"}).status, 0);
        QCOMPARE(Cli({"encode", "PKU-618", "618.kvr", "-o", "16.bin", "--chip", "24C16"}).status, 0);
        QCOMPARE(ReadAll(dir.file("16.bin")).size(), 3008);
        QCOMPARE(Cli({"encode", "PKU-618", "618.kvr", "-o", "64.bin", "--chip", "24C64"}).status, 0);
        QCOMPARE(ReadAll(dir.file("64.bin")).size(), 10592);
        QCOMPARE(Cli({"encode", "PKU-630", "618.kvr", "-o", "630.bin"}).status, 0);
        QCOMPARE(ReadAll(dir.file("630.bin")).size(), 4896);
        // Every type can be written to a DS1996, with the G300 layout.
        QCOMPARE(Cli({"encode", "PKU-511", "618.kvr", "-o", "96.bin", "--chip", "DS1996"}).status, 0);
        QCOMPARE(ReadAll(dir.file("96.bin")).size(), 8192);
    }

    void convertTakesTheTypeFromTheFileOrFromFrom()
    {
        WorkingDirectory dir;
        QCOMPARE(Cli({"new", "T150_QS150_KAVRO-R150", "-o", "t150.kvr"}).status, 0);
        QCOMPARE(Cli({"convert", "PKU-511", "t150.kvr", "-o", "511.kvr"}).status, 0);
        auto converted = StoreFrom(ReadAll(dir.file("511.kvr")));
        QCOMPARE(converted->Record.ConfigByte, 0x10); // 0x1F AND 0x10
        QCOMPARE(TypeNameText(converted->Record), QString("PKU-511"));

        auto unnamed = StoreFrom(ReadAll(dir.file("t150.kvr")));
        StoreTypeName(unnamed->Record, NoType);
        QVERIFY(SaveDataFile(unnamed->Record, dir.file("unnamed.kvr")));
        const Run refused = Cli({"convert", "2", "unnamed.kvr", "-o", "lmr.kvr"});
        QCOMPARE(refused.status, 2);
        QVERIFY(refused.err.contains("--from"));
        QCOMPARE(Cli({"convert", "2", "unnamed.kvr", "-o", "lmr.kvr", "--from", "0"}).status, 0);
        QCOMPARE(TypeNameText(StoreFrom(ReadAll(dir.file("lmr.kvr")))->Record), QString("LMR 700_701_702"));
    }

    void showReportsAFileOfUnknownTypeAsUnknown()
    {
        WorkingDirectory dir;
        QCOMPARE(Cli({"new", "G300", "-o", "g.kvr"}).status, 0);
        auto store = StoreFrom(ReadAll(dir.file("g.kvr")));
        store->Record.KeySlots[5].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        store->Record.Codes[0] = 0x1234;
        store->Record.TypeName.fill('Z'); // no terminating zero at all
        QVERIFY(SaveDataFile(store->Record, dir.file("g.kvr")));

        const Run json = Cli({"show", "g.kvr", "--json"});
        QCOMPARE(json.status, 0);
        const QJsonObject summary = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QVERIFY(summary["type"].isNull());
        QCOMPARE(summary["typeName"].toString(), QString(40, 'Z'));
        QCOMPARE(summary["keys"].toArray().first()["key"].toString(), QString("1A 2B 3C"));
        QCOMPARE(summary["keys"].toArray().first()["slot"].toInt(), 5);
        QCOMPARE(summary["codes"].toArray().first()["apartment"].toInt(), 1);
        QCOMPARE(summary["generalCode"].toString(), QString("9385"));

        const Run text = Cli({"show", "g.kvr"});
        QCOMPARE(text.status, 0);
        QVERIFY(text.out.contains("unknown"));
        QVERIFY(text.out.contains("1A 2B 3C"));
    }

    void olderDataFilesAreAcceptedAsInput()
    {
        WorkingDirectory dir;
        QByteArray older(11120, char(0xFF));
        older.replace(10036, 8, QByteArray("PKU-511\0", 8));
        WriteAll(dir.file("old.kvr"), older);
        const Run run = Cli({"show", "old.kvr", "--json"});
        QCOMPARE(run.status, 0);
        const QJsonObject summary = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(summary["type"].toInt(), 1);
        QCOMPARE(summary["layout"].toString(), QString("older data file"));
    }
};

QTEST_GUILESS_MAIN(CliDataTest)
#include "tst_cli_data.moc"
