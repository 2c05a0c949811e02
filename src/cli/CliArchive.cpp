#include "cli/CliArchive.h"

#include <QTextStream>

ChipArchive& CliArchive::archive()
{
    if (!archive_) archive_ = std::make_unique<ChipArchive>(ArchiveLocationFromEnvironment());
    return *archive_;
}

ArchiveRecorder& CliArchive::recorder()
{
    if (!recorder_)
        recorder_ =
            std::make_unique<ArchiveRecorder>(archive(), [](const QString& failure, const QString& fallbackFile) {
                QTextStream err(stderr);
                err << "kavro-cli: warning: " << failure << '\n';
                if (!fallbackFile.isEmpty()) err << "kavro-cli: the image was kept in " << fallbackFile << " instead\n";
            });
    return *recorder_;
}
