#include "archive/ChipArchive.h"

#include "archive/ArchiveFallback.h"
#include "archive/ArchiveTime.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

// How long a writer waits for another program's transaction on the same SQLite file.
constexpr int BusyTimeoutMs = 5000;
constexpr int ConnectTimeoutSeconds = 5;

// The schema differs between the two databases only in the identity column and the bytes' type.
QStringList SchemaStatements(ArchiveLocation::Kind kind)
{
    const bool sqlite = kind == ArchiveLocation::Kind::SQLite;
    const QString identity =
        sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT") : QStringLiteral("BIGSERIAL PRIMARY KEY");
    const QString bytes = sqlite ? QStringLiteral("BLOB") : QStringLiteral("BYTEA");
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS images (sha256 TEXT PRIMARY KEY, bytes %1 NOT NULL)").arg(bytes),
        QStringLiteral("CREATE TABLE IF NOT EXISTS entries (id %1, time TEXT NOT NULL, chip TEXT NOT NULL, "
                       "type TEXT NOT NULL, source TEXT NOT NULL, file TEXT NOT NULL, \"check\" TEXT NOT NULL, "
                       "version TEXT NOT NULL, sha256 TEXT NOT NULL REFERENCES images(sha256), note TEXT NOT NULL)")
            .arg(identity),
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_by_time ON entries (time)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS journal (id %1, time TEXT NOT NULL, operation TEXT NOT NULL, "
                       "chip TEXT NOT NULL, type TEXT NOT NULL, result TEXT NOT NULL, sha256 TEXT NOT NULL)")
            .arg(identity),
    };
}

const QString EntryColumns = QStringLiteral("id, time, chip, type, source, file, \"check\", version, sha256, note");
constexpr int TypeColumn = 3;
constexpr int NoteColumn = 9;

ArchiveEntry EntryFromRow(const QSqlQuery& row)
{
    ArchiveEntry entry;
    entry.id = row.value(0).toLongLong();
    entry.time = ArchiveTimeFromText(row.value(1).toString());
    entry.chip = row.value(2).toString();
    entry.type = row.value(3).toString();
    entry.source = row.value(4).toString();
    entry.file = row.value(5).toString();
    entry.check = row.value(6).toString();
    entry.version = row.value(7).toString();
    entry.sha256 = row.value(8).toString();
    entry.note = row.value(9).toString();
    return entry;
}

// A prepared statement with its values bound in order, run at once.
bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values = {})
{
    if (!query.prepare(statement)) return false;
    // A text left out is stored empty: Qt binds a null QString as SQL NULL.
    for (const QVariant& value : values)
        query.addBindValue(
            value.typeId() == QMetaType::QString && value.toString().isNull() ? QVariant(QStringLiteral("")) : value);
    return query.exec();
}

QString NewConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("kavro-archive-%1").arg(counter++);
}

} // namespace

ChipArchive::ChipArchive(ArchiveLocation location, Language language)
        : connection_(NewConnectionName()), location_(std::move(location)), language_(language)
{
}

