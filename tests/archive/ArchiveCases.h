#pragma once
// What a user relies on from the chip archive, whichever database keeps it: run against SQLite
// and against PostgreSQL with the same cases.

#include "archive/ChipArchive.h"

#include <QObject>
#include <QProcess>
#include <QTest>

// A child process started with `--writer N` adds N entries to the archive KAVRO_ARCHIVE names.
int RunArchiveWriter(int argc, char* argv[]);

class ArchiveCases : public QObject {
    Q_OBJECT
public:
    // `location` as KAVRO_ARCHIVE writes it; each case starts from an empty archive.
    explicit ArchiveCases(QString location) : location_(std::move(location)) {}

private slots:
    void init();
    void anEntryKeepsEveryFieldAndItsImageByteForByte();
    void anImageIsStoredOnceAndGoesWithTheLastEntryUsingIt();
    void theListIsNewestFirstAndSearchesNotesAndTypes();
    void onlyTheNoteOfAnEntryChanges();
    void theJournalKeepsEveryOperation();
    void twoProgramsWritingAtOnceLoseNoEntry();

private:
    QString location_;
};
