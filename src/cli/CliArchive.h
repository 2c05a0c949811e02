#pragma once
// The chip archive as kavro-cli's chip commands use it: opened on first use, and an archive that
// cannot be used is a warning on standard error, never the end of the chip operation.

#include "archive/ArchiveRecorder.h"

#include <memory>

class CliArchive {
public:
    ChipArchive& archive();
    ArchiveRecorder& recorder();
    // Keeps the image; false when it is kept nowhere, neither in the archive nor as a fallback file.
    bool keep(ArchiveEntry entry, const QByteArray& image) { return recorder().keep(std::move(entry), image); }
    // One row of the journal of chip operations.
    void journal(const QString& operation, const QString& chip, const QString& result, const QString& sha256 = {})
    {
        recorder().journal(operation, chip, {}, result, sha256);
    }

private:
    std::unique_ptr<ChipArchive> archive_;
    std::unique_ptr<ArchiveRecorder> recorder_;
};
