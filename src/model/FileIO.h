#pragma once
// Every file the programs read or write goes through here. A write goes to a temporary file beside
// the target, every write and the sync are checked, and only then is it renamed over the target:
// the target holds either the new bytes whole or what it held before. A read refuses what is not
// a regular file before it could block on it. The working folder's fixed-name files (image files,
// the report) are never reached through a symbolic link and never replace anything but a regular
// file.

#include "model/Language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

// Why a file operation failed.
enum class FileFailure {
    None,
    CannotOpen, // an input could not be opened
    CannotRead,
    CannotWrite,    // creating, writing, syncing or renaming failed
    NotRegularFile, // a folder, pipe or device where a file was expected
    SymbolicLink,   // a symbolic link at a fixed name
    ReadsBackOther, // the file written does not read back as the bytes given
};

// The outcome of a file operation: the file concerned and, on failure, what failed and the
// system's error number.
struct FileResult {
    QString path;
    FileFailure failure = FileFailure::None;
    int systemError = 0;

    bool ok() const { return failure == FileFailure::None; }
    // Why it failed, without the file name ("no space left on the disk").
    QString reason(Language language) const;
    // A whole sentence naming the file and the reason.
    QString message(Language language) const;
};

// The system's error number as a short reason in `language`; the system's own text for the rarer
// numbers.
QString SystemErrorText(int systemError, Language language);

// File names are bytes. A name that is not UTF-8 keeps each stray byte as the lone surrogate
// U+DC80 + byte, so the same bytes reach the system again.
QString FileNameText(const QByteArray& name);
QByteArray FileNameBytes(const QString& name);
// The program's arguments (argv[0] first) decoded as file names are.
QStringList ArgumentsAsGiven(int argc, char* argv[]);

// Who may read a file the program creates.
enum class FileAccess {
    AsBefore, // a replaced file keeps its permissions; a new one gets the usual ones (umask)
    UserOnly, // 0600: images of a controller's memory, reports, recovery files
};

// Writes `bytes` as the whole of `path` (through a temporary file, a sync and a rename). A
// symbolic link named by the user is written through to its target.
FileResult WriteFileSafely(const QString& path, const QByteArray& bytes, FileAccess access = FileAccess::AsBefore);

// The temporary file a write is filling, removed; for a signal handler (async-signal-safe).
void RemoveUnfinishedTemporary();

// How a read treats a symbolic link at the name.
enum class LinkUse { Follow, Refuse };

struct InputBytes {
    QByteArray bytes;    // at most the limit
    bool longer = false; // the file held more than the limit
    qint64 size = 0;     // the file's size as the system gives it
    FileResult result;
    bool ok() const { return result.ok(); }
};

// Reads at most `limit` bytes of a regular file. A pipe, device or folder is refused at once,
// without blocking; with LinkUse::Refuse so is a symbolic link.
InputBytes ReadInputFile(const QString& path, qint64 limit, LinkUse links = LinkUse::Follow);

// A fixed-name file of the working folder may be written when it is missing or a regular file;
// a symbolic link or anything else found there is refused.
FileResult CheckFixedName(const QString& path);

// Writes a fixed-name file for the user only, never through a link.
FileResult WriteFixedNameFile(const QString& path, const QByteArray& bytes);

// A fixed-name file created afresh and empty before its content is known (so a folder it cannot
// be made in is found early), filled later. Never filled, it is removed again.
class FreshFile {
public:
    explicit FreshFile(QString path) : path_(std::move(path)) {}
    FreshFile(const FreshFile&) = delete;
    FreshFile& operator=(const FreshFile&) = delete;
    ~FreshFile();

    // Refused like CheckFixedName; a regular file there is removed; then created with
    // O_CREAT | O_EXCL | O_NOFOLLOW for the user only.
    FileResult create();
    // Writes the content, syncs and closes; on failure the file is removed.
    FileResult fill(const QByteArray& bytes);

private:
    void discard();

    QString path_;
    int descriptor_ = -1;
};
