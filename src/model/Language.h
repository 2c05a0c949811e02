#pragma once
// The language flag, its storage in "lang.ini" and the helper that picks a text's language.

#include <QString>

enum class Language { Russian = 0, English = 1 };

// A text that exists in Russian and English; the language is picked when it is shown.
struct Bilingual {
    const char* ru; // UTF-8
    const char* en;
    QString in(Language language) const { return QString::fromUtf8(language == Language::Russian ? ru : en); }
};

inline QString Tr(Language language, const char* ru, const char* en) { return Bilingual{ru, en}.in(language); }

// "lang.ini" in the user's configuration folder of this program.
QString LanguageIniPath();

// Section "language", key "selected": 0 is Russian, any other value English. A missing or
// unreadable file or key gives English.
Language ReadLanguageFlag(const QString& iniPath);

// Writes the flag at once. A failure is not reported to the user; the return value tells it.
bool WriteLanguageFlag(const QString& iniPath, Language language);
