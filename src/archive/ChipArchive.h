#pragma once
// The archive of every chip image that passes through the programs, and the journal of every chip
// operation. Images are stored once by their SHA-256; an entry is never changed afterwards except
// for its note, and only the user deletes one. SQLite and PostgreSQL share one schema and one code
// path. The database is opened on first use; a damaged, locked or unreachable one gives a result
// naming it (never a throw), and an image it could not take is kept as a fallback file.

#include "archive/ArchiveLocation.h"
#include "model/Language.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// Where an archived image came from.
namespace ArchiveSource {
inline const QString Read = QStringLiteral("read");
inline const QString BeforeWrite = QStringLiteral("before-write");
inline const QString ProgrammerMode = QStringLiteral("programmer-mode");
inline const QString CliRead = QStringLiteral("kavro-cli-read");
inline const QString CliBeforeWrite = QStringLiteral("kavro-cli-before-write");
} // namespace ArchiveSource

// The check of the chip after a write.
namespace ArchiveCheck {
inline const QString None = QStringLiteral("none");
inline const QString Matched = QStringLiteral("matched");
inline const QString Differs = QStringLiteral("differs");
inline const QString NotChecked = QStringLiteral("not-checked");
} // namespace ArchiveCheck

struct ArchiveEntry {
    qint64 id = 0;  // given by the archive
    QDateTime time; // set by Add when invalid
    QString chip;
    QString type;   // the controller type selected; may be empty
    QString source; // ArchiveSource
    QString file;   // the document's file name
    QString check = ArchiveCheck::None;
    QString version; // set by Add when empty
    QString sha256;  // set by Add
    QString note;
};

struct JournalEntry {
    qint64 id = 0;
    QDateTime time;    // set by Journal when invalid
    QString operation; // read, write, check
    QString chip;
    QString type;
    QString result;
    QString sha256;
};

// Entries whose note contains `noteText` and whose type contains `type` (letter case ignored);
// empty texts match every entry.
struct ArchiveFilter {
    QString noteText;
    QString type;
};

// The outcome of an archive operation: on failure a sentence naming the database, and where an
// image it could not take was kept instead.
struct ArchiveResult {
    qint64 id = 0;
    QString failure;      // empty on success
    QString fallbackFile; // the image kept as a file; empty when none was needed or possible
    bool ok() const { return failure.isEmpty(); }
};

class ChipArchive {
public:
    explicit ChipArchive(ArchiveLocation location, Language language = Language::English);
    ~ChipArchive();
    ChipArchive(const ChipArchive&) = delete;
    ChipArchive& operator=(const ChipArchive&) = delete;

    const ArchiveLocation& location() const { return location_; }
    // The language of the failures said from now on.
    void setLanguage(Language language) { language_ = language; }
    // Whether the database has been opened (on first use).
    bool isOpen() const { return opened_; }

    // Keeps the image and its entry; the image goes to a fallback file when the database fails.
    ArchiveResult Add(ArchiveEntry entry, const QByteArray& image);
    // Newest first.
    std::optional<QList<ArchiveEntry>> List(const ArchiveFilter& filter = {});
    std::optional<ArchiveEntry> Entry(qint64 id);
    std::optional<QByteArray> Image(const QString& sha256);
    ArchiveResult Note(qint64 id, const QString& text);
    // Removes the entry, and its image when no other entry uses it.
    ArchiveResult Delete(qint64 id);
    ArchiveResult Journal(JournalEntry operation);
    // Newest first.
    std::optional<QList<JournalEntry>> JournalEntries();

    // Why the last operation failed, naming the database; empty after a success.
    const QString& lastFailure() const { return lastFailure_; }

    static QString Sha256(const QByteArray& image);

private:
    bool open();
    bool fail(const QString& reason);
    QString connection_;
    ArchiveLocation location_;
    Language language_;
    bool opened_ = false;
    QString lastFailure_;
};
