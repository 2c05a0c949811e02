#pragma once
// The files the user opened or saved last, newest first, with the dialog filter each was opened
// with (a data file or a chip dump), and the folder the file dialogs start in. Kept in a file of
// their own beside lang.ini, so that the language file keeps only the language.

#include <QList>
#include <QString>

struct RecentFile {
    QString path;        // absolute
    int filterIndex = 1; // the open dialog's filter: 1 data file, 2 chip dump
    bool operator==(const RecentFile&) const = default;
};

class RecentFiles {
public:
    static constexpr int Capacity = 8;

    // The list kept beside `languageIniPath`; an unreadable or foreign file gives an empty list.
    static RecentFiles Load(const QString& languageIniPath);
    // False when the file could not be written; the list in memory stays as it is.
    bool Save(const QString& languageIniPath) const;

    // The file goes to the top (once), the oldest past the capacity drops off, and its folder
    // becomes the last folder.
    void Add(const QString& path, int filterIndex);
    void Remove(const QString& path);
    const QList<RecentFile>& Files() const { return files_; }
    // The folder of the last file opened or saved; empty before the first.
    const QString& LastFolder() const { return lastFolder_; }

private:
    QList<RecentFile> files_;
    QString lastFolder_;
};

// The file beside lang.ini that holds the list.
QString RecentFilesPath(const QString& languageIniPath);
