#include "model/Language.h"

#include "model/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The file is small; anything longer is not ours and is not read.
constexpr qint64 LanguageIniLimit = 64 * 1024;
} // namespace

QString LanguageIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/lang.ini");
}

Language ReadLanguageFlag(const QString& iniPath)
{
    // Read as any input is: a pipe or device in its place is refused at once, never waited on.
    const InputBytes ini = ReadInputFile(iniPath, LanguageIniLimit);
    if (!ini.ok() || ini.longer) return Language::English;
    bool inSection = false;
    for (const QByteArray& rawLine : ini.bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) inSection = line == "[language]";
        if (!inSection || !line.startsWith("selected")) continue;
        const QByteArray rest = line.mid(8).trimmed();
        if (!rest.startsWith('=')) continue;
        bool isNumber = false;
        const int value = rest.mid(1).trimmed().toInt(&isNumber);
        return isNumber && value == 0 ? Language::Russian : Language::English;
    }
    return Language::English;
}

bool WriteLanguageFlag(const QString& iniPath, Language language)
{
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    const QByteArray ini = "[language]\nselected=" + QByteArray::number(static_cast<int>(language)) + '\n';
    return WriteFileSafely(iniPath, ini).ok();
}
