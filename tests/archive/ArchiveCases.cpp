#include "ArchiveCases.h"

#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

ArchiveEntry SampleEntry(const QString& note = {}, const QString& type = QStringLiteral("PKU-512S"))
{
    ArchiveEntry entry;
    entry.chip = QStringLiteral("24C64");
    entry.type = type;
    entry.source = ArchiveSource::BeforeWrite;
    entry.file = QStringLiteral("/home/tech/Лесная 5.kvr");
    entry.check = ArchiveCheck::Matched;
    entry.note = note;
    return entry;
}

int CountImages(const QString& location)
{
    // Counted through a connection of its own: what is stored, not what the class says.
    const ArchiveLocation where = ParseArchiveLocation(location);
    const bool sqlite = where.kind == ArchiveLocation::Kind::SQLite;
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", "count");
        if (sqlite)
            db.setDatabaseName(where.sqliteFile);
        else {
            db.setHostName(where.host);
            db.setPort(where.port);
            db.setUserName(where.user);
            db.setDatabaseName(where.database);
        }
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("SELECT COUNT(*) FROM images") && query.next()) count = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("count");
    return count;
}

} // namespace

int RunArchiveWriter(int argc, char* argv[])
{
    const int count = argc > 2 ? QByteArray(argv[2]).toInt() : 0;
    const QString name = argc > 3 ? QString::fromUtf8(argv[3]) : QString();
    ChipArchive archive(ArchiveLocationFromEnvironment());
    for (int i = 0; i < count; ++i) {
        ArchiveEntry entry = SampleEntry(QStringLiteral("%1 %2").arg(name).arg(i));
        if (!archive.Add(entry, Pattern(2048, i)).ok()) return 1;
    }
    return 0;
}

void ArchiveCases::init()
{
    // Every case starts from an empty archive.
    ChipArchive archive(ParseArchiveLocation(location_));
    const auto entries = archive.List();
    QVERIFY2(entries, qPrintable(archive.lastFailure()));
    for (const ArchiveEntry& entry : *entries) QVERIFY(archive.Delete(entry.id).ok());
}

void ArchiveCases::anEntryKeepsEveryFieldAndItsImageByteForByte()
{
    ChipArchive archive(ParseArchiveLocation(location_));
    ArchiveEntry entry = SampleEntry(QStringLiteral("ул. Лесная, 5, подъезд 2"));
    entry.time = QDateTime(QDate(2024, 3, 1), QTime(9, 15, 30, 250), Qt::UTC);
    // Every byte value, a zero byte first, survives the database.
    QByteArray image(8192, '\0');
    for (int i = 0; i < image.size(); ++i) image[i] = char(i * 7);
    const ArchiveResult added = archive.Add(entry, image);
    QVERIFY2(added.ok(), qPrintable(added.failure));
    QVERIFY(added.id > 0);

    ChipArchive other(ParseArchiveLocation(location_));
    const auto kept = other.Entry(added.id);
    QVERIFY2(kept, qPrintable(other.lastFailure()));
    QCOMPARE(kept->time, entry.time);
    QCOMPARE(kept->chip, entry.chip);
    QCOMPARE(kept->type, entry.type);
    QCOMPARE(kept->source, entry.source);
    QCOMPARE(kept->file, entry.file);
    QCOMPARE(kept->check, entry.check);
    QCOMPARE(kept->version, QStringLiteral(KAVRO_VERSION));
    QCOMPARE(kept->note, entry.note);
    QCOMPARE(kept->sha256, QString(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));
    QCOMPARE(other.Image(kept->sha256), std::optional<QByteArray>(image));
    QVERIFY(!other.Entry(added.id + 1000));
    QVERIFY(other.lastFailure().contains(other.location().displayName()));
}

void ArchiveCases::anImageIsStoredOnceAndGoesWithTheLastEntryUsingIt()
{
    ChipArchive archive(ParseArchiveLocation(location_));
    const ArchiveResult first = archive.Add(SampleEntry(), Pattern(2048));
    const ArchiveResult second = archive.Add(SampleEntry(), Pattern(2048));
    const ArchiveResult third = archive.Add(SampleEntry(), Pattern(2048, 5));
    QVERIFY(first.ok() && second.ok() && third.ok());
    QVERIFY(first.id != second.id);
    QCOMPARE(CountImages(location_), 2);

    QVERIFY(archive.Delete(first.id).ok());
    QCOMPARE(archive.Image(ChipArchive::Sha256(Pattern(2048))), std::optional<QByteArray>(Pattern(2048)));
    QVERIFY(archive.Delete(second.id).ok());
    QVERIFY(!archive.Image(ChipArchive::Sha256(Pattern(2048))));
    QCOMPARE(CountImages(location_), 1);
    // A deleted entry stays deleted; deleting it again says so.
    QVERIFY(!archive.Delete(first.id).ok());
}

