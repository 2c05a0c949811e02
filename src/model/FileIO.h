#pragma once
// Whole-file reads and writes shared by data files, chip dumps and image files.

#include <QByteArray>
#include <QString>

#include <optional>

// Reads at most `limit` bytes of `path`. Empty optional and `error` set when the file cannot be
// opened or read. `truncated` (if given) tells whether the file held more than `limit` bytes.
std::optional<QByteArray> ReadFileBytes(const QString& path, qint64 limit, QString* error = nullptr,
                                        bool* truncated = nullptr);

// Writes `bytes` as the whole content of `path` through a temporary file in the same folder and a
// rename: either the new content is there completely or the old file is untouched.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
