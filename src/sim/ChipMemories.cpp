#include "sim/ChipMemories.h"

#include <QDir>
#include <QFile>

QString ChipMemories::fileOf(const ProgrammerChip& chip) const
{
    return folder_.isEmpty() ? QString() : QDir(folder_).filePath(QLatin1String(chip.name) + QStringLiteral(".bin"));
}

QByteArray& ChipMemories::memory(const ProgrammerChip& chip)
{
    const QString name = QLatin1String(chip.name);
    auto found = memories_.find(name);
    if (found != memories_.end()) return *found;
    QByteArray bytes;
    const QString path = fileOf(chip);
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.exists()) {
            if (file.open(QIODevice::ReadOnly))
                bytes = file.read(ChipSize(chip));
            else
                error_ = path + QStringLiteral(": ") + file.errorString();
        } else if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray(ChipSize(chip), '\xFF'));
        } else {
            error_ = path + QStringLiteral(": ") + file.errorString();
        }
    }
    if (bytes.size() < ChipSize(chip)) bytes.append(ChipSize(chip) - bytes.size(), '\xFF');
    return *memories_.insert(name, bytes);
}

bool ChipMemories::commit(const ProgrammerChip& chip, int offset, const QByteArray& bytes)
{
    QByteArray& target = memory(chip);
    if (offset < 0 || offset + bytes.size() > target.size()) return false;
    std::copy(bytes.begin(), bytes.end(), target.begin() + offset);
    const QString path = fileOf(chip);
    if (path.isEmpty()) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(bytes) != bytes.size()) {
        error_ = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}
