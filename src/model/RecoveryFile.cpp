#include "model/RecoveryFile.h"

#include "model/DataFile.h"

#include <QDir>
#include <QFileInfo>

RecoveryOutcome WriteRecoveryFile(const IntercomStore& store, bool extended, const QString& folder,
                                  const QDateTime& at)
{
    if (!QDir().mkpath(folder)) return {QString(), QStringLiteral("cannot create the folder %1").arg(folder)};
    const QString name = QStringLiteral("recovery-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(name + QStringLiteral(".kvr"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = dir.filePath(QStringLiteral("%1-%2.kvr").arg(name).arg(number));
    QString error;
    if (!SaveStoreFile(store, extended, path, &error)) return {path, error};
    return {path, QString()};
}
