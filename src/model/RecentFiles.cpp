#include "model/RecentFiles.h"

#include "model/FileIO.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The list is a few hundred bytes; anything longer is not ours and is not read.
constexpr qint64 RecentFilesLimit = 64 * 1024;

// One line per entry: "file=<filter>\t<path>", and "folder=<path>". A path is percent-encoded, so
// that every byte of it (a newline too) comes back as it was.
constexpr QByteArrayView FileKey = "file=";
constexpr QByteArrayView FolderKey = "folder=";

QByteArray Encoded(const QString& path) { return FileNameBytes(path).toPercentEncoding("/"); }
QString Decoded(const QByteArray& text) { return FileNameText(QByteArray::fromPercentEncoding(text)); }

} // namespace

QString RecentFilesPath(const QString& languageIniPath)
{
    return QFileInfo(languageIniPath).dir().filePath(QStringLiteral("recent.ini"));
}

RecentFiles RecentFiles::Load(const QString& languageIniPath)
{
    RecentFiles recent;
    const InputBytes input = ReadInputFile(RecentFilesPath(languageIniPath), RecentFilesLimit);
    if (!input.ok() || input.longer) return recent;
    const QList<QByteArray> lines = input.bytes.split('\n');
    // Read oldest first so that Add keeps the order and the capacity.
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (line->startsWith(FolderKey)) {
            recent.lastFolder_ = Decoded(line->mid(FolderKey.size()));
            continue;
        }
        if (!line->startsWith(FileKey)) continue;
        const QByteArray entry = line->mid(FileKey.size());
        const qsizetype tab = entry.indexOf('\t');
        bool isNumber = false;
        const int filter = entry.left(tab).toInt(&isNumber);
        if (tab <= 0 || !isNumber || filter < 1 || filter > 2 || tab + 1 == entry.size()) continue;
        const QString folder = recent.lastFolder_;
        recent.Add(Decoded(entry.mid(tab + 1)), filter);
        recent.lastFolder_ = folder;
    }
    return recent;
}

bool RecentFiles::Save(const QString& languageIniPath) const
{
    const QString path = RecentFilesPath(languageIniPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray text = "[recent]\n";
    for (const RecentFile& file : files_)
        text += FileKey.toByteArray() + QByteArray::number(file.filterIndex) + '\t' + Encoded(file.path) + '\n';
    if (!lastFolder_.isEmpty()) text += FolderKey.toByteArray() + Encoded(lastFolder_) + '\n';
    return WriteFileSafely(path, text).ok();
}

void RecentFiles::Add(const QString& path, int filterIndex)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    Remove(absolute);
    files_.prepend({absolute, filterIndex});
    while (files_.size() > Capacity) files_.removeLast();
    lastFolder_ = QFileInfo(absolute).absolutePath();
}

void RecentFiles::Remove(const QString& path)
{
    files_.removeIf([&](const RecentFile& file) { return file.path == path; });
}
