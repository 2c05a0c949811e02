#pragma once
// A chip write from kavro-cli, shared by `write` and `archive restore`: the programmer found, the
// chip's current content read and archived first (unless the backup is declined), the image
// written, and checked when asked; each step a row of the archive's journal.

#include "programmer/Chips.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct ChipWriteRequest {
    const ProgrammerChip* chip = nullptr;
    QByteArray image;
    QString file;       // where the image came from, as the user named it, for messages
    QString archivedAs; // the same as the archive names it: a file's whole path, or the entry restored
    QString port;
    bool trace = false;
    bool verify = false;
    bool backup = true;
};

// The exit status of the write.
int WriteChipWithBackup(const ChipWriteRequest& request);

// The image of `path` when it fits the chip; a refusal has been reported when empty.
std::optional<QByteArray> LoadDump(const QString& path, const ProgrammerChip& chip);
// An image that fits the chip; a refusal naming `origin` has been reported when false.
bool FitsChip(qint64 size, const QString& origin, const ProgrammerChip& chip);
