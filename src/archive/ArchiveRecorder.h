#pragma once
// The archive as a chip operation uses it: every image kept and every step journalled, and an
// archive that cannot be used said once through `warn`, never the end of the chip operation.

#include "archive/ChipArchive.h"

#include <functional>

class Prompts;

class ArchiveRecorder {
public:
    // `failure` names the database; `fallbackFile` is where an image was kept instead, or empty.
    using Warning = std::function<void(const QString& failure, const QString& fallbackFile)>;

    ArchiveRecorder(ChipArchive& archive, Warning warn) : archive_(archive), warn_(std::move(warn)) {}

    ChipArchive& archive() { return archive_; }
    // Keeps the image; false when it is kept nowhere, neither in the archive nor as a fallback file.
    bool keep(ArchiveEntry entry, const QByteArray& image);
    // A chip's content just read: kept, then its read journalled. Kept first, so a failing
    // database is said once, with where the image went instead. False as keep.
    bool keepRead(const ArchiveEntry& entry, const QByteArray& image);
    // One row of the journal of chip operations.
    void journal(const QString& operation, const QString& chip, const QString& type, const QString& result,
                 const QString& sha256 = {});

private:
    void warn(const QString& failure, const QString& fallbackFile);

    ChipArchive& archive_;
    Warning warn_;
    bool warned_ = false;
};

// The journal's operations and the results of a chip operation.
namespace JournalOperation {
inline const QString Read = QStringLiteral("read");
inline const QString Write = QStringLiteral("write");
inline const QString Check = QStringLiteral("check");
} // namespace JournalOperation

namespace JournalResult {
inline const QString Done = QStringLiteral("done");
inline const QString Failed = QStringLiteral("failed");
} // namespace JournalResult

// A warning shown as a message box of `prompts` in `language`.
ArchiveRecorder::Warning WarnInMessageBox(Prompts& prompts, Language language);
