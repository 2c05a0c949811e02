// kavro-cli keeps what passes through the programmer in the chip archive, end to end through
// kavro-sim: a read's image, the chip's content before every write, and the journal; and the
// archive commands give a chip's content back after a bad write.

#include "SimProcess.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include "archive/ChipArchive.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QJsonArray Json(const CliRun& run) { return QJsonDocument::fromJson(run.out.toUtf8()).array(); }

} // namespace

class ArchiveCliTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir data_;

    QString archiveFile() const { return data_.filePath("archive.sqlite"); }

private slots:
    void init()
    {
        QVERIFY(data_.isValid());
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
        qputenv("KAVRO_ARCHIVE", archiveFile().toUtf8());
        QFile::remove(archiveFile());
    }

    void aBadWriteIsUndoneByRestoringTheBackupByteForByte()
    {
        WorkingDirectory dir;
        SimProcess sim;
        const QByteArray buildingKeys = Pattern(2048, 1);
        sim.prepareChip("24C16", buildingKeys);
        QVERIFY(sim.start());
        WriteAll(dir.file("wrong.bin"), Pattern(2048, 2));
        const CliRun write = RunCli({"write", "24C16", "wrong.bin", "--port", sim.port()});
        QCOMPARE(write.status, 0);
        QCOMPARE(ReadAll(sim.chipFile("24C16")), Pattern(2048, 2));

        const QJsonArray entries = Json(RunCli({"archive", "list", "--json"}));
        QCOMPARE(entries.size(), 1);
        const QJsonObject backup = entries[0].toObject();
        QCOMPARE(backup["source"].toString(), ArchiveSource::CliBeforeWrite);
        QCOMPARE(backup["chip"].toString(), QStringLiteral("24C16"));
        QCOMPARE(backup["sha256"].toString(), ChipArchive::Sha256(buildingKeys));
        QCOMPARE(backup["file"].toString(), dir.file("wrong.bin"));
        const QString id = QString::number(backup["id"].toInteger());

        QCOMPARE(RunCli({"archive", "export", id, "-o", "backup.bin"}).status, 0);
        QCOMPARE(ReadAll(dir.file("backup.bin")), buildingKeys);

        // An image goes back only into the kind of chip it came from.
        QCOMPARE(RunCli({"archive", "restore", id, "24C64", "--port", sim.port()}).status, 2);
        const CliRun restore = RunCli({"archive", "restore", id, "24C16", "--verify", "--port", sim.port()});
        QVERIFY2(restore.status == 0, qPrintable(restore.err));
        QCOMPARE(ReadAll(sim.chipFile("24C16")), buildingKeys);
        // The restore backed up what it overwrote too.
        const QJsonArray after = Json(RunCli({"archive", "list", "--json"}));
        QCOMPARE(after.size(), 2);
        QCOMPARE(after[0].toObject()["sha256"].toString(), ChipArchive::Sha256(Pattern(2048, 2)));
        QCOMPARE(after[0].toObject()["file"].toString(), "archive entry " + id);

        QStringList operations;
        for (const QJsonValue row : Json(RunCli({"archive", "log", "--json"})))
            operations.prepend(row.toObject()["operation"].toString() + ' ' + row.toObject()["result"].toString());
        QCOMPARE(operations, QStringList({"read done", "write done", "read done", "write done", "check matched"}));
    }

    void aReadIsKeptAndFoundByItsNote()
    {
        WorkingDirectory dir;
        SimProcess sim;
        sim.prepareChip("24C16", Pattern(2048, 3));
        QVERIFY(sim.start());
        QCOMPARE(RunCli({"read", "24C16", "-o", "out.bin", "--port", sim.port()}).status, 0);
        const QJsonArray entries = Json(RunCli({"archive", "list", "--json"}));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].toObject()["source"].toString(), ArchiveSource::CliRead);
        QCOMPARE(entries[0].toObject()["sha256"].toString(), ChipArchive::Sha256(Pattern(2048, 3)));
        const QString id = QString::number(entries[0].toObject()["id"].toInteger());

        QCOMPARE(RunCli({"archive", "note", id, "ул. Лесная, 5"}).status, 0);
        QVERIFY(RunCli({"archive", "show", id}).out.contains("note: ул. Лесная, 5"));
        QCOMPARE(RunCli({"archive", "list", "--note", "лесная"}).out.count('\n'), 1);
        QCOMPARE(RunCli({"archive", "list", "--note", "Садовая"}).out, QString());

        QCOMPARE(RunCli({"archive", "delete", id}).status, 0);
        QCOMPARE(Json(RunCli({"archive", "list", "--json"})).size(), 0);
        QCOMPARE(RunCli({"archive", "show", id}).status, 2);
        QCOMPARE(RunCli({"archive", "show", "abc"}).status, 2);
    }

    void aBackupReadThatFailsStopsTheWrite()
    {
        WorkingDirectory dir;
        SimProcess sim;
        sim.prepareChip("24C16", Pattern(2048, 4));
        // The programmer falls silent during the backup read.
        QVERIFY(sim.start({"--stall-after", "6"}));
        WriteAll(dir.file("in.bin"), Pattern(2048, 5));
        const CliRun write = RunCli({"write", "24C16", "in.bin", "--port", sim.port()});
        QCOMPARE(write.status, 3);
        QVERIFY2(write.err.contains("could not be read for a backup; nothing was written"), qPrintable(write.err));
        QCOMPARE(ReadAll(sim.chipFile("24C16")), Pattern(2048, 4));
    }

    void anArchiveThatCannotBeOpenedIsAWarningAndTheChipOperationGoesOn()
    {
        WorkingDirectory dir;
        WriteAll(archiveFile(), Pattern(4096, 7));
        SimProcess sim;
        sim.prepareChip("24C16", Pattern(2048, 6));
        QVERIFY(sim.start());
        WriteAll(dir.file("in.bin"), Pattern(2048, 8));
        const CliRun write = RunCli({"write", "24C16", "in.bin", "--port", sim.port()});
        QCOMPARE(write.status, 0);
        QVERIFY2(write.err.contains("warning: The chip archive " + archiveFile()), qPrintable(write.err));
        QCOMPARE(ReadAll(sim.chipFile("24C16")), Pattern(2048, 8));
        // The chip's content before the write is kept as a file instead.
        const QStringList kept = QDir(data_.filePath("kavro/archive-fallback")).entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadAll(data_.filePath("kavro/archive-fallback/" + kept[0])), Pattern(2048, 6));
        QCOMPARE(RunCli({"archive", "list"}).status, 3);
    }
};

QTEST_GUILESS_MAIN(ArchiveCliTest)
#include "tst_archive_cli.moc"
