#pragma once
// The chip archive as kavro-cli's chip commands use it: opened on first use, and an archive that
// cannot be used is a warning on standard error, never the end of the chip operation.

#include "archive/ChipArchive.h"

#include <memory>

class CliArchive {
public:
    ChipArchive& archive();
    // Keeps the image; false when it is kept nowhere, neither in the archive nor as a fallback file.
    bool keep(ArchiveEntry entry, const QByteArray& image);
    // One row of the journal of chip operations.
    void journal(const QString& operation, const QString& chip, const QString& result, const QString& sha256 = {});

private:
    void warn(const QString& failure);

    std::unique_ptr<ChipArchive> archive_;
    bool warned_ = false;
};

// The journal's results of a chip operation.
namespace JournalResult {
inline const QString Done = QStringLiteral("done");
inline const QString Failed = QStringLiteral("failed");
} // namespace JournalResult
