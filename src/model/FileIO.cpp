#include "model/FileIO.h"

#include <QFile>
#include <QSaveFile>

std::optional<QByteArray> ReadFileBytes(const QString& path, qint64 limit, QString* error, bool* truncated)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // One byte more than the limit tells a file that is too long from one that fits exactly.
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (truncated) *truncated = bytes.size() > limit;
    if (bytes.size() > limit) bytes.truncate(limit);
    return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("cannot create %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
