#include "archive/ArchiveFallback.h"

#include "archive/ArchiveLocation.h"

#include <QDir>
#include <QRegularExpression>

FileResult KeepImageAsFallbackFile(const QDateTime& time, const QString& chip, const QString& sha256,
                                   const QByteArray& image)
{
    const QString folder = ArchiveDataFolder() + QStringLiteral("/archive-fallback");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A chip name is the user's text on the command line: only letters and digits reach the name.
    QString safeChip = chip;
    safeChip.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    const QString name =
        QStringLiteral("%1-%2-%3.bin")
            .arg(time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz'Z'")), safeChip, sha256.left(16));
    return WriteFileSafely(folder + QLatin1Char('/') + name, image, FileAccess::UserOnly);
}
