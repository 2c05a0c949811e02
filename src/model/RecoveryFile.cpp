#include "model/RecoveryFile.h"

#include "model/DataFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

RecoveryOutcome WriteRecoveryFile(const IntercomStore& store, bool extended, const QString& folder,
                                  const QDateTime& at, Language language)
{
    if (!QDir().mkpath(folder)) return {QString(), FileResult{folder, FileFailure::CannotWrite, errno}.message(language)};
    const QString name = QStringLiteral("recovery-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(name + QStringLiteral(".kvr"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = dir.filePath(QStringLiteral("%1-%2.kvr").arg(name).arg(number));
    const FileResult saved = SaveStoreFile(store, extended, path, FileAccess::UserOnly);
    return {path, saved.ok() ? QString() : saved.message(language)};
}
