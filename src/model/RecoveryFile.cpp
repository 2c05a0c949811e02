#include "model/RecoveryFile.h"

#include "model/DataFile.h"
#include "model/FileIO.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {
const QString AnnouncedList = QStringLiteral("announced.txt");
constexpr qint64 AnnouncedListLimit = 1 << 20;

QStringList AnnouncedNames(const QString& folder)
{
    const InputBytes list = ReadInputFile(QDir(folder).filePath(AnnouncedList), AnnouncedListLimit);
    return list.ok() ? FileNameText(list.bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}
} // namespace

RecoveryOutcome WriteRecoveryFile(const IntercomStore& store, bool extended, const QString& folder, const QDateTime& at,
                                  Language language)
{
    if (!QDir().mkpath(folder))
        return {QString(), FileResult{folder, FileFailure::CannotWrite, errno}.message(language)};
    const QString name = QStringLiteral("recovery-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(name + QStringLiteral(".kvr"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = dir.filePath(QStringLiteral("%1-%2.kvr").arg(name).arg(number));
    const FileResult saved = SaveStoreFile(store, extended, path, FileAccess::UserOnly);
    return {path, saved.ok() ? QString() : saved.message(language)};
}

QStringList UnannouncedRecoveryFiles(const QString& folder)
{
    const QDir dir(folder);
    const QStringList announced = AnnouncedNames(folder);
    QStringList paths;
    // The names carry the time they were written, so their order is the order of writing.
    for (const QString& name : dir.entryList({QStringLiteral("recovery-*.kvr")}, QDir::Files, QDir::Name))
        if (!announced.contains(name)) paths << dir.filePath(name);
    return paths;
}

bool MarkRecoveryFilesAnnounced(const QString& folder, const QStringList& paths, QString* error)
{
    QStringList names;
    // Names of files removed since they were announced are dropped, so the list does not grow for ever.
    for (const QString& name : AnnouncedNames(folder))
        if (QFileInfo::exists(QDir(folder).filePath(name))) names << name;
    for (const QString& path : paths) names << QFileInfo(path).fileName();
    const FileResult written = WriteFileSafely(QDir(folder).filePath(AnnouncedList),
                                               FileNameBytes(names.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    if (!written.ok() && error) *error = written.message(Language::English);
    return written.ok();
}
