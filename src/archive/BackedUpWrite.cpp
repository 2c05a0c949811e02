#include "archive/BackedUpWrite.h"

#include "model/Prompts.h"
#include "programmer/Chips.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/TransferProgress.h"

namespace {

constexpr Bilingual BackupNotRead{"Содержимое микросхемы не удалось прочитать, резервная копия не сделана. "
                                  "Записать микросхему без резервной копии?",
                                  "The chip's content could not be read, so no backup was made. "
                                  "Write the chip without a backup?"};
constexpr Bilingual BackupNotKept{"Содержимое микросхемы не удалось сохранить ни в архиве, ни в файле. "
                                  "Записать микросхему без резервной копии?",
                                  "The chip's content could be kept neither in the archive nor in a file. "
                                  "Write the chip without a backup?"};

BackedUpWriteResult Finish(ProgrammerLink& link, TransferProgress& progress, TransferResult result)
{
    link.ClosePort();
    progress.close();
    return {result, std::nullopt};
}

// The chip's content, archived; nothing when it could not be read or kept anywhere.
std::optional<QByteArray> ReadAndKeep(ProgrammerLink& link, TransferProgress& progress, Language language,
                                      ArchiveRecorder& archive, const BackedUpWriteRequest& request,
                                      std::optional<BackupMissing>& missing)
{
    const QString chip = QString::fromLatin1(request.chip.name);
    std::optional<QByteArray> content = ReadChipBlocks(link, request.chip.read, progress, language);
    if (!content) {
        archive.journal(JournalOperation::Read, chip, request.type, JournalResult::Failed);
        missing = BackupMissing::ReadFailed;
        return std::nullopt;
    }
    ArchiveEntry entry;
    entry.chip = chip;
    entry.type = request.type;
    entry.source = request.backupSource;
    entry.file = request.file;
    if (!archive.keepRead(entry, *content)) missing = BackupMissing::KeptNowhere;
    return content;
}

} // namespace

bool AskToWriteWithoutBackup(Prompts& prompts, BackupMissing missing, Language language)
{
    const Bilingual& text = missing == BackupMissing::ReadFailed ? BackupNotRead : BackupNotKept;
    return prompts.message(text.in(language), MessageTitle.in(language), PromptButtons::YesNo, PromptIcon::Warning) ==
           PromptAnswer::Yes;
}

BackedUpWriteResult RunBackedUpWrite(ProgrammerLink& link, TransferProgress& progress, Language language,
                                     ArchiveRecorder& archive, const BackedUpWriteRequest& request,
                                     const BackedUpWriteQuestions& questions)
{
    progress.open();
    if (!AskInsertChip(link, LinkTexts::InsertChipToWrite, language))
        return Finish(link, progress, TransferResult::Cancelled);

    // The chip is read once, for the backup and for the preview alike.
    if (request.backup || questions.confirmWrite) {
        std::optional<BackupMissing> missing;
        const std::optional<QByteArray> content = ReadAndKeep(link, progress, language, archive, request, missing);
        if (missing) {
            // A failed read leaves the programmer in the middle of a block: the write starts on a
            // port opened afresh, and only after the user chose to write without a backup.
            link.ClosePort();
            if (!questions.writeWithoutBackup || !questions.writeWithoutBackup(*missing))
                return Finish(link, progress, TransferResult::Cancelled);
            if (!link.OpenProgrammerPort(language) || !link.CheckAdapter(language))
                return Finish(link, progress, TransferResult::Failed);
        }
        if (content && questions.confirmWrite && !questions.confirmWrite(*content))
            return Finish(link, progress, TransferResult::Cancelled);
    }

    const QString chip = QString::fromLatin1(request.chip.name);
    const QString sha256 = ChipArchive::Sha256(request.image);
    BackedUpWriteResult result =
        Finish(link, progress, WriteChipPages(link, request.chip.write, request.image, progress, language));
    const bool written = result.written == TransferResult::Completed;
    archive.journal(JournalOperation::Write, chip, request.type, written ? JournalResult::Done : JournalResult::Failed,
                    sha256);
    if (!written || !request.verify) return result;

    result.check = VerifyChipAgainstImage(link, request.chip, request.image, progress, language);
    archive.journal(JournalOperation::Check, chip, request.type,
                    !result.check->readBack   ? JournalResult::Failed
                    : result.check->matches() ? ArchiveCheck::Matched
                                              : ArchiveCheck::Differs,
                    sha256);
    return result;
}
