#include "model/Language.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString FlagKey = QStringLiteral("language/selected");
}

QString LanguageIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/lang.ini");
}

Language ReadLanguageFlag(const QString& iniPath)
{
    if (!QFileInfo(iniPath).isReadable()) return Language::English;
    QSettings ini(iniPath, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) return Language::English;
    bool isNumber = false;
    const int value = ini.value(FlagKey).toInt(&isNumber);
    return isNumber && value == 0 ? Language::Russian : Language::English;
}

bool WriteLanguageFlag(const QString& iniPath, Language language)
{
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(FlagKey, static_cast<int>(language));
    ini.sync();
    return ini.status() == QSettings::NoError;
}
