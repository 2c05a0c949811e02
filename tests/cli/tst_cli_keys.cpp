// kavro-cli keys: a data file's keys to a spreadsheet and back, as a technician's script runs it.

#include "model/DataFile.h"
#include "model/TypeCatalogue.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<IntercomStore> NewRecord(const QString& path, TDeviceType type)
{
    [&] { QCOMPARE(RunCli({"new", QString::number(TypeIndex(type)), "-o", path}).status, 0); }();
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    LoadDataFileBytes(store->Record, ReadAll(path));
    return store;
}

const QByteArray Header = "table,apartment,row,column,slot,key,code\r\n";

} // namespace

class CliKeysTest : public QObject {
    Q_OBJECT
private slots:
    // Exported from one file and imported into a new one, the keys make the same data file.
    void exportedKeysMakeTheSameFileWhenImported()
    {
        WorkingDirectory dir;
        auto store = NewRecord("empty.kvr", TDeviceType::T150);
        store->Record.KeySlots[31] = KeySlot{{0x01, 0x02, 0x03, 0xFF}};
        store->Record.KeySlots[599] = KeySlot{{0x04, 0x05, 0x06, 0xFF}};
        store->Record.KeyCounter += 2; // as two typed keys count
        WriteAll("keys.kvr", DataFileBytes(store->Record));

        const CliRun exported = RunCli({"keys", "export", "keys.kvr", "-o", "keys.csv"});
        QCOMPARE(exported.status, 0);
        QCOMPARE(ReadAll("keys.csv"), Header + "Apartments,5,6,2,31,03 02 01,FFFF\r\n"
                                               "Apartments,99,100,6,599,06 05 04,FFFF\r\n");

        const CliRun imported = RunCli({"keys", "import", "empty.kvr", "keys.csv", "-o", "out.kvr"});
        QCOMPARE(imported.status, 0);
        QCOMPARE(imported.err, QString());
        QCOMPARE(ReadAll("out.kvr"), ReadAll("keys.kvr"));
    }

    void refusedLinesGoToStderrAndTheStoredOnesToTheFile()
    {
        WorkingDirectory dir;
        auto store = NewRecord("lmr.kvr", TDeviceType::LMR702);
        WriteAll("in.csv", Header + "Individual keys,,1,1,,03 02 01,\r\n"
                                    "Individual keys,,2,1,,03 02 01,\r\n"
                                    "Guard keys,,9,1,,03 02 04,\r\n"
                                    "Individual keys,,1,1,,key,\r\n");
        const CliRun run = RunCli({"keys", "import", "lmr.kvr", "in.csv", "-o", "out.kvr"});
        QCOMPARE(run.status, 4);
        QCOMPARE(run.err, QStringLiteral("kavro-cli: in.csv: line 3: refused, a duplicate of Individual keys, key 1\n"
                                         "kavro-cli: in.csv: line 4: out of range: row 9, column 1: no such key cell\n"
                                         "kavro-cli: in.csv: line 5: bad line: \"key\" is no key\n"));
        store->Record.KeySlots[0] = KeySlot{{0x01, 0x02, 0x03, 0xFF}};
        store->Record.KeyCounter += 1;
        QCOMPARE(ReadAll("out.kvr"), DataFileBytes(store->Record));
    }

    // Keys of the extension slots would be lost in a plain data file: the output keeps them.
    void extensionKeysAreWrittenWithTheExtendedLayout()
    {
        WorkingDirectory dir;
        NewRecord("xe.kvr", TDeviceType::PKU630XE);
        WriteAll("in.csv", Header + "Access keys,,500,10,4999,03 02 01,\r\n");
        QCOMPARE(RunCli({"keys", "import", "xe.kvr", "in.csv", "-o", "out.kvr"}).status, 0);
        const QByteArray out = ReadAll("out.kvr");
        QCOMPARE(out.size(), qsizetype(sizeof(IntercomStore)));
        QCOMPARE(out.right(4), QByteArray("\x01\x02\x03\xFF"));
        QCOMPARE(RunCli({"keys", "export", "out.kvr", "-o", "out.csv"}).status, 0);
        QCOMPARE(ReadAll("out.csv"), ReadAll("in.csv"));
    }

    // Bad input: nothing is written and the reason is said.
    void badInputExitsTwoAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("no such data file")
            << QStringList{"keys", "import", "none.kvr", "in.csv", "-o", "out.kvr"} << "none.kvr";
        QTest::newRow("no such CSV") << QStringList{"keys", "import", "a.kvr", "none.csv", "-o", "out.kvr"}
                                     << "none.csv";
        QTest::newRow("a pipe for the CSV")
            << QStringList{"keys", "import", "a.kvr", "fifo", "-o", "out.kvr"} << "fifo";
        QTest::newRow("no header") << QStringList{"keys", "import", "a.kvr", "headless.csv", "-o", "out.kvr"}
                                   << "headless.csv: no header line";
        QTest::newRow("unknown type") << QStringList{"keys", "export", "a.kvr", "-o", "out.kvr", "--type", "X9"}
                                      << "unknown controller type 'X9'";
        QTest::newRow("a file naming no type")
            << QStringList{"keys", "export", "untyped.kvr", "-o", "out.kvr"} << "untyped.kvr names no controller type";
    }
    void badInputExitsTwoAndWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        WorkingDirectory dir;
        auto store = NewRecord("a.kvr", TDeviceType::T150);
        store->Record.TypeName.fill(' ');
        WriteAll("untyped.kvr", DataFileBytes(store->Record));
        WriteAll("in.csv", Header);
        WriteAll("headless.csv", "Apartments,0,1,1,0,03 02 01,\r\n");
        MakeFifo("fifo");
        const CliRun run = RunCli(args);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QVERIFY(!QFile::exists("out.kvr"));
    }
};

QTEST_GUILESS_MAIN(CliKeysTest)
#include "tst_cli_keys.moc"
