// kavro-cli find: where a lost key is kept in a data file, as a technician's script asks before
// deleting it.

#include "model/DataFile.h"
#include "model/TypeCatalogue.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

const QByteArray LostKey("\x01\x02\x03\xFF", 4); // typed and shown as 030201

// A new document of `type` written by kavro-cli (with the extension slots when `extended`), the
// lost key put at each of `offsets` in the file, saved as `name`.
void WriteWithKey(const QString& name, const QString& type, std::initializer_list<int> offsets, bool extended = false)
{
    QStringList args{"new", type, "-o", name};
    if (extended) args << "--with-extension";
    QCOMPARE(RunCli(args).status, 0);
    QByteArray bytes = ReadAll(name);
    for (const int offset : offsets) bytes.replace(offset, 4, LostKey);
    WriteAll(name, bytes);
}

constexpr int KeySlotOffset(int slot) { return 4 * slot; }
constexpr int MasterKeyOffset = 11236;
constexpr int ExtensionSlotOffset(int slot) { return DataFileSize + 4 * slot; }

} // namespace

class CliFindTest : public QObject {
    Q_OBJECT
private slots:
    void everyPlaceIsPrintedAndTheStatusSaysWhetherTheKeyIsKept()
    {
        WorkingDirectory dir;
        WriteWithKey("t150.kvr", "T150_QS150_KAVRO-R150", {KeySlotOffset(30), KeySlotOffset(1500), MasterKeyOffset});

        const CliRun found = RunCli({"find", "t150.kvr", "030201"});
        QCOMPARE(found.status, 0);
        QCOMPARE(found.out, QStringLiteral("Apartments, apartment 5, key 1\n"
                                           "Master key (not shown on the page)\n"
                                           "Key slot 1500 (not shown on the page)\n"));
        // Letters in either case; the key's third byte is typed first, so the reverse is another key.
        QCOMPARE(RunCli({"find", "t150.kvr", "0a0b0c"}).status, 4);
        const CliRun other = RunCli({"find", "t150.kvr", "010203"});
        QCOMPARE(other.status, 4);
        QCOMPARE(other.out, QString());
        QCOMPARE(other.err, QString());

        // --type reads the record as another page shows it.
        const CliRun asPku618 = RunCli({"find", "t150.kvr", "030201", "--type", "PKU-618"});
        QCOMPARE(asPku618.status, 0);
        QVERIFY(asPku618.out.startsWith(QStringLiteral("Apartments, apartment 2, key 1\nMaster key\n")));
    }

    void anExtendedFileIsSearchedToItsLastExtensionSlot()
    {
        WorkingDirectory dir;
        WriteWithKey("xe.kvr", "PKU-630XE", {ExtensionSlotOffset(4999), ExtensionSlotOffset(42), KeySlotOffset(5)},
                     true);

        const CliRun found = RunCli({"find", "xe.kvr", "030201", "--json"});
        QCOMPARE(found.status, 0);
        const QJsonArray places = QJsonDocument::fromJson(found.out.toUtf8()).array();
        QCOMPARE(places.size(), 3);
        const QJsonObject cell = places[0].toObject();
        QCOMPARE(cell["holder"].toString(), QStringLiteral("table"));
        QCOMPARE(cell["place"].toString(), QStringLiteral("StringGrid3"));
        QCOMPARE(cell["column"].toInt(), 3);
        QCOMPARE(cell["row"].toInt(), 5);
        QCOMPARE(cell["key"].toInt(), 43);
        QCOMPARE(cell["slot"].toInt(), 42);
        QCOMPARE(cell["text"].toString(), QStringLiteral("Access keys, key 43"));
        QCOMPARE(places[1].toObject()["text"].toString(), QStringLiteral("Access keys, key 5000"));
        const QJsonObject hidden = places[2].toObject();
        QCOMPARE(hidden["holder"].toString(), QStringLiteral("keySlot"));
        QCOMPARE(hidden["slot"].toInt(), 5);
        QVERIFY(!hidden.contains("place"));

        QCOMPARE(RunCli({"find", "xe.kvr", "0C0B0A", "--json"}).out.trimmed(), QStringLiteral("[\n]"));
    }

    void badInputIsRefusedWithStatusTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("five characters") << QStringList{"find", "a.kvr", "03020"} << "six hexadecimal";
        QTest::newRow("seven characters") << QStringList{"find", "a.kvr", "0302011"} << "six hexadecimal";
        QTest::newRow("not hexadecimal") << QStringList{"find", "a.kvr", "03020G"} << "six hexadecimal";
        QTest::newRow("spaced as shown") << QStringList{"find", "a.kvr", "03 02 01"} << "six hexadecimal";
        QTest::newRow("the empty slot") << QStringList{"find", "a.kvr", "ffffff"} << "empty slot";
        QTest::newRow("missing file") << QStringList{"find", "none.kvr", "030201"} << "none.kvr";
        QTest::newRow("short file") << QStringList{"find", "short.kvr", "030201"} << "too short";
        QTest::newRow("no type name") << QStringList{"find", "nameless.kvr", "030201"} << "give --type";
        QTest::newRow("unknown type") << QStringList{"find", "a.kvr", "030201", "--type", "T999"}
                                      << "unknown controller type";
        QTest::newRow("no key") << QStringList{"find", "a.kvr"} << "usage";
        QTest::newRow("unknown option") << QStringList{"find", "a.kvr", "030201", "--all"} << "unknown option";
    }
    void badInputIsRefusedWithStatusTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        WorkingDirectory dir;
        WriteWithKey("a.kvr", "0", {KeySlotOffset(0)});
        WriteAll("nameless.kvr", Filled(DataFileSize, '\0'));
        WriteAll("short.kvr", "short");
        const CliRun run = RunCli(args);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void aNamelessFileIsSearchedAsTheGivenType()
    {
        WorkingDirectory dir;
        QByteArray nameless = Filled(DataFileSize, '\xFF');
        nameless.replace(KeySlotOffset(6), 4, LostKey);
        WriteAll("nameless.kvr", nameless);
        const CliRun found = RunCli({"find", "nameless.kvr", "030201", "--type", "LMR 700_701_702"});
        QCOMPARE(found.status, 0);
        QCOMPARE(found.out, QStringLiteral("Individual keys, key 7\n"));
    }
};

QTEST_GUILESS_MAIN(CliFindTest)
#include "tst_cli_find.moc"