ChipArchive::~ChipArchive()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString ChipArchive::Sha256(const QByteArray& image)
{
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

bool ChipArchive::fail(const QString& reason)
{
    lastFailure_ = Tr(language_, "Архив микросхем %1 недоступен: %2", "The chip archive %1 cannot be used: %2")
                       .arg(location_.displayName(), reason.trimmed());
    return false;
}

bool ChipArchive::open()
{
    lastFailure_.clear();
    if (opened_) return true;
    const bool sqlite = location_.kind == ArchiveLocation::Kind::SQLite;
    const QString driver = sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return fail(
            Tr(language_, "драйвер Qt SQL %1 не установлен", "the Qt SQL driver %1 is not installed").arg(driver));
    QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                          : QSqlDatabase::addDatabase(driver, connection_);
    if (sqlite) {
        QDir().mkpath(QFileInfo(location_.sqliteFile).absolutePath());
        db.setDatabaseName(location_.sqliteFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    } else {
        db.setHostName(location_.host);
        db.setPort(location_.port);
        db.setUserName(location_.user);
        db.setPassword(location_.password);
        db.setDatabaseName(location_.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(ConnectTimeoutSeconds));
    }
    if (!db.open()) return fail(db.lastError().text());
    QSqlQuery query(db);
    // WAL lets another program read and write while this one does. The images of a controller's
    // memory are the user's alone (SQLite gives its side files the same permissions).
    if (sqlite && !query.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
        const QString reason = query.lastError().text();
        db.close();
        return fail(reason);
    }
    if (sqlite) QFile::setPermissions(location_.sqliteFile, QFile::ReadOwner | QFile::WriteOwner);
    for (const QString& statement : SchemaStatements(location_.kind)) {
        if (!query.exec(statement)) {
            const QString reason = query.lastError().text();
            db.close();
            return fail(reason);
        }
    }
    opened_ = true;
    return true;
}

ArchiveResult ChipArchive::Add(ArchiveEntry entry, const QByteArray& image)
{
    if (!entry.time.isValid()) entry.time = QDateTime::currentDateTimeUtc();
    if (entry.version.isEmpty()) entry.version = QStringLiteral(KAVRO_VERSION);
    entry.sha256 = Sha256(image);
    ArchiveResult result;
    if (open()) {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        QSqlQuery query(db);
        const bool added =
            db.transaction() &&
            Run(query,
                QStringLiteral("INSERT INTO images (sha256, bytes) VALUES (?, ?) ON CONFLICT (sha256) DO NOTHING"),
                {entry.sha256, image}) &&
            Run(query,
                QStringLiteral("INSERT INTO entries (time, chip, type, source, file, \"check\", version, sha256, note) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                {ArchiveTimeText(entry.time), entry.chip, entry.type, entry.source, entry.file, entry.check,
                 entry.version, entry.sha256, entry.note}) &&
            query.next();
        if (added) result.id = query.value(0).toLongLong();
        query.finish();
        if (added && db.commit()) return result;
        fail(query.lastError().isValid() ? query.lastError().text() : db.lastError().text());
        db.rollback();
    }
    result.failure = lastFailure_;
    const FileResult kept = KeepImageAsFallbackFile(entry.time, entry.chip, entry.sha256, image);
    if (kept.ok())
        result.fallbackFile = kept.path;
    else
        result.failure += QLatin1Char(' ') + kept.message(language_);
    return result;
}

std::optional<QList<ArchiveEntry>> ChipArchive::List(const ArchiveFilter& filter)
{
    if (!open()) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    // Rows are read once, in the order of the index on time: no copy of the result is kept.
    query.setForwardOnly(true);
    if (!Run(query, QStringLiteral("SELECT %1 FROM entries ORDER BY time DESC, id DESC").arg(EntryColumns))) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    // Filtered here rather than in SQL: SQLite folds the letter case of Latin letters only, and
    // notes are mostly Cyrillic addresses. A row is made into an entry only once it matches.
    const auto matches = [](const QVariant& column, const QString& text) {
        return text.isEmpty() || column.toString().contains(text, Qt::CaseInsensitive);
    };
    QList<ArchiveEntry> entries;
    while (query.next()) {
        if (matches(query.value(NoteColumn), filter.noteText) && matches(query.value(TypeColumn), filter.type))
            entries.append(EntryFromRow(query));
    }
    return entries;
}

std::optional<ArchiveEntry> ChipArchive::Entry(qint64 id)
{
    if (!open()) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!Run(query, QStringLiteral("SELECT %1 FROM entries WHERE id = ?").arg(EntryColumns), {id})) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    if (!query.next()) {
        lastFailure_ = Tr(language_, "В архиве микросхем %1 нет записи %2", "The chip archive %1 holds no entry %2")
                           .arg(location_.displayName())
                           .arg(id);
        return std::nullopt;
    }
    return EntryFromRow(query);
}

std::optional<QByteArray> ChipArchive::Image(const QString& sha256)
{
    if (!open()) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!Run(query, QStringLiteral("SELECT bytes FROM images WHERE sha256 = ?"), {sha256})) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    if (!query.next()) {
        lastFailure_ = Tr(language_, "В архиве микросхем %1 нет образа %2", "The chip archive %1 holds no image %2")
                           .arg(location_.displayName(), sha256);
        return std::nullopt;
    }
    return query.value(0).toByteArray();
}

ArchiveResult ChipArchive::Note(qint64 id, const QString& text)
{
    if (!Entry(id)) return {id, lastFailure_, {}};
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!Run(query, QStringLiteral("UPDATE entries SET note = ? WHERE id = ?"), {text, id}))
        fail(query.lastError().text());
    return {id, lastFailure_, {}};
}

ArchiveResult ChipArchive::Delete(qint64 id)
{
    const auto entry = Entry(id);
    if (!entry) return {id, lastFailure_, {}};
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    const bool deleted =
        db.transaction() && Run(query, QStringLiteral("DELETE FROM entries WHERE id = ?"), {id}) &&
        Run(query,
            QStringLiteral(
                "DELETE FROM images WHERE sha256 = ? AND NOT EXISTS (SELECT 1 FROM entries WHERE sha256 = ?)"),
            {entry->sha256, entry->sha256});
    query.finish();
    if (!deleted || !db.commit()) {
        fail(query.lastError().isValid() ? query.lastError().text() : db.lastError().text());
        db.rollback();
    }
    return {id, lastFailure_, {}};
}

ArchiveResult ChipArchive::Journal(JournalEntry operation)
{
    if (!open()) return {0, lastFailure_, {}};
    if (!operation.time.isValid()) operation.time = QDateTime::currentDateTimeUtc();
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!Run(query,
             QStringLiteral("INSERT INTO journal (time, operation, chip, type, result, sha256) VALUES (?, ?, ?, ?, ?, "
                            "?) RETURNING id"),
             {ArchiveTimeText(operation.time), operation.operation, operation.chip, operation.type, operation.result,
              operation.sha256}) ||
        !query.next()) {
        fail(query.lastError().text());
        return {0, lastFailure_, {}};
    }
    return {query.value(0).toLongLong(), {}, {}};
}

std::optional<QList<JournalEntry>> ChipArchive::JournalEntries()
{
    if (!open()) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT id, time, operation, chip, type, result, sha256 FROM journal ORDER BY time DESC, id DESC"))) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    QList<JournalEntry> rows;
    while (query.next())
        rows.append({query.value(0).toLongLong(), ArchiveTimeFromText(query.value(1).toString()),
                     query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
                     query.value(5).toString(), query.value(6).toString()});
    return rows;
}
