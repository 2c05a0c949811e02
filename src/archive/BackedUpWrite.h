#pragma once
// A chip write that never loses what the chip held, shared by the window, programmer mode and
// kavro-cli: after the insert-chip question the chip is read and its content archived before
// the first page is sent; the user may see what the write will change and stop it; the image is
// written and, when asked, read back and compared. Each step is a row of the archive's journal.
// With neither backup nor preview the write is the plain one: the same question, the same packets.

#include "archive/ArchiveRecorder.h"
#include "programmer/ChipTransfer.h"
#include "programmer/ChipVerify.h"

#include <functional>
#include <optional>

class ProgrammerLink;
class TransferProgress;
struct ProgrammerChip;

struct BackedUpWriteRequest {
    const ProgrammerChip& chip;
    QByteArray image;
    QString type;         // the controller type's list text; empty for a raw dump
    QString file;         // the document or dump written, as the archive names it
    QString backupSource; // ArchiveSource of the chip's content before the write
    bool backup = true;   // the chip's content is read and archived first
    bool verify = false;  // the written chip is read back and compared
};

// Why the chip's content before the write is missing.
enum class BackupMissing { ReadFailed, KeptNowhere };

struct BackedUpWriteQuestions {
    // True writes without a backup; unset answers no.
    std::function<bool(BackupMissing)> writeWithoutBackup;
    // Shown the chip's content before the write: true goes on with the write. Unset: no preview,
    // and the chip is read only for a backup.
    std::function<bool(const QByteArray& chipContent)> confirmWrite;
};

// Asks in a message box whether to write without the missing backup; true writes.
bool AskToWriteWithoutBackup(Prompts& prompts, BackupMissing missing, Language language);

struct BackedUpWriteResult {
    // Cancelled: the user answered no to a question; nothing was written.
    TransferResult written = TransferResult::Failed;
    std::optional<VerifyResult> check; // set when the written chip was read back
};

// The port must be open and the adapter checked; it is closed afterwards whatever the outcome.
BackedUpWriteResult RunBackedUpWrite(ProgrammerLink& link, TransferProgress& progress, Language language,
                                     ArchiveRecorder& archive, const BackedUpWriteRequest& request,
                                     const BackedUpWriteQuestions& questions);