void ArchiveCases::theListIsNewestFirstAndSearchesNotesAndTypes()
{
    ChipArchive archive(ParseArchiveLocation(location_));
    const QDateTime start(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    ArchiveEntry old = SampleEntry(QStringLiteral("ЛЕСНАЯ 5"), QStringLiteral("G300"));
    old.time = start;
    ArchiveEntry newer = SampleEntry(QStringLiteral("Садовая 12"));
    newer.time = start.addSecs(60);
    ArchiveEntry newest = SampleEntry(QStringLiteral("лесная 7"));
    newest.time = start.addSecs(120);
    const qint64 oldId = archive.Add(old, Pattern(16, 1)).id;
    const qint64 newestId = archive.Add(newest, Pattern(16, 3)).id;
    const qint64 newerId = archive.Add(newer, Pattern(16, 2)).id;

    const auto all = archive.List();
    QVERIFY(all);
    QCOMPARE(all->size(), 3);
    QCOMPARE(all->at(0).id, newestId);
    QCOMPARE(all->at(1).id, newerId);
    QCOMPARE(all->at(2).id, oldId);

    // Cyrillic notes are searched without regard to letter case.
    const auto forest = archive.List({QStringLiteral("Лесная"), {}});
    QVERIFY(forest);
    QCOMPARE(forest->size(), 2);
    const auto g300 = archive.List({QStringLiteral("лесная"), QStringLiteral("g300")});
    QVERIFY(g300);
    QCOMPARE(g300->size(), 1);
    QCOMPARE(g300->at(0).id, oldId);
    // Wildcard characters of SQL are plain text.
    QCOMPARE(archive.List({QStringLiteral("%"), {}})->size(), 0);
}

void ArchiveCases::onlyTheNoteOfAnEntryChanges()
{
    ChipArchive archive(ParseArchiveLocation(location_));
    const ArchiveResult added = archive.Add(SampleEntry(), Pattern(512));
    const auto before = archive.Entry(added.id);
    QVERIFY(archive.Note(added.id, QStringLiteral("пр. Мира, 3")).ok());
    const auto after = archive.Entry(added.id);
    QVERIFY(before && after);
    QCOMPARE(after->note, QStringLiteral("пр. Мира, 3"));
    QCOMPARE(after->sha256, before->sha256);
    QCOMPARE(after->time, before->time);
    QCOMPARE(archive.Image(after->sha256), std::optional<QByteArray>(Pattern(512)));
    QVERIFY(!archive.Note(added.id + 1000, QStringLiteral("x")).ok());
}

void ArchiveCases::theJournalKeepsEveryOperation()
{
    ChipArchive archive(ParseArchiveLocation(location_));
    const auto before = archive.JournalEntries();
    QVERIFY(before);
    QVERIFY(archive.Journal({0, {}, "read", "24C16", "PKU-512S", "done", ChipArchive::Sha256(Pattern(4))}).ok());
    QVERIFY(archive.Journal({0, {}, "write", "24C16", {}, "failed", {}}).ok());
    const auto rows = archive.JournalEntries();
    QVERIFY(rows);
    QCOMPARE(rows->size(), before->size() + 2);
    QCOMPARE(rows->at(0).operation, QStringLiteral("write"));
    QCOMPARE(rows->at(0).result, QStringLiteral("failed"));
    QCOMPARE(rows->at(1).operation, QStringLiteral("read"));
    QCOMPARE(rows->at(1).type, QStringLiteral("PKU-512S"));
    QCOMPARE(rows->at(1).sha256, ChipArchive::Sha256(Pattern(4)));
}

void ArchiveCases::twoProgramsWritingAtOnceLoseNoEntry()
{
    constexpr int EachAdds = 200;
    QList<QProcess*> writers;
    for (const char* name : {"first", "second"}) {
        auto* writer = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KAVRO_ARCHIVE", location_);
        writer->setProcessEnvironment(environment);
        writer->setProcessChannelMode(QProcess::ForwardedChannels);
        writer->start(QCoreApplication::applicationFilePath(), {"--writer", QString::number(EachAdds), name});
        writers << writer;
    }
    for (QProcess* writer : writers) {
        QVERIFY(writer->waitForFinished(240000));
        QCOMPARE(writer->exitCode(), 0);
    }
    ChipArchive archive(ParseArchiveLocation(location_));
    const auto entries = archive.List();
    QVERIFY(entries);
    QCOMPARE(entries->size(), 2 * EachAdds);
    QCOMPARE(archive.List({QStringLiteral("first "), {}})->size(), EachAdds);
    // The two programs wrote the same images: each is stored once.
    QCOMPARE(CountImages(location_), EachAdds);
}
