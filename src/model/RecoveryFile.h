#pragma once
// The file an unexpected error leaves behind so that unsaved work is not lost: the record as an
// ordinary data file, or for a PKU-630XE the extended file that also carries its extension key
// slots.

#include "model/IntercomData.h"
#include "model/Language.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct RecoveryOutcome {
    QString path;  // the file written
    QString error; // why nothing was written; empty when the file was written
    bool written() const { return error.isEmpty(); }
};

// Writes "recovery-YYYYMMDD-HHMMSS.kvr" (the time `at`) into `folder`, for the user only,
// creating the folder when it is missing. A recovery file already there is never replaced: the
// name gets a number. The error is in `language`.
RecoveryOutcome WriteRecoveryFile(const IntercomStore& store, bool extended, const QString& folder,
                                  const QDateTime& at = QDateTime::currentDateTime(),
                                  Language language = Language::English);

// The recovery files in `folder` that no start of the program has told the user about yet,
// oldest first, as full paths.
QStringList UnannouncedRecoveryFiles(const QString& folder);

// Remembers that the user has been told about `paths`, in a list beside them ("announced.txt"), so
// each recovery file is announced once and the user is not asked about it at every start.
bool MarkRecoveryFilesAnnounced(const QString& folder, const QStringList& paths, QString* error = nullptr);
