#include "archive/ArchiveLocation.h"

#include <QStandardPaths>
#include <QUrl>

QString ArchiveLocation::displayName() const
{
    if (kind == Kind::SQLite) return sqliteFile;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(database);
}

QString ArchiveDataFolder()
{
    // The generic folder, not the application's: the window and kavro-cli share one archive.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kavro");
}

ArchiveLocation ParseArchiveLocation(const QString& text)
{
    ArchiveLocation location;
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(text);
        location.kind = ArchiveLocation::Kind::PostgreSQL;
        location.host = url.host().isEmpty() ? QStringLiteral("localhost") : url.host();
        location.port = url.port(5432);
        location.user = url.userName();
        location.password = url.password();
        location.database = url.path().mid(1);
        return location;
    }
    location.sqliteFile = text.isEmpty() ? ArchiveDataFolder() + QStringLiteral("/archive.sqlite") : text;
    return location;
}

ArchiveLocation ArchiveLocationFromEnvironment() { return ParseArchiveLocation(qEnvironmentVariable("KAVRO_ARCHIVE")); }
