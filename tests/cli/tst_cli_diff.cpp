// kavro-cli diff on data files and chip dumps, as a technician's script runs it before a write.

#include "model/DataFile.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

constexpr int ApartmentKeySlot = 5 * 6; // apartment 5, key 1 of the apartment table

// A new document of `type` written by kavro-cli, changed by `change`, saved as `name`.
template <typename Change>
void WriteChanged(const QString& name, TDeviceType type, Change change)
{
    QCOMPARE(RunCli({"new", QString::number(TypeIndex(type)), "-o", name}).status, 0);
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    LoadDataFileBytes(store->Record, ReadAll(name));
    change(*store);
    WriteAll(name, QByteArray(reinterpret_cast<const char*>(&store->Record), DataFileSize));
}

void Unchanged(IntercomStore&) {}

void AddKeyAndLockType(IntercomStore& store)
{
    store.Record.KeySlots[ApartmentKeySlot] = KeySlot{{0x01, 0x02, 0x03, 0xFF}};
    store.Record.ConfigByte ^= 1u << 6;
}

} // namespace

class CliDiffTest : public QObject {
    Q_OBJECT
private slots:
    void dataFilesDifferInThePagesTerms()
    {
        WorkingDirectory dir;
        WriteChanged("a.kvr", TDeviceType::T150, Unchanged);
        WriteChanged("b.kvr", TDeviceType::T150, AddKeyAndLockType);

        const CliRun same = RunCli({"diff", "a.kvr", "a.kvr"});
        QCOMPARE(same.status, 0);
        QCOMPARE(same.out, QString());

        const CliRun differ = RunCli({"diff", "a.kvr", "b.kvr"});
        QCOMPARE(differ.status, 4);
        const QStringList lines = differ.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Apartments, apartment 5, key 1: added 03 02 01"));
        QVERIFY(lines[1].startsWith(QStringLiteral("Configuration: ")));

        const CliRun json = RunCli({"diff", "b.kvr", "a.kvr", "--json"});
        QCOMPARE(json.status, 4);
        const QJsonArray items = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(items.size(), 2);
        const QJsonObject key = items[0].toObject();
        QCOMPARE(key["change"].toString(), QStringLiteral("removed"));
        QCOMPARE(key["place"].toString(), QStringLiteral("SGrid1"));
        QCOMPARE(key["column"].toInt(), 2);
        QCOMPARE(key["row"].toInt(), 6);
        QCOMPARE(key["apartment"].toInt(), 5);
        QCOMPARE(key["before"].toString(), QStringLiteral("03 02 01"));
        QCOMPARE(items[1].toObject()["place"].toString(), QStringLiteral("CB2"));
        QCOMPARE(RunCli({"diff", "a.kvr", "a.kvr", "--json"}).out.trimmed(), QStringLiteral("[\n]"));
    }

    void dumpsAreDecodedAsTheGivenType()
    {
        WorkingDirectory dir;
        WriteChanged("a.kvr", TDeviceType::T150, Unchanged);
        WriteChanged("b.kvr", TDeviceType::T150, AddKeyAndLockType);
        QCOMPARE(RunCli({"encode", "0", "a.kvr", "-o", "a.bin"}).status, 0);
        QCOMPARE(RunCli({"encode", "0", "b.kvr", "-o", "b.bin"}).status, 0);

        const CliRun dumps = RunCli({"diff", "a.bin", "b.bin", "--type", "T150_QS150_KAVRO-R150"});
        QCOMPARE(dumps.status, 4);
        QVERIFY(dumps.out.startsWith(QStringLiteral("Apartments, apartment 5, key 1: added 03 02 01\n")));
        // A dump against the data file it was made from, and nothing left in the working folder.
        QCOMPARE(RunCli({"diff", "b.kvr", "b.bin", "--type", "0"}).status, 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    }

    void theExtensionSlotsOfAnExtendedFileAreCompared()
    {
        WorkingDirectory dir;
        QCOMPARE(RunCli({"new", "PKU-630XE", "-o", "a.kvr", "--with-extension"}).status, 0);
        QByteArray extended = ReadAll("a.kvr");
        QCOMPARE(extended.size(), ExtendedFileSize);
        extended.replace(DataFileSize + 4 * 4999, 4, QByteArray("\x0A\x0B\x0C\xFF", 4));
        WriteAll("b.kvr", extended);
        const CliRun differ = RunCli({"diff", "a.kvr", "b.kvr"});
        QCOMPARE(differ.status, 4);
        QCOMPARE(differ.out, QStringLiteral("Access keys, key 5000: added 0C 0B 0A\n"));
    }

    void badInputIsRefusedWithStatusTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("dump without type") << QStringList{"diff", "a.bin", "a.bin"} << "give --type";
        QTest::newRow("unknown type") << QStringList{"diff", "a.kvr", "a.kvr", "--type", "T999"}
                                      << "unknown controller type";
        QTest::newRow("missing file") << QStringList{"diff", "a.kvr", "none.kvr"} << "none.kvr";
        QTest::newRow("short file") << QStringList{"diff", "a.kvr", "short.kvr"} << "too short";
        QTest::newRow("types differ") << QStringList{"diff", "a.kvr", "g.kvr"} << "give --type";
        QTest::newRow("one file") << QStringList{"diff", "a.kvr"} << "usage";
        QTest::newRow("unknown option") << QStringList{"diff", "a.kvr", "a.kvr", "--fast"} << "unknown option";
    }
    void badInputIsRefusedWithStatusTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        WorkingDirectory dir;
        WriteChanged("a.kvr", TDeviceType::T150, Unchanged);
        WriteChanged("g.kvr", TDeviceType::G300, Unchanged);
        WriteAll("a.bin", Filled(2048, '\xFF'));
        WriteAll("short.kvr", "short");
        const CliRun run = RunCli(args);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(CliDiffTest)
#include "tst_cli_diff.moc"
