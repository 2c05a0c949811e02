#pragma once
// The data file: the record's 12324 bytes; older files of 11120 to 12323 bytes in the legacy layout.

#include "model/FileIO.h"
#include "model/IntercomData.h"

#include <QString>

enum class LoadResult { Loaded, LoadedLegacy, TooShort, CannotOpen };

inline constexpr int LegacyDataFileSize = 11120;

// Reads `path` into the record. The record changes only for Loaded and LoadedLegacy; the
// extension key slots never change. `failure` (if given) tells why a file could not be opened.
LoadResult LoadDataFile(TIntercomData& record, const QString& path, FileResult* failure = nullptr);

// Loads the record from the bytes of a data file (the file layer's half of LoadDataFile).
LoadResult LoadDataFileBytes(TIntercomData& record, const QByteArray& bytes);

// Writes the 12324 bytes of the record through a temporary file and a rename, so a failed
// write leaves the previous file as it was.
FileResult SaveDataFile(const TIntercomData& record, const QString& path, FileAccess access = FileAccess::AsBefore);

// The record as the bytes of a data file.
QByteArray DataFileBytes(const TIntercomData& record);

// Writes the record as a data file or, with `extended`, the whole store (the record followed by
// the 5000 extension key slots) as the 32324-byte extended file; like SaveDataFile otherwise.
FileResult SaveStoreFile(const IntercomStore& store, bool extended, const QString& path,
                         FileAccess access = FileAccess::AsBefore);
