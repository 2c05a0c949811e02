#include "cli/CliArchive.h"

#include <QTextStream>

ChipArchive& CliArchive::archive()
{
    if (!archive_) archive_ = std::make_unique<ChipArchive>(ArchiveLocationFromEnvironment());
    return *archive_;
}

void CliArchive::warn(const QString& failure)
{
    // One unusable archive is said once, not after every row.
    if (warned_) return;
    warned_ = true;
    QTextStream(stderr) << "kavro-cli: warning: " << failure << '\n';
}

bool CliArchive::keep(ArchiveEntry entry, const QByteArray& image)
{
    const ArchiveResult result = archive().Add(std::move(entry), image);
    if (result.ok()) return true;
    warn(result.failure);
    if (!result.fallbackFile.isEmpty())
        QTextStream(stderr) << "kavro-cli: the image was kept in " << result.fallbackFile << " instead\n";
    return !result.fallbackFile.isEmpty();
}

void CliArchive::journal(const QString& operation, const QString& chip, const QString& result, const QString& sha256)
{
    const ArchiveResult kept = archive().Journal({0, {}, operation, chip, {}, result, sha256});
    if (!kept.ok()) warn(kept.failure);
}
